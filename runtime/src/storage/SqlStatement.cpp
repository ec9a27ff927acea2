#include "storage/SqlStatement.h"

#include "core/EStatus.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"

namespace notesrt {

void ThrowSqlite(int Code) {
  switch (Code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      throw EStatus(ERR_NOT_NSF);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      throw EStatus(ERR_NOTESRT_BUSY);
    case SQLITE_NOMEM:
      throw EStatus(ERR_MEMORY);
    case SQLITE_TOOBIG:
      throw EStatus(ERR_NOTESRT_TOO_BIG);
    case SQLITE_FULL:
      throw EStatus(ERR_NOTESRT_DISK_FULL);
    default:
      throw EStatus(ERR_NOTESRT_STORAGE);
  }
}

void CheckSqlite(int Code) {
  if (Code != SQLITE_OK && Code != SQLITE_ROW && Code != SQLITE_DONE) ThrowSqlite(Code);
}

TSqlStatement::TSqlStatement(sqlite3* Db, std::string_view Sql) {
  CheckSqlite(sqlite3_prepare_v3(Db, Sql.data(), static_cast<int>(Sql.size()),
                                 SQLITE_PREPARE_PERSISTENT, &FStatement, nullptr));
}

TSqlStatement::~TSqlStatement() {
  sqlite3_finalize(FStatement);
}

TSqlQuery::TSqlQuery(TSqlStatement& Statement) : FStatement(Statement.Get()) {}

TSqlQuery::~TSqlQuery() {
  sqlite3_reset(FStatement);
  sqlite3_clear_bindings(FStatement);
}

TSqlQuery& TSqlQuery::Bind(int Index, int64_t Value) {
  CheckSqlite(sqlite3_bind_int64(FStatement, Index, Value));
  return *this;
}

// An empty blob is bound as a zero-length blob, not NULL: empty values are values.
TSqlQuery& TSqlQuery::BindBlob(int Index, std::string_view Bytes) {
  CheckSqlite(Bytes.empty() ? sqlite3_bind_zeroblob(FStatement, Index, 0)
                            : sqlite3_bind_blob64(FStatement, Index, Bytes.data(), Bytes.size(),
                                                  SQLITE_TRANSIENT));
  return *this;
}

TSqlQuery& TSqlQuery::BindText(int Index, std::string_view Text) {
  CheckSqlite(sqlite3_bind_text64(FStatement, Index, Text.data(), Text.size(), SQLITE_TRANSIENT,
                                  SQLITE_UTF8));
  return *this;
}

TSqlQuery& TSqlQuery::BindNull(int Index) {
  CheckSqlite(sqlite3_bind_null(FStatement, Index));
  return *this;
}

bool TSqlQuery::Step() {
  int code = sqlite3_step(FStatement);
  CheckSqlite(code);
  return code == SQLITE_ROW;
}

void TSqlQuery::Run() {
  while (Step()) {
  }
}

int64_t TSqlQuery::Int(int Column) const {
  return sqlite3_column_int64(FStatement, Column);
}

double TSqlQuery::Double(int Column) const {
  return sqlite3_column_double(FStatement, Column);
}

std::string_view TSqlQuery::Blob(int Column) const {
  const void* data = sqlite3_column_blob(FStatement, Column);
  int size = sqlite3_column_bytes(FStatement, Column);
  return data ? std::string_view(static_cast<const char*>(data), static_cast<size_t>(size))
              : std::string_view();
}

bool TSqlQuery::IsNull(int Column) const {
  return sqlite3_column_type(FStatement, Column) == SQLITE_NULL;
}

}  // namespace notesrt
