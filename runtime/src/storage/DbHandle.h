#pragma once

#include <filesystem>
#include <memory>

#include "core/HandleObject.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

// What a database handle names: an open database, or a directory (which serves only to be
// listed and closed).
class TDbHandle : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_DATABASE;

  explicit TDbHandle(std::shared_ptr<TDatabase> Database) : FDatabase(std::move(Database)) {}
  explicit TDbHandle(std::filesystem::path Directory) : FDirectory(std::move(Directory)) {}
  WORD Kind() const override { return KindId; }

  bool IsDirectory() const { return !FDatabase; }
  const std::filesystem::path& Directory() const { return FDirectory; }

  // The database behind a handle: ERR_NOTESRT_INVALID_HANDLE for a bad handle, ERR_DIRECTORY
  // for a directory handle.
  static const std::shared_ptr<TDatabase>& DatabaseOf(DBHANDLE Handle);

 private:
  std::shared_ptr<TDatabase> FDatabase;
  std::filesystem::path FDirectory;
};

}  // namespace notesrt
