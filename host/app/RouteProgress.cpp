#include "RouteProgress.h"

#include <unistd.h>

#include <cstdio>

namespace {

// The progress signal carries no context of its own: the range of the pass in progress.
DWORD Steps = 0;

WORD LNCALLBACK ShowProgress(WORD Option, DWORD Data1, DWORD) {
  switch (Option) {
    case PROGRESS_SIGNAL_SETRANGE:
      Steps = Data1;
      break;
    case PROGRESS_SIGNAL_SETPOS:
      std::fprintf(stderr, "\rrouting mail %lu of %lu", static_cast<unsigned long>(Data1),
                   static_cast<unsigned long>(Steps));
      break;
    case PROGRESS_SIGNAL_END:
      // Clears the line, so that the result is printed on a clean one.
      if (Steps > 0) std::fprintf(stderr, "\r\033[K");
      Steps = 0;
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace

TRouteProgress::TRouteProgress() : FShown(isatty(STDERR_FILENO) != 0) {
  if (FShown)
    FPrevious = OSSetSignalHandler(OS_SIGNAL_PROGRESS, reinterpret_cast<OSSIGPROC>(&ShowProgress));
}

TRouteProgress::~TRouteProgress() {
  if (FShown) OSSetSignalHandler(OS_SIGNAL_PROGRESS, FPrevious);
}
