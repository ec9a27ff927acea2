#include "Desktop.h"

namespace {

// The character a key stands for, or 0. Letters follow the shift key; digits and the blank
// stand for themselves.
char KeyCharacter(uintptr_t Key, const std::array<uint8_t, 256>& State) {
  if (Key >= 'A' && Key <= 'Z')
    return static_cast<char>((State[VK_SHIFT] & 0x80) ? Key : Key - 'A' + 'a');
  if ((Key >= '0' && Key <= '9') || Key == ' ') return static_cast<char>(Key);
  return 0;
}

}  // namespace

bool TKeyboard::ProcessOne(HWND Window) {
  auto Queue = FQueues.find(Window);
  if (Queue == FQueues.end() || Queue->second.empty()) return false;
  TMsg Message = Queue->second.front();
  Queue->second.pop_front();
  if (Message.Message == WM_KEYDOWN) {
    if (char Character = KeyCharacter(Message.WParam, State))
      Queue->second.push_front({Window, WM_CHAR, static_cast<unsigned char>(Character), 1});
  }
  Dispatched.push_back(Message);
  return true;
}

TKeyboard& TKeyboard::Default() {
  static TKeyboard Instance;
  return Instance;
}

TTopWindow& TWindowList::Add(HWND Handle, const std::string& Title) {
  auto Window = std::make_unique<TTopWindow>();
  Window->Handle = Handle;
  Window->Title = Title;
  Windows.push_back(std::move(Window));
  return *Windows.back();
}

bool TWindowList::Enumerate(const std::function<bool(TTopWindow&)>& Visit) {
  for (auto& Window : Windows)
    if (!Visit(*Window)) return false;
  return true;
}

TWindowList& TWindowList::Default() {
  static TWindowList Instance;
  return Instance;
}
