#include "BenchEnv.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "notesapi/global.h"
#include "notesapi/notesrt.h"

TBenchEnv::TBenchEnv()
    : FRoot(std::filesystem::current_path() / ("storage-bench-" + std::to_string(getpid()))) {
  std::filesystem::create_directories(DataDir());
  std::ofstream(FRoot / "notes.ini") << "[Notes]\nDirectory=" << DataDir().string() << "\n";
  setenv(NOTESRT_INI_ENV, (FRoot / "notes.ini").c_str(), 1);
  NotesInit();
}

TBenchEnv::~TBenchEnv() {
  NotesTerm();
  std::error_code error;
  std::filesystem::remove_all(FRoot, error);
}

int RunBenchmarks(int argc, char** argv, TBenchEnv*& Env) {
  // Flags first: --help exits at once, before there is a scratch folder to leave behind.
  benchmark::Initialize(&argc, argv);
  TBenchEnv env;
  Env = &env;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Env = nullptr;
  return 0;
}
