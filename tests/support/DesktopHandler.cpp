#include "DesktopHandler.h"

#include <sys/stat.h>

#include <thread>

#include "FileText.h"

namespace vesktest {

namespace {

std::string Var(const TempDir& Dir, const char* Sub) {
  return (Dir.Path() / Sub).string();
}

}  // namespace

DesktopHandler::DesktopHandler()
    : FData("XDG_DATA_HOME", Var(FDir, "data").c_str()),
      FDataDirs("XDG_DATA_DIRS", Var(FDir, "data").c_str()),
      FConfig("XDG_CONFIG_HOME", Var(FDir, "config").c_str()),
      FDisplay("DISPLAY", nullptr),
      FWayland("WAYLAND_DISPLAY", nullptr) {
  std::filesystem::create_directories(FDir.Path() / "data/applications");
  std::filesystem::create_directories(FDir.Path() / "config");
  auto Recorder = FDir.Path() / "record.sh";
  // NUL-separated, written whole: names may hold line breaks.
  WriteFileText(Recorder, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + FDir.Path().string() +
                              "/argv.tmp\" && mv \"" + FDir.Path().string() + "/argv.tmp\" \"" +
                              FDir.Path().string() + "/argv\"\n");
  chmod(Recorder.c_str(), 0755);
  WriteFileText(FDir.Path() / "data/applications/vesk-test-handler.desktop",
                "[Desktop Entry]\nType=Application\nName=Vesk test handler\nExec=" +
                    Recorder.string() + " %f\nMimeType=text/plain;\nNoDisplay=true\n");
  WriteFileText(FDir.Path() / "config/mimeapps.list",
                "[Default Applications]\ntext/plain=vesk-test-handler.desktop\n");
}

DesktopHandler::~DesktopHandler() = default;

std::optional<std::vector<std::string>> DesktopHandler::Arguments(
    std::chrono::milliseconds Wait) const {
  auto File = FDir.Path() / "argv";
  auto Deadline = std::chrono::steady_clock::now() + Wait;
  while (!std::filesystem::exists(File)) {
    if (std::chrono::steady_clock::now() > Deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::vector<std::string> Arguments;
  std::string Text = ReadFileText(File);
  for (size_t Start = 0, End; (End = Text.find('\0', Start)) != std::string::npos; Start = End + 1)
    Arguments.push_back(Text.substr(Start, End - Start));
  return Arguments;
}

void DesktopHandler::Forget() const {
  std::filesystem::remove(FDir.Path() / "argv");
}

}  // namespace vesktest
