#include "storage/DbFile.h"

#include <sys/statvfs.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/EStatus.h"
#include "core/Log.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/DbSchema.h"

namespace notesrt {

namespace {

bool IsRegularFile(const std::filesystem::path& Path) {
  std::error_code error;
  return std::filesystem::is_regular_file(Path, error);
}

uint32_t BigEndianAt(const unsigned char* Bytes, size_t Offset) {
  return (uint32_t{Bytes[Offset]} << 24) | (uint32_t{Bytes[Offset + 1]} << 16) |
         (uint32_t{Bytes[Offset + 2]} << 8) | Bytes[Offset + 3];
}

// SQLite reads a cut-off file happily until it reaches a missing page. Its header records the
// size the file had when last written whole (valid while the "version valid for" field matches
// the change counter), so a truncated database is refused before anything reads it.
void CheckWholeFile(const std::filesystem::path& Path) {
  constexpr size_t HeaderSize = 100;
  unsigned char header[HeaderSize];
  std::ifstream file(Path, std::ios::binary);
  if (!file.read(reinterpret_cast<char*>(header), HeaderSize)) throw EStatus(ERR_NOT_NSF);
  if (std::memcmp(header, "SQLite format 3", 16) != 0) throw EStatus(ERR_NOT_NSF);
  uint32_t pageSize = (uint32_t{header[16]} << 8) | header[17];
  if (pageSize == 1) pageSize = 65536;
  uint32_t pages = BigEndianAt(header, 28);
  bool sizeValid = pages > 0 && BigEndianAt(header, 24) == BigEndianAt(header, 92);
  std::error_code error;
  uintmax_t size = std::filesystem::file_size(Path, error);
  if (error || (sizeValid && size < uintmax_t{pages} * pageSize)) throw EStatus(ERR_NOT_NSF);
}

}  // namespace

sqlite3* TDbFile::ConnectImmutable(const std::filesystem::path& Path) {
  std::string uri = "file:";
  for (char c : Path.string()) {
    if (c == '%' || c == '?' || c == '#') {
      char escaped[4];
      std::snprintf(escaped, sizeof(escaped), "%%%02X", static_cast<unsigned char>(c));
      uri += escaped;
    } else {
      uri += c;
    }
  }
  return Connect(uri + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
}

sqlite3* TDbFile::Connect(const std::string& Path, int Flags) {
  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(Path.c_str(), &db, Flags | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    sqlite3_close_v2(db);
    ThrowSqlite(code);
  }
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, BusyTimeoutMs);
  return db;
}

// A connection that cannot make its journal files (read-only media, a full disk) fails with one
// of these; the file itself may still be read.
bool CannotWrite(const EStatus& Error) {
  return ERR(Error.Status()) == ERR_NOTESRT_STORAGE || ERR(Error.Status()) == ERR_NOTESRT_DISK_FULL;
}

std::unique_ptr<TDbFile> TDbFile::Open(const std::filesystem::path& Path) {
  if (!IsRegularFile(Path)) throw EStatus(ERR_NOEXIST);
  CheckWholeFile(Path);
  try {
    std::unique_ptr<TDbFile> file(new TDbFile(Connect(Path, SQLITE_OPEN_READWRITE), Path, false));
    file->CheckSchema();
    file->Configure();
    return file;
  } catch (const EStatus& error) {
    if (!CannotWrite(error)) throw;
  }
  return OpenReadOnly(Path);
}

// Immutable: SQLite then needs no journal files and takes no locks, which is right for media
// nobody can write and good enough for a disk too full for anyone to write.
std::unique_ptr<TDbFile> TDbFile::OpenReadOnly(const std::filesystem::path& Path) {
  std::unique_ptr<TDbFile> file(new TDbFile(ConnectImmutable(Path), Path, true));
  file->CheckSchema();
  file->Configure();
  return file;
}

std::optional<std::string> TDbFile::ReadInfo(const std::filesystem::path& Path) {
  try {
    if (!IsRegularFile(Path)) return std::nullopt;
    CheckWholeFile(Path);
    // With no journal beside it the file holds every commit, and reading it as it stands
    // creates no journal and shared-memory files that closing would delete again; otherwise
    // the journal is read too.
    std::error_code error;
    bool journal = std::filesystem::exists(Path.string() + "-wal", error) || error;
    TDbFile file(journal ? Connect(Path, SQLITE_OPEN_READONLY) : ConnectImmutable(Path), Path,
                 true);
    if (file.PragmaValue("application_id") != DbSchema::ApplicationId) return std::nullopt;
    if (file.PragmaValue("user_version") < 1) return std::nullopt;
    TSqlQuery query(file.Statement("SELECT info FROM header WHERE id = 1"));
    if (!query.Step()) return std::nullopt;
    return std::string(query.Blob(0));
  } catch (const EStatus&) {
    return std::nullopt;
  }
}

std::unique_ptr<TDbFile> TDbFile::OpenDamaged(const std::filesystem::path& Path) {
  if (!IsRegularFile(Path)) throw EStatus(ERR_NOEXIST);
  return std::unique_ptr<TDbFile>(new TDbFile(Connect(Path, SQLITE_OPEN_READWRITE), Path, true));
}

std::unique_ptr<TDbFile> TDbFile::Create(const std::filesystem::path& Path) {
  if (IsRegularFile(Path)) throw EStatus(ERR_EXISTS);
  std::unique_ptr<TDbFile> file(
      new TDbFile(Connect(Path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE), Path, false));
  file->Execute("PRAGMA journal_mode = WAL");
  file->Configure();
  file->Write([&] {
    file->Execute(("PRAGMA application_id = " + std::to_string(DbSchema::ApplicationId)).c_str());
    DbSchema::Migrate(*file, 0);
  });
  return file;
}

// The connection holds the file open from here on, so the path names the same file now.
TDbFile::TDbFile(sqlite3* Db, std::filesystem::path Path, bool ReadOnly)
    : FDb(Db), FPath(std::move(Path)), FReadOnly(ReadOnly), FIdentity(TFileIdentity::Of(FPath)) {}

bool TDbFile::StillAtPath() const {
  const std::optional<TFileIdentity> now = TFileIdentity::Of(FPath);
  return now && FIdentity && now->SameFile(*FIdentity);
}

// An empty journal is left as it is: emptying it again would start it afresh and so change the
// commit mark that the file's derived state is kept under.
void TDbFile::Checkpoint() {
  if (!FWal || !Idle()) return;
  int frames = 0;
  int copied = 0;
  if (sqlite3_wal_checkpoint_v2(FDb, nullptr, SQLITE_CHECKPOINT_PASSIVE, &frames, &copied) !=
          SQLITE_OK ||
      frames <= 0)
    return;
  sqlite3_busy_timeout(FDb, 0);
  sqlite3_wal_checkpoint_v2(FDb, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  sqlite3_busy_timeout(FDb, BusyTimeoutMs);
}

// The disk may have been full when the file was opened and have room again now: asked each time.
void TDbFile::RefuseWriteWhenReadOnly() const {
  if (!FReadOnly) return;
  struct statvfs disk {};
  const bool full = statvfs(FPath.parent_path().c_str(), &disk) == 0 && disk.f_bavail == 0;
  throw EStatus(full ? ERR_NOTESRT_DISK_FULL : ERR_NOTESRT_STORAGE);
}

void TDbFile::NoteWriteFailure(const EStatus& Error) const {
  if (ERR(Error.Status()) != ERR_NOTESRT_DISK_FULL) return;
  LogLine("The disk is full: " + FPath.parent_path().string() + " has no room to write " +
          FPath.filename().string());
}

TDbFile::~TDbFile() {
  FStatements.clear();
  sqlite3_close_v2(FDb);
}

// Reading the header page is what fails on garbage; nothing is written before the file is known
// to be ours, so a foreign file is left untouched.
void TDbFile::CheckSchema() {
  if (PragmaValue("application_id") != DbSchema::ApplicationId) throw EStatus(ERR_NOT_NSF);
  int64_t version = PragmaValue("user_version");
  if (version > DbSchema::CurrentVersion()) throw EStatus(ERR_NSF_VERSION);
  if (version < 1) throw EStatus(ERR_NOT_NSF);
  if (version < DbSchema::CurrentVersion()) {
    // Another process may be migrating the same file: decide again under the write lock.
    Write([&] { DbSchema::Migrate(*this, PragmaValue("user_version")); });
  }
  TSqlQuery header(Statement("SELECT count(*) FROM header WHERE id = 1"));
  if (!header.Step() || header.Int(0) != 1) throw EStatus(ERR_NOT_NSF);
}

// FULL makes every commit durable on return; WAL lets readers in other processes go on while
// one writes. A page cache of up to 32 MB keeps a mail file's recent notes in memory: opening a
// note then costs no read from the file. Reads through a memory map spare a copy per page on a
// freshly opened file (an address book is opened for each lookup); the runtime never shrinks a
// database file in place, which is what makes mapped reads unsafe.
void TDbFile::Configure() {
  if (!FReadOnly) {
    TSqlStatement statement(FDb, "PRAGMA journal_mode = WAL");
    TSqlQuery query(statement);
    FWal = query.Step() && query.Blob(0) == "wal";
  }
  // A journal is cut back after each checkpoint: a long run of writes (a router pass) does not
  // leave a journal as large as all of them on disk.
  Execute("PRAGMA journal_size_limit = 4194304");
  Execute("PRAGMA synchronous = FULL");
  Execute("PRAGMA cache_size = -32768");
  Execute("PRAGMA mmap_size = 268435456");
}

std::optional<TCommitMark> TDbFile::CommitMark() const {
  if (!FWal) return std::nullopt;
  return ReadCommitMark(FDb);
}

TSqlStatement& TDbFile::Statement(std::string_view Sql) {
  auto found = FStatements.find(std::string(Sql));
  if (found != FStatements.end()) return *found->second;
  auto statement = std::make_unique<TSqlStatement>(FDb, Sql);
  TSqlStatement& result = *statement;
  FStatements.emplace(std::string(Sql), std::move(statement));
  return result;
}

void TDbFile::Execute(const char* Sql) {
  CheckSqlite(sqlite3_exec(FDb, Sql, nullptr, nullptr, nullptr));
}

bool TDbFile::HasTable(const char* Name) {
  if (sqlite3_table_column_metadata(FDb, "main", Name, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr) == SQLITE_OK)
    return true;
  // The schema in memory may predate a table another process has made since: only what it
  // holds is taken from it, an absence is asked of the file.
  TSqlQuery query(
      Statement("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"));
  query.BindText(1, Name);
  return query.Step() && query.Int(0) > 0;
}

int64_t TDbFile::PragmaValue(const char* Pragma) {
  TSqlStatement statement(FDb, std::string("PRAGMA ") + Pragma);
  TSqlQuery query(statement);
  return query.Step() ? query.Int(0) : 0;
}

std::string TDbFile::QuickCheck() {
  TSqlStatement statement(FDb, "PRAGMA quick_check(1)");
  TSqlQuery query(statement);
  const std::string result = query.Step() ? std::string(query.Blob(0)) : "no result";
  return result == "ok" ? "" : result;
}

TDbFile::TTransaction::TTransaction(TDbFile& File, bool Writing) : FFile(File), FWriting(Writing) {
  TSqlQuery(FFile.Statement(Writing ? "BEGIN IMMEDIATE" : "BEGIN")).Run();
  FFile.FInWrite = Writing;
}

TDbFile::TTransaction::~TTransaction() {
  if (FWriting) FFile.FInWrite = false;
  if (!FDone) sqlite3_exec(FFile.FDb, "ROLLBACK", nullptr, nullptr, nullptr);
}

void TDbFile::TTransaction::Commit() {
  TSqlQuery(FFile.Statement("COMMIT")).Run();
  FDone = true;
}

}  // namespace notesrt
