#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "core/EStatus.h"
#include "storage/CommitMark.h"
#include "storage/FileIdentity.h"
#include "storage/SqlStatement.h"

namespace notesrt {

// How long a write waits for another process's write or checkpoint to finish.
inline constexpr int BusyTimeoutMs = 15000;

// The SQLite connection of one database file: pragmas, schema version, the statement cache and
// write transactions. One per file in this process (TDatabase shares it among handles).
class TDbFile {
 public:
  // An existing file. ERR_NOEXIST when missing, ERR_NOT_NSF when it is not one of our
  // databases (garbage, truncated, another schema), ERR_NSF_VERSION when it is newer than us.
  static std::unique_ptr<TDbFile> Open(const std::filesystem::path& Path);
  // A new file at a path where none exists, with the current schema and an empty header row.
  static std::unique_ptr<TDbFile> Create(const std::filesystem::path& Path);
  // A damaged file as it is: no check, no schema step. For salvaging what can still be read
  // from a scratch copy: SQLite may bring the copy's journal in when it closes.
  static std::unique_ptr<TDbFile> OpenDamaged(const std::filesystem::path& Path);
  // The information buffer of a database file, read without opening it for use (no journal
  // mode set, no schema step, nothing written); nothing when it is not one of our databases
  // or cannot be read that way.
  static std::optional<std::string> ReadInfo(const std::filesystem::path& Path);
  sqlite3* Connection() const { return FDb; }

  ~TDbFile();
  TDbFile(const TDbFile&) = delete;
  TDbFile& operator=(const TDbFile&) = delete;

  // Prepared once per connection.
  TSqlStatement& Statement(std::string_view Sql);
  // For statements run once (pragmas, schema steps).
  void Execute(const char* Sql);
  int64_t PragmaValue(const char* Pragma);
  // Whether the file has the table Name. Asked on every save and lookup, where a query of
  // sqlite_master would cost more than the work itself, so a table is first looked for in
  // the schema SQLite keeps in memory.
  bool HasTable(const char* Name);
  // SQLite's quick check of every page: "" when the file is whole, else the first problem.
  std::string QuickCheck();

  // Runs Body in one read transaction, so that all it reads is of one moment (inside another
  // transaction, it simply joins it).
  template <class TBody>
  auto Read(TBody&& Body) {
    if (FInWrite || !sqlite3_get_autocommit(FDb)) return Body();
    return InTransaction(false, Body);
  }

  // Runs Body in one write transaction: BEGIN IMMEDIATE takes the write lock first (waiting for
  // other processes up to the busy timeout), so no write fails half-way with "locked". A call
  // made inside Body joins the outer transaction. Any exception rolls everything back.
  template <class TBody>
  auto Write(TBody&& Body) {
    if (FInWrite) return Body();
    try {
      RefuseWriteWhenReadOnly();
      return InTransaction(true, Body);
    } catch (const EStatus& Error) {
      NoteWriteFailure(Error);
      throw;
    }
  }

  // No transaction open on this connection: a read now sees the last commit.
  bool Idle() const { return !FInWrite && sqlite3_get_autocommit(FDb); }
  // The file's last commit as the WAL index shows it; nothing when the file is not in WAL mode.
  std::optional<TCommitMark> CommitMark() const;

  const std::filesystem::path& Path() const { return FPath; }
  // Whether the path still names the file this connection opened: not deleted, not replaced by
  // another file since.
  bool StillAtPath() const;
  // Copies what the journal holds into the file and empties the journal, as closing does,
  // unless another connection is reading or writing it this moment: nobody is waited for, and
  // what is left stays for the next checkpoint.
  void Checkpoint();
  // Opened on read-only media or a full disk: what is in the file is read as it is, and every
  // write fails.
  bool ReadOnly() const { return FReadOnly; }

 private:
  template <class TBody>
  auto InTransaction(bool Writing, TBody& Body) {
    TTransaction scope(*this, Writing);
    if constexpr (std::is_void_v<decltype(Body())>) {
      Body();
      scope.Commit();
    } else {
      auto result = Body();
      scope.Commit();
      return result;
    }
  }

  TDbFile(sqlite3* Db, std::filesystem::path Path, bool ReadOnly);
  // Read-only media or a full disk: the file is read as it is, without journal files.
  static std::unique_ptr<TDbFile> OpenReadOnly(const std::filesystem::path& Path);
  // A full disk is said in the log, naming the folder: the status alone names no file.
  void NoteWriteFailure(const EStatus& Error) const;
  // ERR_NOTESRT_DISK_FULL or ERR_NOTESRT_STORAGE for a file opened read-only.
  void RefuseWriteWhenReadOnly() const;
  static sqlite3* Connect(const std::string& Path, int Flags);
  // Read-only, taking no locks and reading no journal: for files nobody writes.
  static sqlite3* ConnectImmutable(const std::filesystem::path& Path);
  void Configure();
  void CheckSchema();

  class TTransaction {
   public:
    TTransaction(TDbFile& File, bool Writing);
    ~TTransaction();
    void Commit();

   private:
    TDbFile& FFile;
    bool FWriting;
    bool FDone = false;
  };

  sqlite3* FDb;
  std::filesystem::path FPath;
  bool FReadOnly;
  bool FInWrite = false;
  bool FWal = false;
  // Of the file when it was opened.
  std::optional<TFileIdentity> FIdentity;
  std::unordered_map<std::string, std::unique_ptr<TSqlStatement>> FStatements;
};

}  // namespace notesrt
