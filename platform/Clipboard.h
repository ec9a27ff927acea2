#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Facility.h"

// The format name text is kept under.
inline constexpr const char* ClipboardTextFormat = "text/plain;charset=utf-8";

// The system's clipboard, when the clipboard is to reach other programs.
class TClipboardBackend {
 public:
  virtual ~TClipboardBackend() = default;
  // The data of that format, or nothing when the clipboard has none.
  virtual std::optional<std::string> Read(const std::string& Format) = 0;
  virtual void Write(const std::string& Format, const std::string& Data) = 0;
  virtual void Clear() = 0;
};

// The Wayland clipboard (wl-paste and wl-copy) when WAYLAND_DISPLAY is set, else the X11
// clipboard (xclip) when DISPLAY is set; only when the program is installed. Null otherwise.
std::unique_ptr<TClipboardBackend> SystemClipboardBackend();

// The clipboard: data by format name. It lives in this process unless a backend is attached.
class TClipboard {
 public:
  TClipboard();
  ~TClipboard();

  void SetBackend(std::unique_ptr<TClipboardBackend> Backend) { FBackend = std::move(Backend); }

  bool HasFormat(const std::string& Format) { return GetData(Format).has_value(); }
  std::optional<std::string> GetData(const std::string& Format);
  // Replaces what the clipboard held. Between Open and Close, the formats set together stay
  // together: only the first SetData empties the clipboard.
  void SetData(const std::string& Format, const std::string& Data);
  void Open();
  void Close();
  void Clear();

  bool HasText() { return HasFormat(ClipboardTextFormat); }
  std::string AsText() { return GetData(ClipboardTextFormat).value_or(""); }
  void SetAsText(const std::string& Text) { SetData(ClipboardTextFormat, Text); }

  static TClipboard& Default();

 private:
  std::map<std::string, std::string> FData;
  std::unique_ptr<TClipboardBackend> FBackend;
  int FOpenCount = 0;
  bool FEmptied = false;
};

inline TClipboard& Clipboard() {
  return TFacility<TClipboard>::Get();
}
