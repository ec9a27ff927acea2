#include "InterruptBreak.h"

#include "NotesSession.h"

namespace {

extern "C" void OnInterrupt(int) {
  RequestNotesBreak();
}

}  // namespace

TInterruptBreak::TInterruptBreak() {
  struct sigaction action {};
  action.sa_handler = &OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &FPrevious);
}

TInterruptBreak::~TInterruptBreak() {
  sigaction(SIGINT, &FPrevious, nullptr);
}
