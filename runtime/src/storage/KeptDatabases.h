#pragma once

#include <filesystem>
#include <map>
#include <memory>

#include "storage/FileIdentity.h"

namespace notesrt {

class TDatabase;

// Databases kept open between API calls, so that a frequent reader (an address lookup) does not
// open the file and read its schema each time. SQLite itself notices what another process writes
// to the file; a file deleted or replaced on disk is opened afresh. Kept for the session
// (TRuntime::Session) or until this process replaces the file. Callers hold the API lock.
class TKeptDatabases {
 public:
  // The database at Path (as TDatabase::Open finds it), kept from now on.
  std::shared_ptr<TDatabase> Open(const std::filesystem::path& Path);
  // Lets go of the database at Path, if kept.
  void Release(const std::filesystem::path& Path);
  // Lets go of the database at Path if its file was deleted or replaced since it was kept, so
  // that opening Path opens the file that is there now.
  void ReleaseIfGone(const std::filesystem::path& Path);
  // The same for every kept database: a book deleted since is no longer asked for by name.
  void ReleaseGone();

 private:
  struct TKept {
    std::shared_ptr<TDatabase> Database;
    TFileIdentity File;
  };
  // Path (the caller's name of the file or the database's own) names Kept.
  static bool Names(const std::filesystem::path& Path,
                    const std::pair<const std::filesystem::path, TKept>& Kept);
  static bool Gone(const std::pair<const std::filesystem::path, TKept>& Kept);
  std::map<std::filesystem::path, TKept> FKept;
};

}  // namespace notesrt
