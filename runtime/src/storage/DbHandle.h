#pragma once

#include <filesystem>
#include <memory>

#include "core/HandleObject.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdata.h"

namespace notesrt {

class IDbAccess;
class TDatabase;

// What a database handle names: an open database, or a directory (which serves only to be
// listed and closed).
class TDbHandle : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_DATABASE;

  explicit TDbHandle(std::shared_ptr<TDatabase> Database,
                     std::shared_ptr<const IDbAccess> Access = nullptr)
      : FDatabase(std::move(Database)), FAccess(std::move(Access)) {}
  explicit TDbHandle(std::filesystem::path Directory) : FDirectory(std::move(Directory)) {}
  WORD Kind() const override { return KindId; }

  bool IsDirectory() const { return !FDatabase; }
  const std::filesystem::path& Directory() const { return FDirectory; }
  // Null when nothing is enforced (DbAccess.h).
  const std::shared_ptr<const IDbAccess>& Access() const { return FAccess; }
  void SetAccess(std::shared_ptr<const IDbAccess> Access) { FAccess = std::move(Access); }

  // The database behind a handle: ERR_NOTESRT_INVALID_HANDLE for a bad handle, ERR_DIRECTORY
  // for a directory handle.
  static const std::shared_ptr<TDatabase>& DatabaseOf(DBHANDLE Handle);
  static const std::shared_ptr<const IDbAccess>& AccessOf(DBHANDLE Handle);

 private:
  std::shared_ptr<TDatabase> FDatabase;
  std::shared_ptr<const IDbAccess> FAccess;
  std::filesystem::path FDirectory;
};

}  // namespace notesrt
