#pragma once

#include <filesystem>
#include <functional>

#include "Registry.h"
#include "RegistryHive.h"

// The file of one registry root under TRegistry::Directory(). Every read loads the file afresh,
// so a save by another process is seen at once. Saves replace the file atomically (a temporary
// file renamed over it), so a reader never sees half a file; writers in several processes take
// turns through an flock on a lock file beside it, so none of them loses another's change.
class TRegistryStore {
 public:
  explicit TRegistryStore(HKEY Root);

  // The root's current content; empty when there is no file yet.
  TRegistryHive Load() const;
  // Loads, applies Change and saves, all under the writers' lock. When Change raises, nothing
  // is saved.
  void Update(const std::function<void(TRegistryHive&)>& Change);

  std::filesystem::path FileName() const;

 private:
  void Save(const TRegistryHive& Hive) const;
  std::filesystem::path SiblingFile(const char* Extension) const;

  HKEY FRoot;
};
