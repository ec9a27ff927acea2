#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ScopedEnv.h"
#include "TempDir.h"

namespace vesktest {

// The desktop's default program for plain text, for the life of the object: a handler in
// temporary XDG folders (a .desktop file and mimeapps.list) that records the arguments it was
// started with. Without a display, so that nothing reaches a real desktop.
class DesktopHandler {
 public:
  DesktopHandler();
  ~DesktopHandler();

  const std::filesystem::path& Dir() const { return FDir.Path(); }
  // The arguments of the handler's last start, waiting for it at most Wait; nothing when it
  // was not started.
  std::optional<std::vector<std::string>> Arguments(
      std::chrono::milliseconds Wait = std::chrono::seconds(10)) const;
  void Forget() const;

 private:
  TempDir FDir;
  ScopedEnv FData, FDataDirs, FConfig, FDisplay, FWayland;
};

}  // namespace vesktest
