#include "storage/KeptDatabases.h"

#include "core/EStatus.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"

namespace notesrt {

std::shared_ptr<TDatabase> TKeptDatabases::Open(const std::filesystem::path& Path) {
  ReleaseIfGone(Path);
  const std::optional<TFileIdentity> file = TFileIdentity::Of(Path);
  if (!file) throw EStatus(ERR_NOEXIST);
  if (auto kept = FKept.find(Path); kept != FKept.end()) return kept->second.Database;
  std::shared_ptr<TDatabase> database = TDatabase::Open(Path);
  FKept[Path] = TKept{database, *file};
  return database;
}

bool TKeptDatabases::Names(const std::filesystem::path& Path,
                           const std::pair<const std::filesystem::path, TKept>& Kept) {
  return Kept.first == Path || Kept.second.Database->Path() == Path;
}

void TKeptDatabases::Release(const std::filesystem::path& Path) {
  std::erase_if(FKept, [&](const auto& Kept) { return Names(Path, Kept); });
}

bool TKeptDatabases::Gone(const std::pair<const std::filesystem::path, TKept>& Kept) {
  const std::optional<TFileIdentity> file = TFileIdentity::Of(Kept.first);
  return !file || !file->SameFile(Kept.second.File);
}

void TKeptDatabases::ReleaseIfGone(const std::filesystem::path& Path) {
  std::erase_if(FKept, [&](const auto& Kept) { return Names(Path, Kept) && Gone(Kept); });
}

void TKeptDatabases::ReleaseGone() {
  std::erase_if(FKept, [](const auto& Kept) { return Gone(Kept); });
}

}  // namespace notesrt
