// Filter libraries: OSLoadLibrary and OSFreeLibrary.
#include <cstdint>
#include <memory>
#include <string>

#include "core/ApiCall.h"
#include "core/FilterLibrary.h"
#include "core/HandleTable.h"
#include "core/Log.h"
#include "core/StatusTexts.h"
#include "notesapi/miscerr.h"
#include "notesapi/osmisc.h"

using notesrt::TFilterLibrary;
using notesrt::THandleTable;

// The module handle is the runtime's handle of the library, so that a stale one is recognised.
STATUS LNPUBLIC OSLoadLibrary(const char* LibraryName, DWORD, HMODULE* rethModule,
                              void* retEntryPoint) {
  auto* entry = static_cast<IXENTRYPROC*>(retEntryPoint);
  notesrt::PutOptional(rethModule, HMODULE{});
  notesrt::PutOptional(entry, IXENTRYPROC{});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!LibraryName || !rethModule) return ERR_MISC_INVALID_ARGS;
    auto library = std::make_unique<TFilterLibrary>(notesrt::FilterLibraryFile(LibraryName));
    IXENTRYPROC proc = library->EntryPoint();
    DHANDLE handle = THandleTable::Instance().Add(std::move(library));
    *rethModule = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(handle));
    notesrt::PutOptional(entry, proc);
    return NOERROR;
  });
}

void LNPUBLIC OSFreeLibrary(HMODULE hModule) {
  notesrt::ApiVoidCall([&] {
    const auto value = reinterpret_cast<uintptr_t>(hModule);
    const bool known =
        value <= MAXDWORD &&
        THandleTable::Instance().Remove(static_cast<DHANDLE>(value), TFilterLibrary::KindId);
    if (!known)
      notesrt::LogLine("OSFreeLibrary: " +
                       std::string(notesrt::StatusText(ERR_NOTESRT_STALE_MODULE)));
  });
}
