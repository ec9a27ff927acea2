// The desktop units beside plain baselines in the same run: a logged status message against
// formatting the same line and appending it with plain system calls; opening a document through
// ExecuteFile against running "gio open" on it; the string helpers over 1 MB against a plain
// byte-copy loop.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "Clock.h"
#include "DesktopHandler.h"
#include "FileText.h"
#include "Sonst.h"
#include "Spawn.h"
#include "StatusBar.h"
#include "SysUtils.h"
#include "TempDir.h"
#include "VeskExceptions.h"

extern char** environ;

namespace {

const std::string Message = "Mail \"Quarterly report\" saved to the inbox";

void BM_VeskMessageLogged(benchmark::State& State) {
  vesktest::TempDir Dir;
  TStatusBar Bar(3);
  TVeskExceptionMonitor Monitor(nullptr);
  Monitor.LogDirectory = Dir.Path().string();
  Monitor.SetStatusBar(&Bar);
  Monitor.SetLogOn(true);
  VeskMonitor = &Monitor;
  for (auto _ : State) VeskMessage(Message);
  VeskMonitor = nullptr;
}

void BM_PlainLogAppend(benchmark::State& State) {
  vesktest::TempDir Dir;
  std::string File = (Dir.Path() / "VESK.log").string();
  for (auto _ : State) {
    std::string Line = IntToStr(static_cast<int32_t>(Clock().TickCount())) + " " +
                       DateTimeToStr(Clock().Now()) + " --- " + Message + "\r\n";
    int Fd = open(File.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    benchmark::DoNotOptimize(write(Fd, Line.data(), Line.size()));
    close(Fd);
  }
}

void BM_ExecuteFileDocument(benchmark::State& State) {
  vesktest::DesktopHandler Handler;
  std::string Doc = (Handler.Dir() / "report.txt").string();
  vesktest::WriteFileText(Doc, "text\n");
  for (auto _ : State)
    if (ExecuteFile(Doc, "", "", 1) != 42) State.SkipWithError("the document did not open");
}

void BM_GioOpenDocument(benchmark::State& State) {
  vesktest::DesktopHandler Handler;
  std::string Doc = (Handler.Dir() / "report.txt").string();
  vesktest::WriteFileText(Doc, "text\n");
  std::string Gio = FindProgram("gio");
  char* Argv[] = {Gio.data(), const_cast<char*>("open"), Doc.data(), nullptr};
  for (auto _ : State) {
    pid_t Pid = 0;
    int Status = 0;
    if (posix_spawn(&Pid, Argv[0], nullptr, nullptr, Argv, environ) != 0 ||
        waitpid(Pid, &Status, 0) != Pid || Status != 0)
      State.SkipWithError("gio open failed");
  }
}

std::string MegabyteOfText() {
  std::string Text;
  while (Text.size() < (1 << 20))
    Text +=
        "/home/jane/Dokumente/Gr\xc3\xbc\xc3\x9f"
        "e 2024,\t42.txt ";
  return Text;
}

template <class TOperation>
void RunOverText(benchmark::State& State, TOperation Operation) {
  const std::string Text = MegabyteOfText();
  for (auto _ : State) benchmark::DoNotOptimize(Operation(Text));
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                          static_cast<int64_t>(Text.size()));
}

void BM_ByteCopy(benchmark::State& State) {
  RunOverText(State, [](const std::string& Text) {
    std::string Copy;
    Copy.reserve(Text.size());
    for (char C : Text) Copy += C;
    return Copy;
  });
}

void BM_Filter(benchmark::State& State) {
  RunOverText(State, [](const std::string& Text) { return Filter(Text, Zahl); });
}

void BM_Substitute(benchmark::State& State) {
  RunOverText(State, [](const std::string& Text) { return Substitute(Text, "/,.", "\\;:"); });
}

void BM_DebugString(benchmark::State& State) {
  RunOverText(State, [](const std::string& Text) { return DebugString(Text); });
}

void BM_PathCompactByStrLength(benchmark::State& State) {
  RunOverText(State, [](const std::string& Text) { return PathCompactByStrLength(Text, 80); });
}

}  // namespace

BENCHMARK(BM_VeskMessageLogged);
BENCHMARK(BM_PlainLogAppend);
BENCHMARK(BM_ExecuteFileDocument)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GioOpenDocument)->Iterations(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByteCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Filter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Substitute)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DebugString)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PathCompactByStrLength)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
