#include "storage/LingeringDatabases.h"

#include <algorithm>

#include "core/Runtime.h"
#include "storage/Database.h"

namespace notesrt {

namespace {

// A user's mail file and a few it reads besides; each may hold megabytes of laid-out rows.
constexpr size_t MostLingering = 4;

}  // namespace

std::shared_ptr<TDatabase> TLingeringDatabases::Lend(std::shared_ptr<TDatabase> Database) {
  TDatabase* database = Database.get();
  return std::shared_ptr<TDatabase>(
      database, [owned = std::move(Database)](TDatabase*) mutable { LetGo(std::move(owned)); });
}

// Runs wherever the last user lets go, so it never throws: a database that cannot be kept
// simply closes.
void TLingeringDatabases::LetGo(std::shared_ptr<TDatabase> Database) {
  TRuntime& runtime = TRuntime::Instance();
  if (!runtime.Initialized() || !Database->HasDerived()) return;
  try {
    runtime.Session<TLingeringDatabases>().Keep(std::move(Database));
  } catch (...) {
  }
}

// The journal goes into the file first, as closing would have done: whoever reads or copies the
// file alone meanwhile finds every commit in it.
void TLingeringDatabases::Keep(std::shared_ptr<TDatabase> Database) {
  if (!Database->File().StillAtPath()) return;
  Database->File().Checkpoint();
  const std::optional<TFileIdentity> file = TFileIdentity::Of(Database->Path());
  if (!file) return;
  Release(Database->Path());
  FLingering.push_front(TLingering{std::move(Database), *file});
  if (FLingering.size() > MostLingering) FLingering.pop_back();
}

std::shared_ptr<TDatabase> TLingeringDatabases::Take(const std::filesystem::path& Path) {
  auto found = std::find_if(FLingering.begin(), FLingering.end(),
                            [&](const TLingering& Each) { return Each.Database->Path() == Path; });
  if (found == FLingering.end()) return nullptr;
  TLingering lingering = std::move(*found);
  FLingering.erase(found);
  const std::optional<TFileIdentity> file = TFileIdentity::Of(Path);
  return file && file->Unchanged(lingering.File) ? std::move(lingering.Database) : nullptr;
}

void TLingeringDatabases::Release(const std::filesystem::path& Path) {
  std::erase_if(FLingering, [&](const TLingering& Each) { return Each.Database->Path() == Path; });
}

}  // namespace notesrt
