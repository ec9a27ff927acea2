#pragma once

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FileText.h"
#include "ScopedEnv.h"
#include "TempDir.h"

namespace vesktest {

// The desktop's default program for plain text, for the life of the object: a handler in
// temporary XDG folders (a .desktop file and mimeapps.list) that records the arguments it was
// started with. Without a display, so that nothing reaches a real desktop.
class DesktopHandler {
 public:
  DesktopHandler()
      : FData("XDG_DATA_HOME", Sub("data").c_str()),
        FDataDirs("XDG_DATA_DIRS", Sub("data").c_str()),
        FConfig("XDG_CONFIG_HOME", Sub("config").c_str()),
        FDisplay("DISPLAY", nullptr),
        FWayland("WAYLAND_DISPLAY", nullptr) {
    std::filesystem::create_directories(FDir.Path() / "data/applications");
    std::filesystem::create_directories(FDir.Path() / "config");
    auto Recorder = FDir.Path() / "record.sh";
    const std::string Dir = FDir.Path().string();
    // NUL-separated, written whole: names may hold line breaks.
    WriteFileText(Recorder, "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + Dir + "/argv.tmp\" && mv \"" +
                                Dir + "/argv.tmp\" \"" + Dir + "/argv\"\n");
    chmod(Recorder.c_str(), 0755);
    WriteFileText(FDir.Path() / "data/applications/vesk-test-handler.desktop",
                  "[Desktop Entry]\nType=Application\nName=Vesk test handler\nExec=" +
                      Recorder.string() + " %f\nMimeType=text/plain;\nNoDisplay=true\n");
    WriteFileText(FDir.Path() / "config/mimeapps.list",
                  "[Default Applications]\ntext/plain=vesk-test-handler.desktop\n");
  }

  const std::filesystem::path& Dir() const { return FDir.Path(); }
  // The arguments of the handler's last start, waiting for it at most Wait; nothing when it
  // was not started.
  std::optional<std::vector<std::string>> Arguments(
      std::chrono::milliseconds Wait = std::chrono::seconds(10)) const {
    auto File = FDir.Path() / "argv";
    auto Deadline = std::chrono::steady_clock::now() + Wait;
    while (!std::filesystem::exists(File)) {
      if (std::chrono::steady_clock::now() > Deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::vector<std::string> Arguments;
    std::string Text = ReadFileText(File);
    for (size_t Start = 0, End; (End = Text.find('\0', Start)) != std::string::npos;
         Start = End + 1)
      Arguments.push_back(Text.substr(Start, End - Start));
    return Arguments;
  }
  void Forget() const { std::filesystem::remove(FDir.Path() / "argv"); }

 private:
  std::string Sub(const char* Name) const { return (FDir.Path() / Name).string(); }

  TempDir FDir;
  ScopedEnv FData, FDataDirs, FConfig, FDisplay, FWayland;
};

}  // namespace vesktest
