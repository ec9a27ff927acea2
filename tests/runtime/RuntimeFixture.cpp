#include "RuntimeFixture.h"

#include "notesapi/global.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"

namespace runtimetest {

void RuntimeTest::SetUp() {
  ASSERT_EQ(NotesInit(), NOERROR);
}

void RuntimeTest::TearDown() {
  NotesTerm();
}

namespace {

STATUS LNCALLBACK CancelAtOnce() {
  return ERR_CANCEL;
}

}  // namespace

OSSIGPROC BreakPressed() {
  return reinterpret_cast<OSSIGPROC>(CancelAtOnce);
}

std::string StatusText(unsigned Status) {
  char text[256];
  WORD length = OSLoadString(nullptr, static_cast<STATUS>(Status), text, sizeof text - 1);
  return std::string(text, length);
}

}  // namespace runtimetest
