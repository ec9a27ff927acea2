// The private temporary directory: exclusive files with the prefixes the units use, names that
// must fit the filters' fields, and the directories of killed processes cleared at next start.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <set>

#include "ErrorOf.h"
#include "FileText.h"
#include "ForkedChild.h"
#include "TempDir.h"
#include "TempFiles.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const fs::path& Path) {
  struct stat info {};
  EXPECT_EQ(lstat(Path.c_str(), &info), 0) << Path;
  return info.st_mode & 07777;
}

TEST(TempFiles, FilesAreNewAndPrivateAndGoWithTheirHolderOrTheDirectory) {
  vesktest::TempDir base;
  fs::path dir;
  {
    TPrivateTempDir temp(base.Path());
    dir = temp.Path();
    EXPECT_EQ(dir.parent_path(), base.Path());
    EXPECT_EQ(ModeOf(dir), 0700u);
    const struct {
      const char *Prefix, *Suffix;
    } Cases[] = {{"~rtf", ".tmp"}, {"~cd", ".tmp"}, {"~", ".tmp"}, {"~import", ".bmp"}};
    std::set<std::string> names;
    for (const auto& Case : Cases) {
      for (int round = 0; round < 2; ++round) {
        const std::string path = temp.CreateFile(Case.Prefix, Case.Suffix);
        const std::string name = fs::path(path).filename().string();
        EXPECT_EQ(name.rfind(Case.Prefix, 0), 0u) << name;
        EXPECT_EQ(fs::path(path).extension(), Case.Suffix) << name;
        EXPECT_EQ(fs::file_size(path), 0u) << name;
        EXPECT_EQ(ModeOf(path), 0600u) << name;
        EXPECT_LE(path.size(), TPrivateTempDir::MaxPathLength);
        EXPECT_TRUE(names.insert(name).second) << "made twice: " << name;
      }
    }
    // A name someone else took is skipped, never opened.
    const std::string next = (dir / "~rtf0008.tmp").string();
    std::ofstream(next) << "taken";
    const std::string made = temp.CreateFile("~rtf");
    EXPECT_NE(made, next);
    EXPECT_EQ(vesktest::ReadFileText(next), "taken");
    {
      TTempFile file(made);  // a holder removes its file
    }
    EXPECT_FALSE(fs::exists(made));
  }
  EXPECT_FALSE(fs::exists(dir));
}

TEST(TempFiles, ANameThatWouldNotFitIsRefusedNotCut) {
  vesktest::TempDir root;
  const fs::path base = root.Path() / std::string(60, 'd');
  fs::create_directory(base);
  TPrivateTempDir temp(base);
  // A name over TPrivateTempDir::MaxPathLength bytes.
  EXPECT_PRED_FORMAT2(
      testing::IsSubstring, temp.Path().string(),
      vesktest::ErrorOf<ETempFileError>([&] { temp.CreateFile("~import", ".bmp"); }));
  EXPECT_TRUE(fs::is_empty(temp.Path()));
  EXPECT_THROW(TPrivateTempDir(root.Path() / "missing"), ETempFileError);
}

// A child makes its directory with a file and is killed; the next start removes what it left,
// while the directory of a process still running stays.
TEST(TempFiles, LeftoversOfKilledProcessesGoAtTheNextStart) {
  vesktest::TempDir base;
  TPrivateTempDir running(base.Path());
  const std::string runningFile = running.CreateFile("~rtf");
  vesktest::ForkedChild child(
      [&] {
        auto* temp = new TPrivateTempDir(base.Path());  // never freed: the process is killed
        std::ofstream(temp->CreateFile("~cd")) << "mail text";
        return "made";
      },
      vesktest::ForkedChild::StayUntilKilled);
  ASSERT_EQ(child.Answer(), "made");
  child.Kill();
  int leftovers = 0;
  for (const auto& entry : fs::directory_iterator(base.Path()))
    leftovers += entry.path() != running.Path();
  EXPECT_EQ(leftovers, 1);
  // Not a directory of this user's naming: never touched.
  fs::create_directory(base.Path() / "vesk-other");
  TPrivateTempDir next(base.Path());
  std::set<fs::path> left;
  for (const auto& entry : fs::directory_iterator(base.Path())) left.insert(entry.path());
  EXPECT_EQ(left, (std::set<fs::path>{running.Path(), next.Path(), base.Path() / "vesk-other"}));
  EXPECT_TRUE(fs::exists(runningFile));
}

}  // namespace
