// The document summary of a small and a 10 MB compound document, warm, beside the peers that
// read the same six properties: exiftool (one process a file, as a user would run it) and
// python3-olefile. The bytes the reader takes from the large file are reported as a counter.
#include <benchmark/benchmark.h>

#include <string>

#include "ChildProcess.h"
#include "CompoundFile.h"
#include "CompoundFileBuilder.h"
#include "FileText.h"
#include "OSDocSum.h"
#include "TempDir.h"

namespace {

using namespace vesktest;

// The document, made once: its summary and, for the large one, 10 MB of content beside it.
const std::string& DocumentPath(bool Large) {
  static TempDir dir;
  static std::string paths[2];
  std::string& path = paths[Large];
  if (path.empty()) {
    path = (dir.Path() / (Large ? "large.doc" : "small.doc")).string();
    const std::string summary = SummaryStream(
        {I2(1, 1252), Lpstr(4, "J\xF6rg"), Lpstr(2, "Quarterly figures"), Lpstr(3, "Sales"),
         Lpstr(8, "Jane"), Lpstr(7, "Normal.dot"), FileTime(13, 126913252200000000)});
    std::vector<TStorageEntry> root{{u"\005SummaryInformation", summary}};
    root.emplace_back(u"WordDocument", std::string(Large ? 10 << 20 : 20000, 'w'));
    WriteFileText(path, BuildCompoundFile(root));
  }
  return path;
}

void BM_DocSummary(benchmark::State& State) {
  const std::string& path = DocumentPath(State.range(0) != 0);
  for (auto _ : State) {
    TOSDocSummary summary(path);
    if (!summary.IsSSFile()) State.SkipWithError("the summary was not read");
  }
  TCompoundFile file(path);
  file.ReadRootStream(u"\005SummaryInformation");
  State.counters["bytes_read"] = static_cast<double>(file.BytesRead());
}

void RunPeer(benchmark::State& State, const std::string& Check, const std::string& Command) {
  if (RunCommand(Check + " >/dev/null 2>&1").ExitCode != 0) {
    State.SkipWithError(("not installed: " + Check).c_str());
    return;
  }
  const std::string& path = DocumentPath(State.range(0) != 0);
  for (auto _ : State)
    if (RunCommand(Command + " " + path + " >/dev/null 2>&1").ExitCode != 0)
      State.SkipWithError("the peer failed");
}

void BM_Exiftool(benchmark::State& State) {
  RunPeer(State, "exiftool -ver",
          "exiftool -Author -Title -Subject -LastModifiedBy -Template -ModifyDate");
}

void BM_Olefile(benchmark::State& State) {
  RunPeer(State, "/usr/bin/python3 -c 'import olefile'",
          "/usr/bin/python3 -c 'import olefile, sys; "
          "olefile.OleFileIO(sys.argv[1]).get_metadata()'");
}

}  // namespace

BENCHMARK(BM_DocSummary)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Exiftool)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_Olefile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK_MAIN();
