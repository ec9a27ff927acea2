#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "RuntimeFixture.h"
#include "TestNotesEnv.h"
#include "core/SignalHandlers.h"
#include "notesapi/idtable.h"
#include "notesapi/notesrt.h"
#include "notesapi/oserr.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"
#include "notesapi/ossignal.h"

TEST(Init, WithoutASettingsFileFailsWithAStatus) {
  vesktest::TestNotesEnv env;
  std::filesystem::remove(env.IniFile());
  EXPECT_EQ(NotesInit(), ERR_NOTESRT_NO_INI);
  EXPECT_EQ(NotesInitThread(), ERR_NOTESRT_NOT_INITIALIZED);
}

TEST(Init, NestedInitsNeedAsManyTerms) {
  vesktest::TestNotesEnv env;
  ASSERT_EQ(NotesInit(), NOERROR);
  ASSERT_EQ(NotesInit(), NOERROR);
  DHANDLE memory = NULLHANDLE;
  ASSERT_EQ(OSMemAlloc(0, 10, &memory), NOERROR);
  NotesTerm();
  EXPECT_EQ(OSMemFree(memory), NOERROR);  // still initialised: the handle lives on
  NotesTerm();
  EXPECT_EQ(NotesInitThread(), ERR_NOTESRT_NOT_INITIALIZED);
  NotesTerm();  // one too many: harmless
  ASSERT_EQ(NotesInit(), NOERROR);
  NotesTerm();
}

// Threads bracket their work with NotesInitThread/NotesTermThread and share the runtime.
TEST(Init, TwoThreadsUseTheApiTogether) {
  vesktest::TestNotesEnv env;
  ASSERT_EQ(NotesInit(), NOERROR);
  std::atomic<int> failures{0};
  auto work = [&failures](NOTEID base) {
    if (NotesInitThread() != NOERROR) ++failures;
    for (NOTEID i = 0; i < 500; ++i) {
      DHANDLE memory = NULLHANDLE, table = NULLHANDLE;
      if (OSMemAlloc(0, 64, &memory) != NOERROR || !OSLockObject(memory)) ++failures;
      OSUnlockObject(memory);
      if (IDCreateTable(0, &table) != NOERROR || IDInsert(table, base + i, nullptr) != NOERROR)
        ++failures;
      char out[16];
      if (OSTranslate(OS_TRANSLATE_NATIVE_TO_LMBCS, "\xC3\xBC", 2, out, sizeof out) != 1)
        ++failures;
      if (OSMemFree(memory) != NOERROR || IDDestroyTable(table) != NOERROR) ++failures;
    }
    NotesTermThread();
  };
  std::vector<std::thread> threads;
  threads.emplace_back(work, 1000);
  threads.emplace_back(work, 5000);
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(NotesRTOpenHandleCount(NOTESRT_HANDLE_KINDS), 0u);
  NotesTerm();
}

namespace {

void Busy() {}

}  // namespace

using Signals = runtimetest::RuntimeTest;

// A module that installed a handler may be unloaded after NotesTerm: nothing may call it then.
TEST_F(Signals, NotesTermForgetsTheHandlers) {
  const OSSIGPROC breakPressed = runtimetest::BreakPressed();
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, breakPressed), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_BUSY, Busy), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, breakPressed), breakPressed);  // per signal
  EXPECT_EQ(notesrt::CheckBreak(), ERR_CANCEL);
  NotesTerm();
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), nullptr);
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_BUSY), nullptr);
  EXPECT_EQ(notesrt::CheckBreak(), NOERROR);
}
