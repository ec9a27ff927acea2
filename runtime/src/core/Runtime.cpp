#include "core/Runtime.h"

#include "core/EStatus.h"
#include "core/HandleTable.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/SignalHandlers.h"
#include "notesapi/notesrt.h"

namespace notesrt {

TRuntime& TRuntime::Instance() {
  static TRuntime& runtime = *new TRuntime;
  return runtime;
}

STATUS TRuntime::Init() {
  if (FInitCount == 0 && !TSettings::Instance().Exists()) return ERR_NOTESRT_NO_INI;
  ++FInitCount;
  return NOERROR;
}

void TRuntime::Term() {
  if (FInitCount == 0 || --FInitCount > 0) return;
  THandleTable::Instance().FreeAll();
  FSession.clear();
  TSignalHandlers::Instance().Clear();
  TLog::Instance().SetHandler(nullptr);
  TSettings::Instance().ClearSession();
}

void RequireInitialized() {
  if (!TRuntime::Instance().Initialized()) throw EStatus(ERR_NOTESRT_NOT_INITIALIZED);
}

}  // namespace notesrt
