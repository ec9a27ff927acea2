#include "Clipboard.h"

#include <cstdlib>
#include <vector>

#include "Spawn.h"

namespace {

constexpr std::chrono::milliseconds ClipboardTimeOut{5000};

// A backend made of a paste and a copy program; each operation is one run of one of them.
class TProgramClipboard : public TClipboardBackend {
 public:
  struct TCommands {
    std::vector<std::string> Paste;  // the format follows
    std::vector<std::string> Copy;   // the format follows; the data comes on standard input
    std::vector<std::string> Clear;
  };

  explicit TProgramClipboard(TCommands Commands) : FCommands(std::move(Commands)) {}

  std::optional<std::string> Read(const std::string& Format) override {
    std::string Output;
    if (RunCaptured(WithFormat(FCommands.Paste, Format), "", Output, ClipboardTimeOut) != 0)
      return std::nullopt;
    return Output;
  }
  void Write(const std::string& Format, const std::string& Data) override {
    std::string Ignored;
    RunCaptured(WithFormat(FCommands.Copy, Format), Data, Ignored, ClipboardTimeOut);
  }
  void Clear() override {
    std::string Ignored;
    RunCaptured(FCommands.Clear, "", Ignored, ClipboardTimeOut);
  }

 private:
  static std::vector<std::string> WithFormat(std::vector<std::string> Argv,
                                             const std::string& Format) {
    Argv.push_back(Format);
    return Argv;
  }

  TCommands FCommands;
};

bool IsSet(const char* Name) {
  const char* Value = getenv(Name);
  return Value && *Value;
}

}  // namespace

std::unique_ptr<TClipboardBackend> SystemClipboardBackend() {
  if (IsSet("WAYLAND_DISPLAY")) {
    std::string Paste = FindProgram("wl-paste"), Copy = FindProgram("wl-copy");
    if (Paste.empty() || Copy.empty()) return nullptr;
    return std::make_unique<TProgramClipboard>(TProgramClipboard::TCommands{
        {Paste, "--no-newline", "--type"}, {Copy, "--type"}, {Copy, "--clear"}});
  }
  if (IsSet("DISPLAY")) {
    std::string Xclip = FindProgram("xclip");
    if (Xclip.empty()) return nullptr;
    return std::make_unique<TProgramClipboard>(
        TProgramClipboard::TCommands{{Xclip, "-selection", "clipboard", "-o", "-t"},
                                     {Xclip, "-selection", "clipboard", "-i", "-t"},
                                     {Xclip, "-selection", "clipboard", "-i", "/dev/null"}});
  }
  return nullptr;
}

TClipboard::TClipboard() = default;
TClipboard::~TClipboard() = default;

std::optional<std::string> TClipboard::GetData(const std::string& Format) {
  if (FBackend) return FBackend->Read(Format);
  auto Found = FData.find(Format);
  if (Found == FData.end()) return std::nullopt;
  return Found->second;
}

void TClipboard::SetData(const std::string& Format, const std::string& Data) {
  if (FBackend) return FBackend->Write(Format, Data);
  if (FOpenCount == 0 || !FEmptied) FData.clear();
  FEmptied = FOpenCount > 0;
  FData[Format] = Data;
}

void TClipboard::Open() {
  if (FOpenCount++ == 0) FEmptied = false;
}

void TClipboard::Close() {
  if (FOpenCount > 0) --FOpenCount;
}

void TClipboard::Clear() {
  if (FBackend) return FBackend->Clear();
  FData.clear();
}

TClipboard& TClipboard::Default() {
  static TClipboard InProcess;
  return InProcess;
}
