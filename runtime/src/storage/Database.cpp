#include "storage/Database.h"

#include <random>
#include <system_error>

#include "core/EStatus.h"
#include "core/Log.h"
#include "core/Runtime.h"
#include "core/StatusTexts.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/DatabaseRegistry.h"
#include "storage/KeptDatabases.h"
#include "storage/LingeringDatabases.h"
#include "storage/Oid.h"
#include "storage/StoredValue.h"
#include "text/TextFold.h"
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

bool IsDamage(const EStatus& Error) {
  return ERR(Error.Status()) == ERR_NOT_NSF || ERR(Error.Status()) == ERR_NSF_VERSION;
}

// A router mailbox is written by every sender and read whole by the router: a damaged page found
// when it is opened keeps mail out of a file that could not be routed.
bool IsRouterMailBox(const std::filesystem::path& Path) {
  return FoldUtf8(Path.filename().string()) == "mail.box";
}

// What is wrong with a file is said where the file is known: the status alone would not name it.
std::unique_ptr<TDbFile> OpenFile(const std::filesystem::path& Path) {
  try {
    std::unique_ptr<TDbFile> file = TDbFile::Open(Path);
    if (IsRouterMailBox(Path)) {
      const std::string problem = file->QuickCheck();
      if (!problem.empty()) {
        LogLine(Path.string() + " is damaged: " + problem);
        throw EStatus(ERR_NOT_NSF);
      }
    }
    return file;
  } catch (const EStatus& error) {
    if (IsDamage(error)) LogLine(Path.string() + ": " + std::string(StatusText(error.Status())));
    throw;
  }
}

}  // namespace

std::shared_ptr<TDatabase> TDatabase::Open(const std::filesystem::path& Path) {
  RequireInitialized();
  std::filesystem::path key = RegistryKey(Path);
  // A kept database whose file was deleted or replaced since must not answer for the new file.
  TRuntime::Instance().Session<TKeptDatabases>().ReleaseIfGone(key);
  // A database still open on a file deleted or replaced since serves only the handles it has.
  TDatabaseRegistry& registry = TDatabaseRegistry::Instance();
  std::shared_ptr<TDatabase> open = registry.Find(key);
  if (open && open->File().StillAtPath()) return open;
  std::shared_ptr<TDatabase> database =
      TRuntime::Instance().Session<TLingeringDatabases>().Take(key);
  if (!database) {
    database = std::make_shared<TDatabase>(key, OpenFile(key));
    database->CheckNoteIdCounter();
  }
  open = TLingeringDatabases::Lend(std::move(database));
  registry.Add(key, open);
  return open;
}

void TDatabase::CloseUnused(const std::filesystem::path& Path) {
  TRuntime& runtime = TRuntime::Instance();
  runtime.Session<TKeptDatabases>().Release(Path);
  runtime.Session<TLingeringDatabases>().Release(Path);
}

void TDatabase::Create(const std::filesystem::path& Path, WORD DbClass, bool Force) {
  RequireInitialized();
  if (!ValidClass(DbClass)) throw EStatus(ERR_DBCLASS);
  std::filesystem::path key = RegistryKey(Path);
  // Also when the file is gone: a database kept on it must not share journal files with the new.
  CloseUnused(key);
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
      FReadAhead(*FFile),
      FRandom(std::random_device()()) {}

TDatabase::~TDatabase() {
  TDatabaseRegistry::Instance().Forget(FPath, this);
}

ORIGINATORID TDatabase::NewOid() {
  return notesrt::NewOid(FRandom);
}

TNoteHeader TDatabase::LoadForOpen(NOTEID Id, std::string& Blob, std::vector<TItemView>& Items) {
  TNoteHeader header;
  if (!FReadAhead.Take(Id, header, Blob)) return FNotes.Load(Id, Blob, Items);
  DecodeItemViews(Blob, Items);
  return header;
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

// Note IDs are multiples of 4; the top bit marks deleted entries in ID tables.
constexpr int64_t LastNoteId = 0x7FFFFFFC;

int64_t TDatabase::NoteIdCounter() {
  TSqlQuery query(FFile->Statement("SELECT next_note_id FROM header WHERE id = 1"));
  if (!query.Step()) throw EStatus(ERR_NOT_NSF);
  return query.IsNull(0) ? 0 : query.Int(0);
}

// The next ID after every stored note and deletion stub.
int64_t TDatabase::FirstFreeNoteId() {
  TSqlQuery query(FFile->Statement("SELECT max(note_id) FROM notes"));
  int64_t highest = query.Step() && !query.IsNull(0) ? query.Int(0) : 0;
  return (highest / 4 + 1) * 4;
}

// A counter behind the stored notes (a damaged header, a restored backup) would make the next
// new note replace one of them.
bool TDatabase::NoteIdCounterSound() {
  const int64_t counter = NoteIdCounter();
  return counter % 4 == 0 && counter >= FirstFreeNoteId();
}

void TDatabase::RepairNoteIdCounter() {
  if (NoteIdCounterSound()) return;
  const int64_t counter = NoteIdCounter(), firstFree = FirstFreeNoteId();
  TSqlQuery(FFile->Statement("UPDATE header SET next_note_id = ? WHERE id = 1"))
      .Bind(1, firstFree)
      .Run();
  LogLine(FPath.string() + ": the note ID counter (" + std::to_string(counter) +
          ") did not fit the stored notes (damaged header or restored backup); set to " +
          std::to_string(firstFree));
}

// At open: only a wrong counter is written, and a file that cannot be written now is set right
// by its next new note instead.
void TDatabase::CheckNoteIdCounter() {
  if (NoteIdCounterSound()) return;
  try {
    Write([&] { RepairNoteIdCounter(); });
  } catch (const EStatus&) {
  }
}

NOTEID TDatabase::AllocateNoteId() {
  RepairNoteIdCounter();
  const int64_t id = NoteIdCounter();
  if (id > LastNoteId) throw EStatus(ERR_NOTESRT_NOTE_IDS_USED);
  TSqlQuery(FFile->Statement("UPDATE header SET next_note_id = ? WHERE id = 1"))
      .Bind(1, id + 4)
      .Run();
  return static_cast<NOTEID>(id);
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
