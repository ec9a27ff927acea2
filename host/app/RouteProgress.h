#pragma once

#include "NotesApi.h"

// While it lives, a long router pass shows on a terminal how many mails it has gone through
// ("routing mail 120 of 2000"), on one line that the next report overwrites.
class TRouteProgress {
 public:
  TRouteProgress();
  ~TRouteProgress();
  TRouteProgress(const TRouteProgress&) = delete;
  TRouteProgress& operator=(const TRouteProgress&) = delete;

 private:
  bool FShown;
  OSSIGPROC FPrevious = nullptr;
};
