#pragma once

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "storage/SqlStatement.h"

namespace notesrt {

// The SQLite connection of one database file: pragmas, schema version, the statement cache and
// write transactions. One per file in this process (TDatabase shares it among handles).
class TDbFile {
 public:
  // An existing file. ERR_NOEXIST when missing, ERR_NOT_NSF when it is not one of our
  // databases (garbage, truncated, another schema), ERR_NSF_VERSION when it is newer than us.
  static std::unique_ptr<TDbFile> Open(const std::filesystem::path& Path);
  // A new file at a path where none exists, with the current schema and an empty header row.
  static std::unique_ptr<TDbFile> Create(const std::filesystem::path& Path);

  ~TDbFile();
  TDbFile(const TDbFile&) = delete;
  TDbFile& operator=(const TDbFile&) = delete;

  // Prepared once per connection.
  TSqlStatement& Statement(std::string_view Sql);
  // For statements run once (pragmas, schema steps).
  void Execute(const char* Sql);
  int64_t PragmaValue(const char* Pragma);

  // Runs Body in one write transaction: BEGIN IMMEDIATE takes the write lock first (waiting for
  // other processes up to the busy timeout), so no write fails half-way with "locked". A call
  // made inside Body joins the outer transaction. Any exception rolls everything back.
  template <class TBody>
  auto Write(TBody&& Body) {
    if (FInWrite) return Body();
    TTransaction scope(*this);
    if constexpr (std::is_void_v<decltype(Body())>) {
      Body();
      scope.Commit();
    } else {
      auto result = Body();
      scope.Commit();
      return result;
    }
  }

 private:
  explicit TDbFile(sqlite3* Db);
  static sqlite3* Connect(const std::filesystem::path& Path, int Flags);
  void Configure();
  void CheckSchema();

  class TTransaction {
   public:
    explicit TTransaction(TDbFile& File);
    ~TTransaction();
    void Commit();

   private:
    TDbFile& FFile;
    bool FDone = false;
  };

  sqlite3* FDb;
  bool FInWrite = false;
  std::unordered_map<std::string, std::unique_ptr<TSqlStatement>> FStatements;
};

}  // namespace notesrt
