#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "Facility.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp,
  mbClose
};

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrAll = 8;
constexpr int mrNoToAll = 9;
constexpr int mrYesToAll = 10;
constexpr int mrClose = 11;

struct TDialogButton {
  std::string Caption;
  int ModalResult = mrNone;
};

// A message box or modal dialog as the user would see it.
struct TDialogRequest {
  std::string Caption;
  std::string Text;
  TMsgDlgType Type = mtInformation;
  std::vector<TDialogButton> Buttons;
  size_t DefaultButton = 0;
};

// A box with the one button OK.
TDialogRequest MessageBoxRequest(const std::string& Caption, const std::string& Text,
                                 TMsgDlgType Type);

// Where message boxes and modal dialogs go. A window toolkit would show them; the command-line
// host shows them on the terminal; tests script the answers.
class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  // Shows the dialog until the user closes it; the modal result of the button chosen.
  virtual int ShowModal(const TDialogRequest& Request) = 0;

  static TMessageSink& Default();
};

// Prints "caption: text" on Out. With AskOn set and more than one button, lists the buttons and
// reads the choice (its number, or an empty line for the default) from AskOn; otherwise, and at
// the end of the input, the default button answers.
class TTerminalMessageSink : public TMessageSink {
 public:
  TTerminalMessageSink(std::ostream& Out, std::istream* AskOn) : FOut(Out), FAskOn(AskOn) {}
  int ShowModal(const TDialogRequest& Request) override;

 private:
  int Ask(const TDialogRequest& Request);

  std::ostream& FOut;
  std::istream* FAskOn;
};

inline TMessageSink& MessageSink() {
  return TFacility<TMessageSink>::Get();
}

// The system's beeper, which can be switched off (the setting SPI_SETBEEP).
class TBeepSink {
 public:
  virtual ~TBeepSink() = default;
  bool Enabled = true;
  // Type is the MessageBeep sound: 0x30 the exclamation, 0x10 the stop sound ...
  void MessageBeep(uint32_t Type) {
    if (Enabled) Beep(Type);
  }

  static TBeepSink& Default();

 protected:
  virtual void Beep(uint32_t Type) = 0;
};

// Writes BEL to standard error when that is a terminal.
class TTerminalBeepSink : public TBeepSink {
 protected:
  void Beep(uint32_t Type) override;
};

inline TBeepSink& BeepSink() {
  return TFacility<TBeepSink>::Get();
}
