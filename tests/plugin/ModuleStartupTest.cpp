// The plug-in module's units start in their fixed order when the host loads it and stop in the
// reverse order when it unloads it; a unit that cannot start stops the ones already started.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "Exception.h"
#include "PackageLoader.h"
#include "TestNotesEnv.h"
#include "notesapi/notesrt.h"

namespace {

using TLines = std::vector<std::string>;

TLines ReadLines(const std::filesystem::path& File) {
  std::ifstream In(File);
  TLines Lines;
  for (std::string Line; std::getline(In, Line);) Lines.push_back(Line);
  return Lines;
}

TEST(ModuleStartup, UnitsStartInOrderAndStopInReverse) {
  struct {
    const char* Name;
    bool WithSettings;
    TLines Trace;
  } Cases[] = {
      // Without settings the Notes runtime cannot start; the desktop units never start, and
      // what had started stops again, so that the module loads once settings exist.
      {"Notes cannot start", false, {"start NotesRichText", "stop NotesRichText"}},
      {"loaded and unloaded",
       true,
       {"start NotesRichText", "start NotesObjects", "start Sonst", "start VeskExceptions",
        "start OutLookUtil", "start Vesk_Def", "start VeskPlugInLNMail", "stop VeskPlugInLNMail",
        "stop Vesk_Def", "stop OutLookUtil", "stop VeskExceptions", "stop Sonst",
        "stop NotesObjects", "stop NotesRichText"}},
  };
  for (const auto& Case : Cases) {
    vesktest::TestNotesEnv Env;
    std::filesystem::path Trace = Env.Root() / "units.trace";
    vesktest::ScopedEnv Tracing("VESK_TRACE_UNITS", Trace.c_str());
    std::optional<vesktest::ScopedEnv> NoSettings;
    if (!Case.WithSettings) NoSettings.emplace(NOTESRT_INI_ENV, (Env.Root() / "none.ini").c_str());
    try {
      TPackage Module(VESK_PLUGIN_MODULE);
      EXPECT_TRUE(Case.WithSettings) << Case.Name << ": the module loaded";
    } catch (const Exception& E) {
      EXPECT_FALSE(Case.WithSettings) << Case.Name << ": " << E.Message();
    }
    EXPECT_EQ(ReadLines(Trace), Case.Trace) << Case.Name;
  }
}

}  // namespace
