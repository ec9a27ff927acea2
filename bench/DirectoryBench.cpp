// FindFirst/FindNext over a data directory of 2,000 databases and 100 subfolders, side by side
// with the least any listing does: reading the directory and stat-ing each entry.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchEnv.h"
#include "NotesSession.h"
#include "TNotesDatabase.h"
#include "TNotesDirectory.h"

namespace {

constexpr int Databases = 2000;
constexpr int Folders = 100;

TBenchEnv* Env = nullptr;

void FillDirectory() {
  for (int index = 0; index < Databases; ++index) {
    TNotesDatabase database;
    database.CreateNew("", "db" + std::to_string(index) + ".nsf", "");
    database.SetTitle("Database " + std::to_string(index));
  }
  for (int index = 0; index < Folders; ++index)
    std::filesystem::create_directories(Env->DataDir() / ("folder" + std::to_string(index)));
}

void BM_FindFirstNext(benchmark::State& State) {
  int entries = 0;
  for (auto _ : State) {
    entries = 0;
    TNotesDirectory directory;
    TNotesDirEntry entry;
    for (bool found = directory.FindFirst("", "", {nfoFiles, nfoSubDirs}, entry); found;
         found = directory.FindNext(entry))
      ++entries;
  }
  if (entries != Databases + Folders) State.SkipWithError("the listing misses entries");
  State.counters["entries"] = entries;
}

void BM_ReadDirectoryAndStat(benchmark::State& State) {
  int entries = 0;
  for (auto _ : State) {
    entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Env->DataDir())) {
      struct stat status {};
      stat(entry.path().c_str(), &status);
      benchmark::DoNotOptimize(status.st_size);
      ++entries;
    }
  }
  State.counters["entries"] = entries;
}

BENCHMARK(BM_FindFirstNext)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadDirectoryAndStat)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int Argc, char** Argv) {
  benchmark::Initialize(&Argc, Argv);
  TBenchEnv env;
  Env = &env;
  NotesObjectsInitialize();
  std::fprintf(stderr, "making %d databases and %d folders...\n", Databases, Folders);
  FillDirectory();
  benchmark::RunSpecifiedBenchmarks();
  NotesObjectsFinalize();
  benchmark::Shutdown();
  return 0;
}
