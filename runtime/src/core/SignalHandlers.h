#pragma once

#include <map>

#include "core/TestedApi.h"
#include "notesapi/ossignal.h"

namespace notesrt {

// The handlers installed with OSSetSignalHandler, by signal ID. Callers hold the API lock.
class TSignalHandlers {
 public:
  static TSignalHandlers& Instance();

  OSSIGPROC Get(WORD Signal) const;
  // Returns the handler it replaces; a null Routine removes the handler.
  OSSIGPROC Set(WORD Signal, OSSIGPROC Routine);
  // At NotesTerm: the module that installed a handler may be unloaded next.
  void Clear();

 private:
  TSignalHandlers() = default;
  std::map<WORD, OSSIGPROC> FHandlers;
};

// For long operations to poll between steps: the status of the installed check-break handler
// (OS_SIGNAL_CHECK_BREAK), NOERROR when none is installed. A non-zero status means "abandon the
// operation and return this status".
NOTESRT_TESTED STATUS CheckBreak();

// Reports the progress of a long operation of Steps steps to the progress handler
// (OS_SIGNAL_PROGRESS), if one is installed: BEGIN and SETRANGE at once, SETPOS through Advance,
// END when it goes.
class TProgress {
 public:
  explicit TProgress(size_t Steps);
  ~TProgress();
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  void Advance();

 private:
  size_t FDone = 0;
};

}  // namespace notesrt
