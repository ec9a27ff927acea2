// Saving and reading notes through the runtime, side by side with the same work done directly
// on SQLite (one row per document, committed one at a time; read back by key).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"

namespace {

constexpr int Documents = 10000;
constexpr int ItemsPerDocument = 5;
constexpr size_t ItemSize = 200;  // five items: about 1 KB a document

TBenchEnv* Env = nullptr;
std::vector<NOTEID> SavedIds;

std::string ItemValue(int Document, int Item) {
  return std::string(ItemSize, static_cast<char>('a' + (Document + Item) % 26));
}

void SaveDocument(DBHANDLE Db, int Index) {
  NOTEHANDLE note = NULLHANDLE;
  NSFNoteCreate(Db, &note);
  for (int item = 0; item < ItemsPerDocument; ++item) {
    std::string name = "Item" + std::to_string(item), value = ItemValue(Index, item);
    NSFItemAppend(note, ITEM_SUMMARY, name.c_str(), static_cast<WORD>(name.size()), TYPE_TEXT,
                  value.data(), value.size());
  }
  if (NSFNoteUpdate(note, UPDATE_NOCOMMIT) != NOERROR) std::abort();
  NOTEID id = 0;
  NSFNoteGetInfo(note, _NOTE_ID, &id);
  SavedIds.push_back(id);
  NSFNoteClose(note);
}

void BM_NoteSave(benchmark::State& State) {
  NSFDbCreate("bench.nsf", DBCLASS_NOTEFILE, TRUE);
  DBHANDLE db = NULLHANDLE;
  NSFDbOpen("bench.nsf", &db);
  SavedIds.clear();
  int index = 0;
  for (auto _ : State) SaveDocument(db, index++);
  NSFDbClose(db);
}

void BM_NoteOpenRead(benchmark::State& State) {
  if (SavedIds.empty()) return State.SkipWithError("BM_NoteSave must run first");
  DBHANDLE db = NULLHANDLE;
  NSFDbOpen("bench.nsf", &db);
  size_t next = 0;
  char buffer[ItemSize + 1];
  for (auto _ : State) {
    NOTEHANDLE note = NULLHANDLE;
    if (NSFNoteOpen(db, SavedIds[next++ % SavedIds.size()], 0, &note) != NOERROR) std::abort();
    for (int item = 0; item < ItemsPerDocument; ++item) {
      std::string name = "Item" + std::to_string(item);
      benchmark::DoNotOptimize(NSFItemGetText(note, name.c_str(), buffer, sizeof buffer));
    }
    NSFNoteClose(note);
  }
  NSFDbClose(db);
}

// The baseline: the same bytes, one row per document, as the same kind of SQLite file.
struct TBaseline {
  sqlite3* Db = nullptr;
  sqlite3_stmt* Insert = nullptr;
  sqlite3_stmt* Select = nullptr;

  explicit TBaseline(bool Fresh) {
    std::string path = (Env->DataDir() / "baseline.db").string();
    if (Fresh) std::filesystem::remove(path);
    sqlite3_open(path.c_str(), &Db);
    sqlite3_exec(Db,
                 "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; "
                 "CREATE TABLE IF NOT EXISTS docs(id INTEGER PRIMARY KEY, body BLOB)",
                 nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(Db, "INSERT INTO docs(body) VALUES(?)", -1, &Insert, nullptr);
    sqlite3_prepare_v2(Db, "SELECT body FROM docs WHERE id = ?", -1, &Select, nullptr);
  }
  ~TBaseline() {
    sqlite3_finalize(Insert);
    sqlite3_finalize(Select);
    sqlite3_close(Db);
  }
};

void BM_SqliteInsertCommit(benchmark::State& State) {
  TBaseline baseline(true);
  int index = 0;
  for (auto _ : State) {
    std::string body;
    for (int item = 0; item < ItemsPerDocument; ++item) body += ItemValue(index, item);
    ++index;
    sqlite3_bind_blob(baseline.Insert, 1, body.data(), static_cast<int>(body.size()),
                      SQLITE_TRANSIENT);
    if (sqlite3_step(baseline.Insert) != SQLITE_DONE) std::abort();
    sqlite3_reset(baseline.Insert);
  }
}

void BM_SqliteSelect(benchmark::State& State) {
  TBaseline baseline(false);
  int64_t next = 0;
  for (auto _ : State) {
    sqlite3_bind_int64(baseline.Select, 1, next++ % Documents + 1);
    if (sqlite3_step(baseline.Select) != SQLITE_ROW) std::abort();
    benchmark::DoNotOptimize(sqlite3_column_blob(baseline.Select, 0));
    sqlite3_reset(baseline.Select);
  }
}

}  // namespace

BENCHMARK(BM_NoteSave)->Iterations(Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteInsertCommit)->Iterations(Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NoteOpenRead)->Iterations(10 * Documents)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SqliteSelect)->Iterations(10 * Documents)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, Env);
}
