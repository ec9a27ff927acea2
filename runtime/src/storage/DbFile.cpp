#include "storage/DbFile.h"

#include <cstring>
#include <fstream>
#include <system_error>

#include "core/EStatus.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/DbSchema.h"

namespace notesrt {

namespace {

// Long enough for another process's save or a checkpoint to finish.
constexpr int BusyTimeoutMs = 15000;

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

sqlite3* TDbFile::Connect(const std::filesystem::path& Path, int Flags) {
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

std::unique_ptr<TDbFile> TDbFile::Open(const std::filesystem::path& Path) {
  if (!IsRegularFile(Path)) throw EStatus(ERR_NOEXIST);
  CheckWholeFile(Path);
  std::unique_ptr<TDbFile> file(new TDbFile(Connect(Path, SQLITE_OPEN_READWRITE)));
  file->CheckSchema();
  file->Configure();
  return file;
}

std::unique_ptr<TDbFile> TDbFile::Create(const std::filesystem::path& Path) {
  if (IsRegularFile(Path)) throw EStatus(ERR_EXISTS);
  std::unique_ptr<TDbFile> file(
      new TDbFile(Connect(Path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)));
  file->Execute("PRAGMA journal_mode = WAL");
  file->Configure();
  file->Write([&] {
    file->Execute(("PRAGMA application_id = " + std::to_string(DbSchema::ApplicationId)).c_str());
    DbSchema::Migrate(*file, 0);
  });
  return file;
}

TDbFile::TDbFile(sqlite3* Db) : FDb(Db) {}

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
  Execute("PRAGMA journal_mode = WAL");
  Execute("PRAGMA synchronous = FULL");
  Execute("PRAGMA cache_size = -32768");
  Execute("PRAGMA mmap_size = 268435456");
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

int64_t TDbFile::PragmaValue(const char* Pragma) {
  TSqlStatement statement(FDb, std::string("PRAGMA ") + Pragma);
  TSqlQuery query(statement);
  return query.Step() ? query.Int(0) : 0;
}

TDbFile::TTransaction::TTransaction(TDbFile& File) : FFile(File) {
  TSqlQuery(FFile.Statement("BEGIN IMMEDIATE")).Run();
  FFile.FInWrite = true;
}

TDbFile::TTransaction::~TTransaction() {
  FFile.FInWrite = false;
  if (!FDone) sqlite3_exec(FFile.FDb, "ROLLBACK", nullptr, nullptr, nullptr);
}

void TDbFile::TTransaction::Commit() {
  TSqlQuery(FFile.Statement("COMMIT")).Run();
  FDone = true;
}

}  // namespace notesrt
