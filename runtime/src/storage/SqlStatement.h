#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string_view>

namespace notesrt {

// One prepared statement, kept by a connection's cache for the connection's life.
class TSqlStatement {
 public:
  TSqlStatement(sqlite3* Db, std::string_view Sql);
  ~TSqlStatement();
  TSqlStatement(const TSqlStatement&) = delete;
  TSqlStatement& operator=(const TSqlStatement&) = delete;

  sqlite3_stmt* Get() const { return FStatement; }

 private:
  sqlite3_stmt* FStatement = nullptr;
};

// One use of a prepared statement: bind, step, read columns. The statement is reset on scope
// exit, so a cached statement never stays busy after an error.
class TSqlQuery {
 public:
  explicit TSqlQuery(TSqlStatement& Statement);
  ~TSqlQuery();
  TSqlQuery(const TSqlQuery&) = delete;
  TSqlQuery& operator=(const TSqlQuery&) = delete;

  TSqlQuery& Bind(int Index, int64_t Value);
  TSqlQuery& BindBlob(int Index, std::string_view Bytes);
  TSqlQuery& BindText(int Index, std::string_view Text);
  TSqlQuery& BindNull(int Index);

  // True while a row is available.
  bool Step();
  // Steps to the end; for statements that return no rows.
  void Run();

  int64_t Int(int Column) const;
  double Double(int Column) const;
  std::string_view Blob(int Column) const;
  bool IsNull(int Column) const;

 private:
  sqlite3_stmt* FStatement;
};

// Raises the Notes status for a failed SQLite call.
[[noreturn]] void ThrowSqlite(int Code);
void CheckSqlite(int Code);

}  // namespace notesrt
