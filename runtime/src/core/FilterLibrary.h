#pragma once

#include <filesystem>
#include <string_view>

#include "core/HandleObject.h"
#include "notesapi/ixport.h"
#include "notesapi/notesrt.h"

namespace notesrt {

// The file of the filter library Name in the program directory. Name is a base name, alone or
// after that directory, with or without a ".DLL" or ".so" suffix, in any case; the file is
// "<base name>.so" in any case. Never the search path or the current directory: EStatus
// ERR_NOTESRT_LIBRARY_DIRECTORY for another directory part, ERR_NOTESRT_LIBRARY_NOT_FOUND when
// no such file is there.
std::filesystem::path FilterLibraryFile(std::string_view Name);

// A loaded filter library, unloaded with its handle (OSFreeLibrary, or the last NotesTerm).
class TFilterLibrary : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_MODULE;
  // EStatus ERR_NOTESRT_LIBRARY_LOAD when the file does not load, ERR_NOTESRT_NO_ENTRY_POINT
  // when it has no MainEntryPoint; nothing stays loaded then.
  explicit TFilterLibrary(const std::filesystem::path& File);
  ~TFilterLibrary() override;
  TFilterLibrary(const TFilterLibrary&) = delete;
  TFilterLibrary& operator=(const TFilterLibrary&) = delete;

  WORD Kind() const override { return KindId; }
  IXENTRYPROC EntryPoint() const { return FEntryPoint; }

 private:
  void* FModule = nullptr;
  IXENTRYPROC FEntryPoint = nullptr;
};

}  // namespace notesrt
