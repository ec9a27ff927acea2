// The RTF export library (NXRTF, loaded through OSLoadLibrary and called as the rich-text library
// calls it) on about 1 MB and 10 MB of rich text, beside unrtf --text reading the RTF it wrote,
// run as a child process in the same run. Both report MB/s of RTF.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "BenchEnv.h"
#include "ChildProcess.h"
#include "FileText.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/nsfdata.h"
#include "notesapi/osmisc.h"

namespace {

std::string Le16(unsigned Value) {
  return {static_cast<char>(Value & 0xFF), static_cast<char>((Value >> 8) & 0xFF)};
}

std::string WordRecord(char Type, const std::string& Body) {
  std::string record = std::string{Type, '\xFF'} + Le16(Body.size() + 4) + Body;
  return record.size() % 2 ? record + '\0' : record;
}

std::string Run(const std::string& Text, char Face, char Attributes, char Color) {
  return WordRecord('\x85', std::string{Face, Attributes, Color, 10} + Text);
}

// Paragraphs of mixed runs, a link and a table row, repeated to Size bytes of records.
std::string RichText(size_t Size) {
  const std::string paragraph =
      std::string("\x81\x02", 2) + Run("Quarterly figures for the northern region ", 1, 0, 0) +
      Run("rose by twelve percent", 0, 1, 2) + Run(" while costs {stayed} flat\\level. ", 4, 2, 0);
  const std::string link = WordRecord('\xA9', Le16(11) + std::string("\x03\x10\0\0", 4) + Le16(20) +
                                                  std::string("https://example.org\0", 20)) +
                           Run("the report", 1, 4, 4) + std::string("\xAA\x02", 2);
  const std::string row =
      std::string("\xA3\x0E", 2) + std::string(12, '\0') + std::string("\xA4\x12\0\0", 4) +
      std::string(14, '\0') + Run("a", 1, 0, 0) + std::string("\xA4\x12\0\x01", 4) +
      std::string(14, '\0') + Run("b", 1, 0, 0) + std::string("\xA5\x06", 2) + std::string(4, '\0');
  std::string records = Le16(TYPE_COMPOSITE);
  while (records.size() < Size) records += paragraph + paragraph + link + row;
  return records;
}

struct TDocument {
  std::string CdFile, RtfFile;
};

// Made in main: the runtime must stop before its own statics are destroyed at exit.
TBenchEnv* Env = nullptr;

const TDocument& Document(int Megabytes) {
  static TDocument documents[2];
  TDocument& document = documents[Megabytes > 1];
  if (document.CdFile.empty()) {
    document.CdFile = (Env->DataDir() / ("doc" + std::to_string(Megabytes) + ".cd")).string();
    document.RtfFile = document.CdFile + ".rtf";
    vesktest::WriteFileText(document.CdFile, RichText(size_t(Megabytes) << 20));
  }
  return document;
}

void BM_Export(benchmark::State& State) {
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  HMODULE module = nullptr;
  IXENTRYPROC entry = nullptr;
  if (OSLoadLibrary("NXRTF", 0, &module, &entry) != NOERROR) {
    State.SkipWithError("NXRTF did not load");
    return;
  }
  EDITEXPORTDATA block{};
  std::strncpy(block.InputFileName, document.CdFile.c_str(), sizeof block.InputFileName - 1);
  block.PrintSettings.Flags = 1;
  std::string output = document.RtfFile;
  for (auto _ : State)
    if (entry(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, nullptr, output.data()) != NOERROR)
      State.SkipWithError("the export failed");
  OSFreeLibrary(module);
  const double bytes = static_cast<double>(vesktest::ReadFileText(output).size());
  State.counters["rtf_MB/s"] =
      benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// The baseline: unrtf reading the RTF the export wrote.
void BM_UnrtfText(benchmark::State& State) {
  if (vesktest::RunCommand("unrtf --version >/dev/null 2>&1").ExitCode != 0) {
    State.SkipWithError("not installed: unrtf");
    return;
  }
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  const std::string rtf = vesktest::ReadFileText(document.RtfFile);
  if (rtf.empty()) State.SkipWithError("run BM_Export first");
  for (auto _ : State)
    if (vesktest::RunCommand("unrtf --text " + document.RtfFile + " >/dev/null 2>&1").ExitCode != 0)
      State.SkipWithError("unrtf failed");
  State.counters["rtf_MB/s"] =
      benchmark::Counter(rtf.size() / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_Export)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnrtfText)
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, Env);
}
