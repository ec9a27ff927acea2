#include "NotesSession.h"

#include <atomic>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"

namespace {

std::atomic<bool> BreakRequested{false};
// The handler that was installed before this module started; put back at shutdown.
OSSIGPROC SavedBreakHandler = nullptr;

}  // namespace

void InitNotesThread() {
  CheckNotesStatus(NotesInitThread());
}

void CloseNotesThread() {
  NotesTermThread();
}

STATUS NDBreakProc() {
  return BreakRequested.exchange(false) ? ERR_CANCEL : NOERROR;
}

void RequestNotesBreak() {
  BreakRequested.store(true);
}

void NotesObjectsInitialize() {
  CheckNotesStatus(NotesInit());
  SavedBreakHandler = OSGetSignalHandler(OS_SIGNAL_CHECK_BREAK);
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, reinterpret_cast<OSSIGPROC>(&NDBreakProc));
}

void NotesObjectsFinalize() {
  OSSetSignalHandler(OS_SIGNAL_CHECK_BREAK, SavedBreakHandler);
  SavedBreakHandler = nullptr;
  NotesTerm();
}
