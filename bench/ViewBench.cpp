// Searches and views over 100,000 documents, side by side with the same rows read straight
// from SQLite: NSFSearch of @All with summaries (FindNotes) against a scan of the notes' item
// blobs, NSFSearch with a formula, and reading a 15,000-entry sorted view through
// NIFReadEntries once its index is built against reading the index rows themselves.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/osmem.h"
#include "views/design/DesignBuilder.h"

namespace {

constexpr int Documents = 100000;
constexpr char Database[] = "views-bench.nsf";

// The documents are made through the API; each save is a durable commit, so the data lives in
// memory-backed storage (what is measured only reads).
class TMemoryEnv {
 public:
  TMemoryEnv()
      : FRoot(std::filesystem::path("/dev/shm") / ("view-bench-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(FRoot / "data");
    std::ofstream(FRoot / "notes.ini")
        << "[Notes]\nDirectory=" << (FRoot / "data").string() << "\n";
    setenv(NOTESRT_INI_ENV, (FRoot / "notes.ini").c_str(), 1);
    NotesInit();
  }
  ~TMemoryEnv() {
    NotesTerm();
    std::error_code error;
    std::filesystem::remove_all(FRoot, error);
  }
  std::filesystem::path File() const { return FRoot / "data" / Database; }

 private:
  std::filesystem::path FRoot;
};

TMemoryEnv* Env = nullptr;
DBHANDLE Db = NULLHANDLE;
NOTEID SortedView = 0;

void Append(NOTEHANDLE Note, const char* Name, const std::string& Text) {
  NSFItemAppend(Note, ITEM_SUMMARY, Name, static_cast<WORD>(std::strlen(Name)), TYPE_TEXT,
                Text.data(), Text.size());
}

// Half memos, one in fifty about a report, 15% in category A.
void MakeDocuments() {
  NSFDbCreate(Database, DBCLASS_NOTEFILE, TRUE);
  NSFDbOpen(Database, &Db);
  for (int index = 0; index < Documents; ++index) {
    NOTEHANDLE note = NULLHANDLE;
    NSFNoteCreate(Db, &note);
    Append(note, "Form", index % 2 ? "Memo" : "Reply");
    Append(note, "Subject",
           "Subject " + std::to_string(index * 7919 % Documents) +
               (index % 50 == 1 ? " quarterly report" : ""));
    Append(note, "From", "CN=User " + std::to_string(index % 100) + "/O=Acme");
    Append(note, "Category", index % 20 < 3 ? "A" : "B");
    if (NSFNoteUpdate(note, 0) != NOERROR) std::abort();
    NSFNoteClose(note);
  }
  SortedView = notesrt::design::TDesignBuilder()
                   .View({"By subject",
                          "SELECT Category = \"A\"",
                          {{"Subject", "", "S"}, {"From", "", ""}},
                          false,
                          false,
                          ""})
                   .Build(Db)
                   .front();
}

STATUS LNCALLBACK CountMatch(void* Count, SEARCH_MATCH* Match, ITEM_TABLE* Summary) {
  if ((Match->SERetFlags & SE_FMATCH) && (!Summary || Summary->Length >= 4))
    ++*static_cast<int64_t*>(Count);
  return NOERROR;
}

void Search(benchmark::State& State, const std::string& Formula, WORD Flags) {
  int64_t found = 0;
  for (auto _ : State) {
    FORMULAHANDLE formula = NULLHANDLE;
    if (NSFFormulaCompile(nullptr, 0, Formula.c_str(), static_cast<WORD>(Formula.size()), &formula,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr))
      std::abort();
    found = 0;
    if (NSFSearch(Db, formula, nullptr, Flags, NOTE_CLASS_DOCUMENT, nullptr, CountMatch, &found,
                  nullptr))
      std::abort();
    OSMemFree(formula);
  }
  State.counters["found"] = static_cast<double>(found);
}

void BM_FindAllWithSummaries(benchmark::State& State) {
  Search(State, "@All", SEARCH_SUMMARY);
}

void BM_FindMemosAboutReports(benchmark::State& State) {
  Search(State, "Form = \"Memo\" & @Contains(Subject; \"report\")", 0);
}

// Reads every entry as TNotesView does: pages of 0x8001 entries while more is signalled.
void BM_ReadSortedView(benchmark::State& State) {
  DWORD entries = 0;
  DWORD evaluations = 0;
  for (auto _ : State) {
    HCOLLECTION collection = 0;
    if (NIFOpenCollection(Db, Db, SortedView, 0, NULLHANDLE, &collection, nullptr, nullptr, nullptr,
                          nullptr))
      std::abort();
    NotesRTCollectionEvaluations(collection, &evaluations);
    COLLECTIONPOSITION position{};
    WORD signals = 0;
    entries = 0;
    do {
      DHANDLE buffer = NULLHANDLE;
      DWORD count = 0;
      NIFReadEntries(collection, &position, NAVIGATE_NEXT, 1, NAVIGATE_NEXT, 65535,
                     READ_MASK_NOTEID | READ_MASK_SUMMARY, &buffer, nullptr, nullptr, &count,
                     &signals);
      entries += count;
      if (buffer) OSMemFree(buffer);
    } while (signals & SIGNAL_MORE_TO_DO);
    NIFCloseCollection(collection);
  }
  State.counters["entries"] = entries;
  State.counters["evaluations"] = evaluations;
}

// The baselines: the same rows, read with plain SQLite statements on the same file.
void SqliteScan(benchmark::State& State, const char* Sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(Env->File().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, Sql, -1, &statement, nullptr) != SQLITE_OK) std::abort();
  int64_t rows = 0;
  for (auto _ : State) {
    rows = 0;
    sqlite3_bind_int64(statement, 1, SortedView);
    while (sqlite3_step(statement) == SQLITE_ROW) {
      benchmark::DoNotOptimize(sqlite3_column_blob(statement, 1));
      ++rows;
    }
    sqlite3_reset(statement);
  }
  State.counters["rows"] = static_cast<double>(rows);
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

void BM_SqliteScanItems(benchmark::State& State) {
  SqliteScan(State, "SELECT note_id, items FROM notes WHERE class = 1 AND deleted = 0 AND ?1 > 0");
}

void BM_SqliteReadViewRows(benchmark::State& State) {
  SqliteScan(State,
             "SELECT note_id, summary FROM view_entries WHERE view_id = ?1 ORDER BY sort_key");
}

void BM_FirstViewBuild(benchmark::State& State) {
  for (auto _ : State) {
    HCOLLECTION collection = 0;
    NIFOpenCollection(Db, Db, SortedView, OPEN_REBUILD_INDEX, NULLHANDLE, &collection, nullptr,
                      nullptr, nullptr, nullptr);
    DWORD evaluations = 0;
    NotesRTCollectionEvaluations(collection, &evaluations);
    State.counters["evaluations"] = evaluations;
    NIFCloseCollection(collection);
  }
}

}  // namespace

BENCHMARK(BM_FindAllWithSummaries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteScanItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMemosAboutReports)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstViewBuild)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadSortedView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqliteReadViewRows)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  TMemoryEnv env;
  Env = &env;
  MakeDocuments();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  NSFDbClose(Db);
  return 0;
}
