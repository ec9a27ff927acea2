#pragma once

// Models of what the window system knows across windows: the keyboard and the list of top-level
// windows.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Facility.h"

constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;
constexpr uint32_t WM_NEXTDLGCTL = 0x0028;
constexpr uint8_t VK_SHIFT = 0x10;

// The keyboard: a state byte per virtual key (bit 0x80 pressed, bit 0x01 toggled) and each
// window's queue of key and character messages.
class TKeyboard {
 public:
  std::array<uint8_t, 256> State{};
  // Messages handed to their windows, oldest first.
  std::vector<TMsg> Dispatched;

  void Post(const TMsg& Message) { FQueues[Message.Window].push_back(Message); }
  // Takes the oldest key or character message waiting for Window, translates it (a key that
  // stands for a character also queues that character) and dispatches it. False when none
  // waits.
  bool ProcessOne(HWND Window);

  static TKeyboard& Default();

 private:
  std::map<HWND, std::deque<TMsg>> FQueues;
};

inline TKeyboard& Keyboard() {
  return TFacility<TKeyboard>::Get();
}

constexpr HWND DesktopWindow = 0x00010010;

// A top-level window as the window list enumerates it.
class TTopWindow : public TObject {
 public:
  HWND Handle = 0;
  std::string Title;
  bool Visible = true;
  HWND Owner = 0;
  bool ToolWindow = false;
  bool AppWindow = false;
};

class TWindowList {
 public:
  std::vector<std::unique_ptr<TTopWindow>> Windows;

  TTopWindow& Add(HWND Handle, const std::string& Title);
  // Calls Visit for each window in order until it answers false; false when stopped early.
  bool Enumerate(const std::function<bool(TTopWindow&)>& Visit);

  static TWindowList& Default();
};

inline TWindowList& TopLevelWindows() {
  return TFacility<TWindowList>::Get();
}
