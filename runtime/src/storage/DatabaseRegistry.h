#pragma once

#include <filesystem>
#include <map>
#include <memory>

namespace notesrt {

class TDatabase;

// The databases open in this process, by file, so that every handle on one file shares one
// connection. Entries do not keep a database alive. Callers hold the API lock.
class TDatabaseRegistry {
 public:
  static TDatabaseRegistry& Instance();

  std::shared_ptr<TDatabase> Find(const std::filesystem::path& Path) const;
  void Add(const std::filesystem::path& Path, const std::shared_ptr<TDatabase>& Database);
  void Forget(const std::filesystem::path& Path, const TDatabase* Database);

 private:
  TDatabaseRegistry() = default;
  std::map<std::filesystem::path, std::weak_ptr<TDatabase>> FOpen;
};

}  // namespace notesrt
