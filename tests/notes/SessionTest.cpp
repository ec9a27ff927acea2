#include <thread>

#include "NotesApiErrors.h"
#include "NotesErrorOf.h"
#include "NotesFixture.h"
#include "NotesRichText.h"
#include "notesapi/notesrt.h"

namespace {

using SessionTest = NotesFixture;

STATUS OtherHandler() {
  return NOERROR;
}

TEST_F(SessionTest, BreakHandlerAnswersOncePerBreakAndOtherThreadsBracketTheirNotesUse) {
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), reinterpret_cast<OSSIGPROC>(&NDBreakProc));
  EXPECT_EQ(NDBreakProc(), NOERROR);
  RequestNotesBreak();
  EXPECT_EQ(NDBreakProc(), ERR_CANCEL);
  EXPECT_EQ(NDBreakProc(), NOERROR);
  // Other threads bracket their Notes use.
  std::string failure;
  std::thread worker([&] {
    try {
      InitNotesThread();
      char dir[MAXPATH];
      OSGetExecutableDirectory(dir);
      CloseNotesThread();
    } catch (const std::exception& e) {
      failure = e.what();
    }
  });
  worker.join();
  EXPECT_EQ(failure, "");
}

TEST(SessionLifeTest, ShutdownPutsBackThePreviousHandler) {
  vesktest::TestNotesEnv env;
  ASSERT_EQ(NotesInit(), NOERROR);
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, reinterpret_cast<OSSIGPROC>(&OtherHandler));
  NotesObjectsInitialize();
  NotesObjectsFinalize();
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), reinterpret_cast<OSSIGPROC>(&OtherHandler));
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr);
  NotesTerm();
}

TEST(SessionLifeTest, StartWithoutSettingsRaisesWithAText) {
  vesktest::TempDir dir;
  setenv(NOTESRT_INI_ENV, (dir.Path() / "missing.ini").c_str(), 1);
  const std::string refusal = NotesErrorOf([] {
    NotesObjectsInitialize();
    NotesObjectsFinalize();
  });
  EXPECT_TRUE(refusal != "no error" && refusal.rfind("0 ", 0) != 0) << refusal;
  EXPECT_EQ(refusal.find("General Notes Error"), std::string::npos) << refusal;
  unsetenv(NOTESRT_INI_ENV);
}

TEST(RichTextModuleTest, KeepsTheDirectoriesFromStartUpToShutdown) {
  vesktest::TestNotesEnv env;
  NotesRichTextInitialize();
  EXPECT_EQ(NotesDataDir(), env.DataDir().string() + "/");
  EXPECT_FALSE(NotesProgramDir().empty());
  NotesRichTextFinalize();
  EXPECT_EQ(NotesDataDir(), "");
  EXPECT_EQ(NotesProgramDir(), "");
}

}  // namespace
