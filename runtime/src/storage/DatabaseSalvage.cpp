#include "storage/DatabaseSalvage.h"

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <system_error>

#include "core/EStatus.h"
#include "core/Log.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/DatabaseRegistry.h"
#include "storage/DbFile.h"
#include "storage/ItemCodec.h"
#include "storage/NoteStore.h"

namespace notesrt {

namespace {

// Note IDs are multiples of 4.
constexpr int64_t NoteIdStep = 4;
constexpr int64_t LastNoteId = 0x7FFFFFFC;

// Tables copied row by row, with what a user would call them.
const struct {
  const char* Table;
  const char* What;
} CopiedTables[] = {
    {"unread_users", "the unread marks"},
    {"unread", "the unread marks"},
    {"folder_members", "the folder membership"},
    {"acl", "the access control list"},
    {"acl_entries", "the access control list"},
    {"acl_privileges", "the access control list"},
    {"mail_delivery_log", "the router's delivery records"},
};

std::string NoteText(int64_t Id) {
  return "note " + std::to_string(Id);
}

std::filesystem::path WithSuffix(std::filesystem::path Path, const char* Suffix) {
  Path += Suffix;
  return Path;
}

// "mail/jdoe.nsf" -> "mail/jdoe-damaged-20240501-101500.nsf": the backup keeps the extension.
std::filesystem::path BackupPath(const std::filesystem::path& Path) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof(stamp), "-damaged-%Y%m%d-%H%M%S", &local);
  std::filesystem::path backup = Path.parent_path() / (Path.stem().string() + stamp);
  backup += Path.extension();
  for (int count = 2; std::filesystem::exists(backup); ++count) {
    backup = Path.parent_path() / (Path.stem().string() + stamp + "-" + std::to_string(count));
    backup += Path.extension();
  }
  return backup;
}

// Renames a database file with its journal files; a journal that is not there is left out.
void MoveFileSet(const std::filesystem::path& From, const std::filesystem::path& To) {
  for (const char* suffix : {"-wal", "-shm"}) {
    std::error_code missing;
    std::filesystem::rename(WithSuffix(From, suffix), WithSuffix(To, suffix), missing);
  }
  std::error_code error;
  std::filesystem::rename(From, To, error);
  if (error) throw EStatus(ERR_NOTESRT_STORAGE);
}

void RemoveFileSet(const std::filesystem::path& Path) {
  std::error_code ignored;
  for (const char* suffix : {"-wal", "-shm", ""})
    std::filesystem::remove(WithSuffix(Path, suffix), ignored);
}

// Reads the damaged file and writes what it can into the new one.
class TSalvage {
 public:
  TSalvage(TDbFile& From, TDatabase& To, TSalvageResult& Result)
      : FFrom(From), FTo(To), FResult(Result) {}

  void CopyHeader();
  void CopyNotes();
  void CopyTables();
  // After the notes: past every note copied, and never behind the damaged file's counter.
  void SetNoteIdCounter();

 private:
  std::set<int64_t> IdsInUnidIndex();
  std::optional<int64_t> NextNote(int64_t After);
  std::optional<int64_t> NextNoteBeyondDamage(int64_t After);
  int64_t HighestNoteId();
  void CopyNote(int64_t Id);
  void CopyObjects(int64_t Id);
  std::optional<std::string> TableSql(TDbFile& File, const char* Table);
  void CopyRows(const char* Table);
  void Lost(const std::string& What) { FResult.Losses.push_back(What); }

  TDbFile& FFrom;
  TDatabase& FTo;
  TSalvageResult& FResult;
  int64_t FCounter = 0;
  int64_t FNextNoteId = 0;
};

void TSalvage::CopyHeader() {
  try {
    TSqlQuery from(FFrom.Statement(
        "SELECT replica_id, replica_flags, cutoff_interval, cutoff, db_id, db_class, info, "
        "mod_counter, modified, next_note_id FROM header WHERE id = 1"));
    if (!from.Step()) throw EStatus(ERR_NOT_NSF);
    FNextNoteId = from.Int(9);
    TSqlQuery to(FTo.File().Statement(
        "UPDATE header SET replica_id = ?, replica_flags = ?, cutoff_interval = ?, cutoff = ?, "
        "db_id = ?, db_class = ?, info = ?, mod_counter = ?, modified = ? WHERE id = 1"));
    to.BindBlob(1, from.Blob(0)).Bind(2, from.Int(1)).Bind(3, from.Int(2));
    to.BindBlob(4, from.Blob(3)).BindBlob(5, from.Blob(4)).Bind(6, from.Int(5));
    to.BindBlob(7, from.Blob(6)).Bind(8, from.Int(7)).BindBlob(9, from.Blob(8)).Run();
    FCounter = from.Int(7);
  } catch (const EStatus&) {
    Lost("the database header (title, replica ID)");
  }
}

void TSalvage::SetNoteIdCounter() {
  TSqlQuery(FTo.File().Statement(
                "UPDATE header SET next_note_id = max(?, (SELECT coalesce(max(note_id), 0) + 4 "
                "FROM notes)) WHERE id = 1"))
      .Bind(1, FNextNoteId % NoteIdStep == 0 ? FNextNoteId : 0)
      .Run();
}

std::optional<int64_t> TSalvage::NextNote(int64_t After) {
  TSqlQuery query(
      FFrom.Statement("SELECT note_id FROM notes WHERE note_id > ? ORDER BY note_id LIMIT 1"));
  query.Bind(1, After);
  if (!query.Step()) return std::nullopt;
  return query.Int(0);
}

int64_t TSalvage::HighestNoteId() {
  try {
    TSqlQuery query(FFrom.Statement("SELECT max(note_id) FROM notes"));
    if (query.Step() && !query.IsNull(0)) return query.Int(0);
  } catch (const EStatus&) {
  }
  return LastNoteId;
}

// A damaged page hides the notes after After: the search starts further on, farther each time,
// until it gets past the damage, then closes in on the first place past it.
std::optional<int64_t> TSalvage::NextNoteBeyondDamage(int64_t After) {
  const int64_t highest = HighestNoteId();
  int64_t failed = After, step = NoteIdStep;
  std::optional<int64_t> passed;
  while (!passed && failed < highest) {
    const int64_t probe = std::min(failed + step, highest);
    try {
      NextNote(probe);
      passed = probe;
    } catch (const EStatus&) {
      failed = probe;
      step *= 2;
    }
  }
  if (!passed) {
    Lost("the notes after " + NoteText(After) + " (damaged index pages)");
    return std::nullopt;
  }
  while (*passed - failed > NoteIdStep) {
    const int64_t middle = failed + (*passed - failed) / 2 / NoteIdStep * NoteIdStep;
    try {
      NextNote(middle);
      passed = middle;
    } catch (const EStatus&) {
      failed = middle;
    }
  }
  Lost("any notes between " + NoteText(After) + " and " + NoteText(*passed + NoteIdStep) +
       " (damaged index pages)");
  return NextNote(*passed);
}

// The notes are found twice over, through the notes themselves and through the index of their
// UNIDs: a damaged page of either leaves the other, so that a note lost with it is still known
// and named.
void TSalvage::CopyNotes() {
  std::set<int64_t> ids = IdsInUnidIndex();
  int64_t last = 0;
  for (;;) {
    std::optional<int64_t> next;
    try {
      next = NextNote(last);
    } catch (const EStatus&) {
      next = NextNoteBeyondDamage(last);
    }
    if (!next) break;
    ids.insert(*next);
    last = *next;
  }
  for (int64_t id : ids) CopyNote(id);
}

// Read from the index alone, as far as it can be read.
std::set<int64_t> TSalvage::IdsInUnidIndex() {
  std::set<int64_t> ids;
  try {
    TSqlQuery query(FFrom.Statement(
        "SELECT note_id FROM notes INDEXED BY sqlite_autoindex_notes_1 WHERE unid IS NOT NULL"));
    while (query.Step()) ids.insert(query.Int(0));
  } catch (const EStatus&) {
  }
  return ids;
}

// Under its own ID and UNID, so that links, folders, unread marks and the router's records
// still point at it.
void TSalvage::CopyNote(int64_t Id) {
  try {
    TSqlQuery query(FFrom.Statement(std::string(NoteRowSelect) + "WHERE note_id = ?"));
    query.Bind(1, Id);
    if (!query.Step()) throw EStatus(ERR_INVALID_NOTE);
    const TNoteRow row = ReadNoteRow(query);
    std::vector<TItemView> views;
    DecodeItemViews(query.Blob(NoteItemsColumn), views);
    TStoredNote note{row.Header, {}};
    for (const TItemView& view : views)
      note.Items.push_back(TStoredItem{std::string(view.Name), view.Flags, view.Type,
                                       std::string(view.Value), view.Changed});
    FTo.Notes().Store(note, FCounter, true);
    if (row.Deleted)
      FTo.Notes().Delete(note.Header.Id, note.Header.Modified, FCounter, false);
    else
      FTo.Observers().NoteStored(note);
    ++FResult.NotesSaved;
  } catch (const EStatus&) {
    ++FResult.NotesLost;
    Lost(NoteText(Id));
    return;
  }
  CopyObjects(Id);
}

void TSalvage::CopyObjects(int64_t Id) {
  try {
    TSqlQuery from(FFrom.Statement("SELECT object_id, data FROM objects WHERE note_id = ?"));
    from.Bind(1, Id);
    TSqlStatement& insert =
        FTo.File().Statement("INSERT INTO objects(object_id, note_id, data) VALUES(?, ?, ?)");
    while (from.Step())
      TSqlQuery(insert).Bind(1, from.Int(0)).Bind(2, Id).BindBlob(3, from.Blob(1)).Run();
  } catch (const EStatus&) {
    Lost("the attachments of " + NoteText(Id));
  }
}

std::optional<std::string> TSalvage::TableSql(TDbFile& File, const char* Table) {
  TSqlQuery query(
      File.Statement("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"));
  query.BindText(1, Table);
  if (!query.Step()) return std::nullopt;
  return std::string(query.Blob(0));
}

// Rows are taken as they come until one cannot be read.
void TSalvage::CopyRows(const char* Table) {
  std::optional<std::string> sql = TableSql(FFrom, Table);
  if (!sql) return;
  if (!TableSql(FTo.File(), Table)) FTo.File().Execute(sql->c_str());
  TSqlStatement& select = FFrom.Statement(std::string("SELECT * FROM ") + Table);
  const int columns = sqlite3_column_count(select.Get());
  std::string insert = std::string("INSERT OR IGNORE INTO ") + Table + " VALUES(?";
  for (int column = 1; column < columns; ++column) insert += ", ?";
  TSqlStatement& into = FTo.File().Statement(insert + ")");
  TSqlQuery rows(select);
  while (rows.Step()) {
    TSqlQuery row(into);
    for (int column = 0; column < columns; ++column)
      CheckSqlite(
          sqlite3_bind_value(into.Get(), column + 1, sqlite3_column_value(select.Get(), column)));
    row.Run();
  }
}

void TSalvage::CopyTables() {
  std::string lastLoss;
  for (const auto& entry : CopiedTables) {
    try {
      CopyRows(entry.Table);
    } catch (const EStatus&) {
      if (lastLoss != entry.What) Lost("part of " + std::string(entry.What));
      lastLoss = entry.What;
    }
  }
  // Marks and memberships of notes that could not be saved would point at nothing.
  FTo.File().Execute(
      "DELETE FROM unread WHERE note_id NOT IN (SELECT note_id FROM notes);"
      "DELETE FROM folder_members WHERE note_id NOT IN (SELECT note_id FROM notes) "
      "  OR folder_id NOT IN (SELECT note_id FROM notes);");
}

// Without a notes table there is nothing of a Notes database to save.
void RequireNotesTable(TDbFile& File) {
  try {
    TSqlQuery query(File.Statement(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'notes'"));
    if (query.Step() && query.Int(0) == 1) return;
  } catch (const EStatus&) {
  }
  throw EStatus(ERR_NOT_NSF);
}

// A copy with its journal: reading a file in WAL mode needs its shared memory, which SQLite
// makes and may write, and the damaged file is to be kept exactly as it was.
void CopyFileSet(const std::filesystem::path& From, const std::filesystem::path& To) {
  RemoveFileSet(To);
  std::error_code error;
  std::filesystem::copy_file(From, To, error);
  if (!error && std::filesystem::exists(WithSuffix(From, "-wal")))
    std::filesystem::copy_file(WithSuffix(From, "-wal"), WithSuffix(To, "-wal"), error);
  if (error)
    throw EStatus(error == std::errc::no_space_on_device ? ERR_NOTESRT_DISK_FULL
                                                         : ERR_NOTESRT_STORAGE);
}

void CopyInto(const std::filesystem::path& From, const std::filesystem::path& To,
              TSalvageResult& Result) {
  std::unique_ptr<TDbFile> damaged = TDbFile::OpenDamaged(From);
  RequireNotesTable(*damaged);
  TDatabase::Create(To, 0, true);
  std::shared_ptr<TDatabase> target = TDatabase::Open(To);
  target->Write([&] {
    TSalvage salvage(*damaged, *target, Result);
    salvage.CopyHeader();
    salvage.CopyNotes();
    salvage.CopyTables();
    salvage.SetNoteIdCounter();
  });
}

}  // namespace

TSalvageResult SalvageDatabase(const std::filesystem::path& Path) {
  std::error_code error;
  const std::filesystem::path file = std::filesystem::weakly_canonical(Path, error);
  if (error) throw EStatus(ERR_NOEXIST);
  TDatabase::CloseUnused(file);
  if (TDatabaseRegistry::Instance().Find(file)) throw EStatus(ERR_NOTESRT_IN_USE);
  const std::filesystem::path fresh = WithSuffix(file, ".fixup");
  const std::filesystem::path scratch = WithSuffix(file, ".fixup-source");
  TSalvageResult result;
  try {
    CopyFileSet(file, scratch);
    CopyInto(scratch, fresh, result);
  } catch (...) {
    RemoveFileSet(fresh);
    RemoveFileSet(scratch);
    throw;
  }
  RemoveFileSet(scratch);
  result.Backup = SetAside(file);
  MoveFileSet(fresh, file);
  return result;
}

std::filesystem::path SetAside(const std::filesystem::path& File) {
  std::filesystem::path backup = BackupPath(File);
  MoveFileSet(File, backup);
  return backup;
}

void LogFixup(const std::filesystem::path& File, const TSalvageResult& Result) {
  for (const std::string& loss : Result.Losses) LogLine(File.string() + ": could not read " + loss);
  LogLine(File.string() + " repaired: " + std::to_string(Result.NotesSaved) + " notes saved, " +
          std::to_string(Result.NotesLost) + " lost; the damaged file is kept as " +
          Result.Backup.string());
}

}  // namespace notesrt
