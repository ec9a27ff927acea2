// Drops as a Linux desktop delivers them, warm, each beside its baseline in the same run:
// - 10,000 file URIs (percent escapes, umlauts, CJK) as text/uri-list through the freedesktop
//   bridge and RenderDropped into Files, against GLib's g_uri_list_extract_uris and
//   g_filename_from_uri on the same text (skipped when GLib was not found at build time);
// - GetAttmFromDnD on a drop of 1,000 files (100 compound documents, 20 folders, the rest plain
//   files), against a stat of each and a read of its first 512 bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CompoundFileBuilder.h"
#include "DnDFileURL.h"
#include "FileText.h"
#include "FreedesktopDrop.h"
#include "StringList.h"
#include "TempDir.h"
#include "Vesk_Def.h"

#ifdef VESK_BENCH_GLIB
#include <glib.h>
#endif

namespace {

using namespace vesktest;

constexpr int DroppedUris = 10000;

const std::string& UriList() {
  static const std::string list = [] {
    std::vector<std::string> uris;
    for (int i = 0; i < DroppedUris; ++i)
      uris.push_back(
          FileNameToUri("/home/j\xC3\xBCrgen/Dokumente/Gr\xC3\xB6\xC3\x9F"
                        "e #" +
                        std::to_string(i) + " 50% a;b?\xE6\x96\x87\xE6\x9B\xB8.txt"));
    return BuildUriList(uris);
  }();
  return list;
}

void BM_DropDecoding(benchmark::State& State) {
  const TMimePayloads payloads{{"text/uri-list", UriList()}};
  TDragDropFilesURL component(nullptr);
  for (auto _ : State) {
    component.DropTarget().Drop(*DataObjectFromMime(payloads));
    if (component.Files.Count() != DroppedUris) State.SkipWithError("files were lost");
  }
}

void BM_GlibDecoding(benchmark::State& State) {
#ifdef VESK_BENCH_GLIB
  for (auto _ : State) {
    gchar** uris = g_uri_list_extract_uris(UriList().c_str());
    int count = 0;
    for (gchar** uri = uris; *uri; ++uri) {
      gchar* name = g_filename_from_uri(*uri, nullptr, nullptr);
      count += name != nullptr;
      g_free(name);
    }
    g_strfreev(uris);
    if (count != DroppedUris) State.SkipWithError("GLib lost files");
  }
#else
  State.SkipWithError("GLib was not found when the benchmarks were built (libglib2.0-dev)");
#endif
}

// 1,000 dropped names: every tenth a compound document, every fiftieth a folder.
const std::vector<std::string>& DroppedFiles() {
  static TempDir dir;
  static const std::vector<std::string> files = [] {
    const std::string document = BuildCompoundFile(
        {{u"\005SummaryInformation",
          SummaryStream({I2(1, 1252), Lpstr(2, "Plan"), Lpstr(3, "Budget"), Lpstr(4, "Jane")})},
         {u"WordDocument", std::string(20000, 'w')}});
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i) {
      const std::string name = (dir.Path() / ("file " + std::to_string(i))).string();
      if (i % 50 == 1)
        std::filesystem::create_directory(name);
      else
        WriteFileText(name, i % 10 == 0 ? document : std::string(4000, 't'));
      names.push_back(name);
    }
    return names;
  }();
  return files;
}

void BM_AttmFromDnD(benchmark::State& State) {
  TDragDropFilesURL component(nullptr);
  component.DropType = dtFile;
  for (const std::string& name : DroppedFiles()) component.Files.Add(name);
  for (auto _ : State)
    if (GetAttmFromDnD(component)->Count() != 1000) State.SkipWithError("lines were lost");
}

void BM_StatAndRead512(benchmark::State& State) {
  const std::vector<std::string>& files = DroppedFiles();
  char buffer[512];
  for (auto _ : State) {
    for (const std::string& name : files) {
      struct stat info;
      if (stat(name.c_str(), &info) != 0) State.SkipWithError("a file went");
      const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) continue;
      benchmark::DoNotOptimize(read(fd, buffer, sizeof buffer));
      close(fd);
    }
  }
}

}  // namespace

BENCHMARK(BM_DropDecoding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GlibDecoding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AttmFromDnD)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StatAndRead512)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
