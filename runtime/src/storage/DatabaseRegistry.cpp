#include "storage/DatabaseRegistry.h"

namespace notesrt {

TDatabaseRegistry& TDatabaseRegistry::Instance() {
  static TDatabaseRegistry& registry = *new TDatabaseRegistry;
  return registry;
}

std::shared_ptr<TDatabase> TDatabaseRegistry::Find(const std::filesystem::path& Path) const {
  auto found = FOpen.find(Path);
  return found == FOpen.end() ? nullptr : found->second.lock();
}

void TDatabaseRegistry::Add(const std::filesystem::path& Path,
                            const std::shared_ptr<TDatabase>& Database) {
  FOpen[Path] = Database;
}

// Only the entry of that very object: a newer database at the same path stays registered.
void TDatabaseRegistry::Forget(const std::filesystem::path& Path, const TDatabase* Database) {
  auto found = FOpen.find(Path);
  if (found == FOpen.end()) return;
  std::shared_ptr<TDatabase> current = found->second.lock();
  if (!current || current.get() == Database) FOpen.erase(found);
}

}  // namespace notesrt
