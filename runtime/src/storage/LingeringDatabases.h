#pragma once

#include <deque>
#include <filesystem>
#include <memory>

#include "storage/FileIdentity.h"

namespace notesrt {

class TDatabase;

// Databases whose last user let go of them, kept open a little longer: a caller that closes a
// mail file and opens it again at once (to see it as it is now) finds the collections it laid
// out still there, good as long as the file's commit mark is unchanged. Only databases holding
// such derived state are kept, and only while their file is the one opened and unchanged on
// disk since: a file written in place, replaced or deleted is opened afresh. A kept database
// holds no transaction, so nothing read from it is older than the file. Kept for the session
// (TRuntime::Session); callers hold the API lock.
class TLingeringDatabases {
 public:
  // The database for a caller: when the caller and every other user have let go of it, it
  // lingers here (or closes, once the runtime is terminated).
  static std::shared_ptr<TDatabase> Lend(std::shared_ptr<TDatabase> Database);

  // The database at Path if it lingers and its file is unchanged since; it is the caller's then.
  std::shared_ptr<TDatabase> Take(const std::filesystem::path& Path);
  // Closes the database at Path if it lingers.
  void Release(const std::filesystem::path& Path);

 private:
  struct TLingering {
    std::shared_ptr<TDatabase> Database;
    TFileIdentity File;
  };
  static void LetGo(std::shared_ptr<TDatabase> Database);
  void Keep(std::shared_ptr<TDatabase> Database);
  std::deque<TLingering> FLingering;
};

}  // namespace notesrt
