#include "core/SignalHandlers.h"

#include "core/ApiCall.h"

namespace notesrt {

TSignalHandlers& TSignalHandlers::Instance() {
  static TSignalHandlers& handlers = *new TSignalHandlers;
  return handlers;
}

OSSIGPROC TSignalHandlers::Get(WORD Signal) const {
  auto entry = FHandlers.find(Signal);
  return entry != FHandlers.end() ? entry->second : nullptr;
}

OSSIGPROC TSignalHandlers::Set(WORD Signal, OSSIGPROC Routine) {
  OSSIGPROC previous = Get(Signal);
  if (Routine)
    FHandlers[Signal] = Routine;
  else
    FHandlers.erase(Signal);
  return previous;
}

void TSignalHandlers::Clear() {
  FHandlers.clear();
}

STATUS CheckBreak() {
  return ApiStatusCall([] {
    OSSIGPROC handler = TSignalHandlers::Instance().Get(OS_SIGNAL_CHECK_BREAK);
    // The check-break signal is published with this signature; callers install it cast.
    return handler ? reinterpret_cast<OSSIGBREAKPROC>(handler)() : STATUS{NOERROR};
  });
}

namespace {

void SignalProgress(WORD Option, size_t Data) {
  ApiVoidCall([&] {
    OSSIGPROC handler = TSignalHandlers::Instance().Get(OS_SIGNAL_PROGRESS);
    if (handler) reinterpret_cast<OSSIGPROGRESSPROC>(handler)(Option, static_cast<DWORD>(Data), 0);
  });
}

}  // namespace

TProgress::TProgress(size_t Steps) {
  SignalProgress(PROGRESS_SIGNAL_BEGIN, 0);
  SignalProgress(PROGRESS_SIGNAL_SETRANGE, Steps);
}

TProgress::~TProgress() {
  SignalProgress(PROGRESS_SIGNAL_END, 0);
}

void TProgress::Advance() {
  SignalProgress(PROGRESS_SIGNAL_SETPOS, ++FDone);
}

}  // namespace notesrt

OSSIGPROC LNPUBLIC OSGetSignalHandler(WORD SignalHandlerID) {
  return notesrt::ApiValueCall<OSSIGPROC>(
      nullptr, [&] { return notesrt::TSignalHandlers::Instance().Get(SignalHandlerID); });
}

OSSIGPROC LNPUBLIC OSSetSignalHandler(WORD SignalHandlerID, OSSIGPROC Routine) {
  return notesrt::ApiValueCall<OSSIGPROC>(
      nullptr, [&] { return notesrt::TSignalHandlers::Instance().Set(SignalHandlerID, Routine); });
}
