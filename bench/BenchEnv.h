#pragma once

#include <filesystem>

// A private notes.ini and data directory on disk (never tmpfs, so that durable commits cost what
// they cost), with the runtime initialised; removed at the end.
class TBenchEnv {
 public:
  TBenchEnv();
  ~TBenchEnv();
  TBenchEnv(const TBenchEnv&) = delete;
  TBenchEnv& operator=(const TBenchEnv&) = delete;

  std::filesystem::path DataDir() const { return FRoot / "data"; }

 private:
  std::filesystem::path FRoot;
};

// The whole main of a benchmark program that needs nothing but the environment: Env points at
// it while the benchmarks run.
int RunBenchmarks(int argc, char** argv, TBenchEnv*& Env);
