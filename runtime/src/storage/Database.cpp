#include "storage/Database.h"

#include <random>
#include <system_error>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/DatabaseRegistry.h"
#include "storage/Oid.h"
#include "storage/StoredValue.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

std::filesystem::path RegistryKey(const std::filesystem::path& Path) {
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(Path, error);
  return error ? Path : canonical;
}

// Class 0 means "by extension"; every Notes database class has 0xFF in its high byte.
bool ValidClass(WORD DbClass) {
  return DbClass == 0 || (DbClass & 0xFF00) == 0xFF00;
}

void RemoveFileSet(const std::filesystem::path& Path) {
  std::error_code error;
  for (const char* suffix : {"-wal", "-shm", ""}) {
    std::filesystem::path file = Path;
    file += suffix;
    std::filesystem::remove(file, error);
  }
}

}  // namespace

std::shared_ptr<TDatabase> TDatabase::Open(const std::filesystem::path& Path) {
  std::filesystem::path key = RegistryKey(Path);
  TDatabaseRegistry& registry = TDatabaseRegistry::Instance();
  if (std::shared_ptr<TDatabase> open = registry.Find(key)) return open;
  auto database = std::make_shared<TDatabase>(key, TDbFile::Open(key));
  registry.Add(key, database);
  return database;
}

void TDatabase::Create(const std::filesystem::path& Path, WORD DbClass, bool Force) {
  if (!ValidClass(DbClass)) throw EStatus(ERR_DBCLASS);
  std::filesystem::path key = RegistryKey(Path);
  std::error_code error;
  if (std::filesystem::exists(key, error)) {
    if (!Force) throw EStatus(ERR_EXISTS);
    if (TDatabaseRegistry::Instance().Find(key)) throw EStatus(ERR_NOTESRT_IN_USE);
    if (std::filesystem::is_directory(key, error)) throw EStatus(ERR_EXISTS);
    RemoveFileSet(key);
  }
  std::filesystem::create_directories(key.parent_path(), error);
  try {
    std::unique_ptr<TDbFile> file = TDbFile::Create(key);
    WriteNewHeader(*file, DbClass == 0 ? DBCLASS_NOTEFILE : DbClass);
  } catch (...) {
    RemoveFileSet(key);
    throw;
  }
}

// The replica ID only has to be unique; the database ID is the creation time, as published.
void TDatabase::WriteNewHeader(TDbFile& File, WORD DbClass) {
  TIMEDATE now = CurrentTimeDate();
  TIMEDATE replica = now;
  replica.Innards[0] = std::random_device()();
  TSqlQuery query(File.Statement(
      "UPDATE header SET replica_id = ?, replica_flags = 0, cutoff_interval = 0, cutoff = ?, "
      "db_id = ?, db_class = ?, modified = ? WHERE id = 1"));
  query.BindBlob(1, BytesOf(replica)).BindBlob(2, BytesOf(TIMEDATE{})).BindBlob(3, BytesOf(now));
  query.Bind(4, DbClass).BindBlob(5, BytesOf(now)).Run();
}

TDatabase::TDatabase(std::filesystem::path Path, std::unique_ptr<TDbFile> File)
    : FPath(std::move(Path)),
      FFile(std::move(File)),
      FNotes(*FFile),
      FObjects(*FFile),
      FUnread(*FFile),
      FObservers(*FFile),
      FRandom(std::random_device()()) {}

TDatabase::~TDatabase() {
  TDatabaseRegistry::Instance().Forget(FPath, this);
}

ORIGINATORID TDatabase::NewOid() {
  return notesrt::NewOid(FRandom);
}

TDbHeader TDatabase::Header() {
  TSqlQuery query(FFile->Statement(
      "SELECT replica_id, replica_flags, cutoff_interval, cutoff, db_id, db_class, info, "
      "mod_counter, modified FROM header WHERE id = 1"));
  if (!query.Step()) throw EStatus(ERR_NOT_NSF);
  TDbHeader header;
  header.Replica.ID = FromBytes<TIMEDATE>(query.Blob(0));
  header.Replica.Flags = static_cast<WORD>(query.Int(1));
  header.Replica.CutoffInterval = static_cast<WORD>(query.Int(2));
  header.Replica.Cutoff = FromBytes<TIMEDATE>(query.Blob(3));
  header.DbId = FromBytes<TIMEDATE>(query.Blob(4));
  header.DbClass = static_cast<WORD>(query.Int(5));
  header.Info = std::string(query.Blob(6));
  header.ModCounter = query.Int(7);
  header.Modified = FromBytes<TIMEDATE>(query.Blob(8));
  return header;
}

void TDatabase::SetInfo(std::string_view Info) {
  Write([&] {
    TSqlQuery(FFile->Statement("UPDATE header SET info = ? WHERE id = 1")).BindBlob(1, Info).Run();
  });
}

void TDatabase::SetReplicaInfo(const DBREPLICAINFO& Replica) {
  Write([&] {
    TSqlQuery query(FFile->Statement(
        "UPDATE header SET replica_id = ?, replica_flags = ?, cutoff_interval = ?, cutoff = ? "
        "WHERE id = 1"));
    query.BindBlob(1, BytesOf(Replica.ID)).Bind(2, Replica.Flags);
    query.Bind(3, Replica.CutoffInterval).BindBlob(4, BytesOf(Replica.Cutoff)).Run();
  });
}

NOTEID TDatabase::AllocateNoteId() {
  TSqlQuery query(FFile->Statement(
      "UPDATE header SET next_note_id = next_note_id + 4 WHERE id = 1 RETURNING next_note_id - 4"));
  if (!query.Step()) throw EStatus(ERR_NOT_NSF);
  auto id = static_cast<NOTEID>(query.Int(0));
  query.Run();
  return id;
}

int64_t TDatabase::BumpCounter(const TIMEDATE& Now) {
  TSqlQuery query(
      FFile->Statement("UPDATE header SET mod_counter = mod_counter + 1, modified = ? WHERE id = 1 "
                       "RETURNING mod_counter"));
  query.BindBlob(1, BytesOf(Now));
  if (!query.Step()) throw EStatus(ERR_NOT_NSF);
  int64_t counter = query.Int(0);
  query.Run();
  return counter;
}

void TDatabase::DeleteNote(NOTEID Id, bool NoStub) {
  Write([&] {
    std::optional<TNoteRow> row = FNotes.Row(Id);
    if (!row) throw EStatus(ERR_INVALID_NOTE);
    if (row->Deleted) throw EStatus(ERR_NOTE_DELETED);
    TIMEDATE now = CurrentTimeDate();
    FNotes.Delete(Id, now, BumpCounter(now), NoStub);
    FObservers.NoteDeleted(Id);
    FObjects.DropUnreferenced(Id, {});
    FUnread.RemoveNote(Id);
  });
}

}  // namespace notesrt
