// FTSearch of one word over 100,000 documents, side by side with the same FTS5 query run
// directly on the database file's index: ranked matches of the word, every row read.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchEnv.h"
#include "notesapi/ft.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/osmem.h"

namespace {

constexpr int Documents = 100000;
constexpr char Database[] = "fulltext-bench.nsf";
// One document in a hundred holds it.
constexpr char Word[] = "quarterly";

DBHANDLE Db = NULLHANDLE;

void Append(NOTEHANDLE Note, const char* Name, const std::string& Text) {
  NSFItemAppend(Note, ITEM_SUMMARY, Name, static_cast<WORD>(std::strlen(Name)), TYPE_TEXT,
                Text.data(), Text.size());
}

// About forty words a document from a vocabulary of a few thousand.
std::string BodyOf(int Index) {
  std::string body;
  unsigned state = static_cast<unsigned>(Index) * 2654435761u + 1;
  for (int word = 0; word < 40; ++word) {
    state = state * 1103515245u + 12345u;
    body += 'w';
    body += std::to_string((state >> 8) % 5000);
    body += ' ';
  }
  return body;
}

void MakeDocuments() {
  NSFDbCreate(Database, DBCLASS_NOTEFILE, TRUE);
  NSFDbOpen(Database, &Db);
  for (int index = 0; index < Documents; ++index) {
    NOTEHANDLE note = NULLHANDLE;
    NSFNoteCreate(Db, &note);
    Append(note, "Subject",
           "Subject " + std::to_string(index) + (index % 100 == 7 ? " quarterly report" : ""));
    Append(note, "Body", BodyOf(index));
    if (NSFNoteUpdate(note, 0) != NOERROR) std::abort();
    NSFNoteClose(note);
  }
}

DWORD RunFTSearch() {
  DHANDLE search = NULLHANDLE;
  FTOpenSearch(&search);
  char query[sizeof Word];
  std::memcpy(query, Word, sizeof Word);
  DWORD found = 0;
  DHANDLE results = NULLHANDLE;
  if (FTSearch(Db, &search, NULLHANDLE, query, FT_SEARCH_SCORES | FT_SEARCH_STEM_WORDS, 0,
               NULLHANDLE, &found, nullptr, &results) != NOERROR)
    std::abort();
  benchmark::DoNotOptimize(OSLockObject(results));
  OSUnlockObject(results);
  OSMemFree(results);
  FTCloseSearch(search);
  return found;
}

void BM_FTSearchOneWord(benchmark::State& State) {
  DWORD found = 0;
  for (auto _ : State) found = RunFTSearch();
  State.counters["found"] = found;
}

// The baseline: the FTS5 table of the same file, read through a connection of its own.
void BM_Fts5QueryDirect(benchmark::State& State, const std::filesystem::path& File) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(File.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  // The same page cache as the runtime's own connection.
  sqlite3_exec(db, "PRAGMA cache_size = -32768", nullptr, nullptr, nullptr);
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db, "SELECT rowid, rank FROM fulltext WHERE fulltext MATCH ? ORDER BY rank",
                     -1, &query, nullptr);
  int64_t found = 0;
  for (auto _ : State) {
    sqlite3_bind_text(query, 1, Word, -1, SQLITE_STATIC);
    for (found = 0; sqlite3_step(query) == SQLITE_ROW; ++found)
      benchmark::DoNotOptimize(sqlite3_column_int64(query, 0));
    sqlite3_reset(query);
  }
  State.counters["found"] = static_cast<double>(found);
  sqlite3_finalize(query);
  sqlite3_close(db);
}

}  // namespace

// The documents are saved one durable commit each; memory-backed storage, where there is one,
// keeps that set-up short (the searches only read).
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) std::filesystem::current_path("/dev/shm");
  auto env = std::make_unique<TBenchEnv>();
  MakeDocuments();
  auto start = std::chrono::steady_clock::now();
  RunFTSearch();
  std::chrono::duration<double> build = std::chrono::steady_clock::now() - start;
  std::printf("Index of %d documents built by the first search in %.1f s\n", Documents,
              build.count());
  benchmark::RegisterBenchmark("BM_FTSearchOneWord", BM_FTSearchOneWord)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Fts5QueryDirect", BM_Fts5QueryDirect, env->DataDir() / Database)
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  NSFDbClose(Db);
  env.reset();
  benchmark::Shutdown();
  return 0;
}
