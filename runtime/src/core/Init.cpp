// Process and thread start-up, and the handle accounting that tests read.
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/Runtime.h"
#include "notesapi/global.h"
#include "notesapi/notesrt.h"

STATUS LNPUBLIC NotesInit(void) {
  return notesrt::ApiStatusCall([] { return notesrt::TRuntime::Instance().Init(); });
}

void LNPUBLIC NotesTerm(void) {
  notesrt::ApiVoidCall([] { notesrt::TRuntime::Instance().Term(); });
}

// Threads share the process's runtime and its one lock, so a thread needs no state of its own;
// it only has to find the runtime initialised.
STATUS LNPUBLIC NotesInitThread(void) {
  return notesrt::ApiStatusCall([]() -> STATUS {
    return notesrt::TRuntime::Instance().Initialized() ? NOERROR : ERR_NOTESRT_NOT_INITIALIZED;
  });
}

void LNPUBLIC NotesTermThread(void) {}

DWORD LNPUBLIC NotesRTOpenHandleCount(WORD Kind) {
  return notesrt::ApiValueCall<DWORD>(0, [&] {
    const notesrt::THandleTable& table = notesrt::THandleTable::Instance();
    return Kind == NOTESRT_HANDLE_KINDS ? table.TotalCount() : table.Count(Kind);
  });
}

const char* LNPUBLIC NotesRTHandleKindName(WORD Kind) {
  static constexpr const char* Names[NOTESRT_HANDLE_KINDS] = {
      "memory",  "ID table", "database", "note",          "collection", "formula",
      "compute", "ACL",      "search",   "compound text", "module"};
  return Kind < NOTESRT_HANDLE_KINDS ? Names[Kind] : "unknown";
}
