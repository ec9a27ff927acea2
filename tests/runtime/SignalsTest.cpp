#include <gtest/gtest.h>

#include "RuntimeFixture.h"
#include "core/SignalHandlers.h"
#include "notesapi/oserr.h"
#include "notesapi/ossignal.h"

namespace {

int BreakCalls = 0;

STATUS BreakPressed() {
  ++BreakCalls;
  return ERR_CANCEL;
}

STATUS NoBreak() {
  ++BreakCalls;
  return NOERROR;
}

void Busy() {}

OSSIGPROC AsSignalProc(STATUS (*Handler)()) {
  return reinterpret_cast<OSSIGPROC>(Handler);
}

class Signals : public runtimetest::RuntimeTest {};

}  // namespace

TEST_F(Signals, SetReturnsThePreviousHandlerPerSignal) {
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, AsSignalProc(NoBreak)), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_BUSY, Busy), nullptr);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, AsSignalProc(BreakPressed)),
            AsSignalProc(NoBreak));
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), AsSignalProc(BreakPressed));
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_BUSY), Busy);
  EXPECT_EQ(OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, nullptr), AsSignalProc(BreakPressed));
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), nullptr);
}

// A module that installed a handler may be unloaded after NotesTerm: nothing may call it then.
TEST_F(Signals, NotesTermForgetsTheHandlers) {
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, AsSignalProc(BreakPressed));
  NotesTerm();
  ASSERT_EQ(NotesInit(), NOERROR);
  EXPECT_EQ(OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK), nullptr);
  EXPECT_EQ(notesrt::CheckBreak(), NOERROR);
}
