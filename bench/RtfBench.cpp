// The RTF filters as the rich-text library calls them (loaded through OSLoadLibrary): the import
// (NIRTF) of a document LibreOffice wrote, about 1 MB, and of one of about 10 MB with its body
// repeated, and the export (NXRTF) of the records that import made; beside them unrtf --text
// reading the same RTF as a child process in the same run, and the merge of exported fragments.
// Each reports MB/s of RTF read or written.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchEnv.h"
#include "ChildProcess.h"
#include "FileText.h"
#include "RichEditMerge.h"
#include "RtfFilters.h"

namespace {

// Made in main: the runtime must stop before its own statics are destroyed at exit.
TBenchEnv* Env = nullptr;

// The first place at or after From where Word stands outside any inner group of the document.
size_t OuterWord(const std::string& Rtf, const std::string& Word, size_t From = 0) {
  int depth = 0;
  for (size_t at = 0; at < Rtf.size(); ++at) {
    if (Rtf[at] == '\\') {
      if (at >= From && depth == 1 && Rtf.compare(at, Word.size(), Word) == 0) return at;
      ++at;
    } else if (Rtf[at] == '{') {
      ++depth;
    } else if (Rtf[at] == '}') {
      --depth;
    }
  }
  return std::string::npos;
}

// Where the body of an RTF document begins: its first paragraph definition.
size_t BodyStart(const std::string& Rtf) {
  return OuterWord(Rtf, "\\pard");
}

// The LibreOffice document with its body Times times over.
std::string Repeated(const std::string& Rtf, int Times) {
  const size_t start = BodyStart(Rtf), end = Rtf.rfind('}');
  if (start == std::string::npos || end == std::string::npos || end < start) std::abort();
  std::string repeated = Rtf.substr(0, start);
  for (int time = 0; time < Times; ++time) repeated.append(Rtf, start, end - start);
  return repeated + "}";
}

struct TDocument {
  std::string Rtf, RtfFile, CdFile, ExportFile;
};

// Arg 1: the LibreOffice document; arg 10: its body repeated to about 10 MB.
const TDocument& Document(int Megabytes) {
  static TDocument documents[2];
  TDocument& document = documents[Megabytes > 1];
  if (document.RtfFile.empty()) {
    const std::string source = vesktest::ReadFileText(RTF_BENCH_DOCUMENT);
    document.Rtf = Megabytes > 1 ? Repeated(source, 11) : source;
    const std::string base = (Env->DataDir() / ("doc" + std::to_string(Megabytes))).string();
    document.RtfFile = base + ".rtf";
    document.CdFile = base + ".cd";
    document.ExportFile = base + ".out.rtf";
    vesktest::WriteFileText(document.RtfFile, document.Rtf);
  }
  return document;
}

// CPU seconds of this process, or of its ended children: under a shared machine's load, real
// time says as much about the other programs as about the one measured.
double CpuSeconds(int Who) {
  rusage usage{};
  getrusage(Who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// MB/s of RTF in real time, and per CPU second since CpuStart.
void SetRate(benchmark::State& State, size_t Bytes, int Who, double CpuStart) {
  const double megabytes = static_cast<double>(Bytes) / 1e6;
  State.counters["rtf_MB/s"] =
      benchmark::Counter(megabytes, benchmark::Counter::kIsIterationInvariantRate);
  State.counters["cpu_MB/s"] = megabytes * static_cast<double>(State.iterations()) /
                               std::max(CpuSeconds(Who) - CpuStart, 1e-9);
}

void BM_Import(benchmark::State& State) {
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  TRtfFilter filter("NIRTF");
  if (!filter.Entry()) return State.SkipWithError("NIRTF did not load");
  const double cpu = CpuSeconds(RUSAGE_SELF);
  for (auto _ : State)
    if (!filter.Import(document.RtfFile, document.CdFile))
      return State.SkipWithError("the import failed");
  SetRate(State, document.Rtf.size(), RUSAGE_SELF, cpu);
  State.counters["cd_MB"] =
      static_cast<double>(vesktest::ReadFileText(document.CdFile).size()) / 1e6;
}

// The records the import made, written back as RTF.
void BM_Export(benchmark::State& State) {
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  TRtfFilter import("NIRTF"), filter("NXRTF");
  if (!import.Import(document.RtfFile, document.CdFile))
    return State.SkipWithError("the import failed");
  const double cpu = CpuSeconds(RUSAGE_SELF);
  for (auto _ : State)
    if (!filter.Export(document.CdFile, document.ExportFile))
      return State.SkipWithError("the export failed");
  SetRate(State, vesktest::ReadFileText(document.ExportFile).size(), RUSAGE_SELF, cpu);
}

// The baseline: unrtf reading the same RTF (arg 2: LibreOffice's; arg 3: the export's).
void BM_UnrtfText(benchmark::State& State) {
  if (vesktest::RunCommand("unrtf --version >/dev/null 2>&1").ExitCode != 0)
    return State.SkipWithError("not installed: unrtf");
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  const bool exported = State.range(1) == 1;
  const std::string file = exported ? document.ExportFile : document.RtfFile;
  const size_t bytes = vesktest::ReadFileText(file).size();
  if (bytes == 0) return State.SkipWithError("run BM_Export first");
  const double cpu = CpuSeconds(RUSAGE_CHILDREN);
  for (auto _ : State)
    // In the data directory: unrtf writes the pictures it finds into the current one.
    if (vesktest::RunCommand("cd " + Env->DataDir().string() + " && unrtf --text " + file +
                             " >/dev/null 2>&1")
            .ExitCode != 0)
      return State.SkipWithError("unrtf failed");
  State.SetLabel(exported ? "the export's RTF" : "LibreOffice's RTF");
  SetRate(State, bytes, RUSAGE_CHILDREN, cpu);
}

// The exported document cut into fragments as a body of several items reaches the host: whole
// RTF documents, each of about a tenth of the records, merged into one.
void BM_Merge(benchmark::State& State) {
  const TDocument& document = Document(static_cast<int>(State.range(0)));
  const std::string exported = vesktest::ReadFileText(document.ExportFile);
  if (exported.empty()) return State.SkipWithError("run BM_Export first");
  const size_t start = BodyStart(exported), end = exported.rfind('}');
  if (start == std::string::npos) return State.SkipWithError("no body in the export");
  std::vector<std::string> fragments;
  const size_t step = (end - start) / 10 + 1;
  for (size_t at = start; at < end;) {
    // Cut after a paragraph mark outside groups, so that each fragment holds whole paragraphs.
    size_t cut = OuterWord(exported, "\\par ", std::min(at + step, end));
    cut = cut == std::string::npos || cut > end ? end : cut + 5;
    fragments.push_back(exported.substr(0, start) + exported.substr(at, cut - at) + "}");
    at = cut;
  }
  size_t bytes = 0;
  for (const std::string& fragment : fragments) bytes += fragment.size();
  const double cpu = CpuSeconds(RUSAGE_SELF);
  for (auto _ : State) benchmark::DoNotOptimize(RichEditMerge(fragments));
  State.counters["fragments"] = static_cast<double>(fragments.size());
  SetRate(State, bytes, RUSAGE_SELF, cpu);
}

}  // namespace

BENCHMARK(BM_Import)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Export)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnrtfText)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_Merge)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  return RunBenchmarks(argc, argv, Env);
}
