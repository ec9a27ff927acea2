#include "MessageSink.h"

#include <unistd.h>

#include <iostream>
#include <string>

#include "SysUtils.h"

TDialogRequest MessageBoxRequest(const std::string& Caption, const std::string& Text,
                                 TMsgDlgType Type) {
  return {Caption, Text, Type, {{"OK", mrOk}}, 0};
}

TMessageSink& TMessageSink::Default() {
  static TTerminalMessageSink Terminal(std::cerr, nullptr);
  return Terminal;
}

int TTerminalMessageSink::ShowModal(const TDialogRequest& Request) {
  FOut << Request.Caption << ": " << Request.Text << std::endl;
  if (Request.Buttons.empty()) return mrNone;
  if (FAskOn && Request.Buttons.size() > 1) return Ask(Request);
  return Request.Buttons.at(Request.DefaultButton).ModalResult;
}

int TTerminalMessageSink::Ask(const TDialogRequest& Request) {
  const auto& Buttons = Request.Buttons;
  for (;;) {
    for (size_t Index = 0; Index < Buttons.size(); ++Index)
      FOut << "  " << Index + 1 << ") " << Buttons[Index].Caption << "\n";
    FOut << "Choice [" << Request.DefaultButton + 1 << "]: " << std::flush;
    std::string Line;
    if (!std::getline(*FAskOn, Line) || Trim(Line).empty())
      return Buttons.at(Request.DefaultButton).ModalResult;
    int Choice = StrToIntDef(Trim(Line), 0);
    if (Choice >= 1 && static_cast<size_t>(Choice) <= Buttons.size())
      return Buttons[static_cast<size_t>(Choice) - 1].ModalResult;
  }
}

TBeepSink& TBeepSink::Default() {
  static TTerminalBeepSink Terminal;
  return Terminal;
}

void TTerminalBeepSink::Beep(uint32_t) {
  if (isatty(STDERR_FILENO) && write(STDERR_FILENO, "\a", 1) < 0) {
    // A beep that cannot be made is no failure.
  }
}
