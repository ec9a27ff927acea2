// Loading plug-in modules: start-up and shutdown order, failures, entry points, unloading.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ErrorOf.h"
#include "Exception.h"
#include "PackageLoader.h"
#include "TempDir.h"

namespace {

bool IsMapped(const std::filesystem::path& Module) {
  std::ifstream Maps("/proc/self/maps");
  std::string Line;
  while (std::getline(Maps, Line))
    if (Line.find(Module.string()) != std::string::npos) return true;
  return false;
}

class PackageLoaderTest : public testing::Test {
 protected:
  PackageLoaderTest() { setenv("VESK_TEST_MODULE_LOG", LogFile().c_str(), 1); }
  ~PackageLoaderTest() override { unsetenv("VESK_TEST_MODULE_LOG"); }

  std::filesystem::path LogFile() const { return FDir.Path() / "module.log"; }

  // What the test module's sections and entry points did, one per line.
  std::vector<std::string> Log() const {
    std::ifstream File(LogFile());
    std::vector<std::string> Lines;
    for (std::string Line; std::getline(File, Line);) Lines.push_back(Line);
    return Lines;
  }

  template <class TError>
  static std::string LoadError(const std::filesystem::path& Module) {
    return vesktest::ErrorOf<TError>([&] { TPackage Package(Module); });
  }

 private:
  vesktest::TempDir FDir;
};

using TLines = std::vector<std::string>;

TEST_F(PackageLoaderTest, SectionsStartInOrderAndStopInReverse) {
  {
    TPackage Package(TEST_MODULE_OK);
    EXPECT_EQ(Log(), (TLines{"start 1", "start 2", "start 3"}));
    EXPECT_TRUE(IsMapped(TEST_MODULE_OK));
    Package.Register();
    Package.UnRegister();
  }
  EXPECT_EQ(Log(), (TLines{"start 1", "start 2", "start 3", "register", "unregister", "stop 3",
                           "stop 2", "stop 1"}));
  EXPECT_FALSE(IsMapped(TEST_MODULE_OK));
}

// A failing section stops the others and closes the module; a missing module, or one without an
// entry point, is refused before anything starts.
TEST_F(PackageLoaderTest, AFailingSectionStopsTheOthersAndModulesWithoutAnEntryPointNeverStart) {
  EXPECT_EQ(LoadError<Exception>(TEST_MODULE_FAILING_START), "section 2 cannot start");
  EXPECT_EQ(Log(), (TLines{"start 1", "stop 1"}));
  EXPECT_FALSE(IsMapped(TEST_MODULE_FAILING_START));
  std::filesystem::remove(LogFile());
  TPackage Package(TEST_MODULE_FAILING_STOP);
  EXPECT_EQ(vesktest::ErrorOf<Exception>([&] { Package.Unload(); }), "section 2 cannot stop");
  EXPECT_EQ(Log(), (TLines{"start 1", "start 2", "start 3", "stop 3", "stop 2", "stop 1"}));
  EXPECT_FALSE(IsMapped(TEST_MODULE_FAILING_STOP));
  // Once unloaded, the module's entry points are out of reach.
  EXPECT_THROW(Package.Register(), EPackageError);
  Package.Unload();  // a second unload does nothing
  std::filesystem::remove(LogFile());
  std::string Error = LoadError<EPackageError>(TEST_MODULE_WITHOUT_REGISTER);
  EXPECT_EQ(Error, std::string("Package ") + TEST_MODULE_WITHOUT_REGISTER +
                       " has no entry point Register");
  EXPECT_TRUE(Log().empty());
  EXPECT_FALSE(IsMapped(TEST_MODULE_WITHOUT_REGISTER));
  Error = LoadError<EPackageError>("/nonexistent/libNothing.so");
  EXPECT_EQ(Error.rfind("Can't load package /nonexistent/libNothing.so: ", 0), 0u) << Error;
}

}  // namespace
