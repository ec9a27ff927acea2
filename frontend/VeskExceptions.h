#pragma once

// The host's exceptions, its three kinds of message (status text, warning, error box), and the
// log file "VESK.log" with one line per event.

#include <exception>
#include <functional>
#include <string>

#include "Exception.h"
#include "Export.h"
#include "Object.h"

class TForm;
class TStatusBar;
class TStatusPanel;

// Root of the host's exceptions; the others tell handlers how the failure is shown.
class VESK_API EVeskException : public Exception {
 public:
  using Exception::Exception;
  ~EVeskException() override;
};

// Shown in the status bar with a beep, without a dialog.
class VESK_API EVeskWarning : public EVeskException {
 public:
  using EVeskException::EVeskException;
  ~EVeskWarning() override;
};

// A warning about one field's value.
class VESK_API EFieldWarning : public EVeskWarning {
 public:
  using EVeskWarning::EVeskWarning;
  ~EFieldWarning() override;
};

// Shown in a dialog.
class VESK_API EVeskError : public EVeskException {
 public:
  using EVeskException::EVeskException;
  ~EVeskError() override;
};

// No host database is available.
class VESK_API ENoVeskDB : public EVeskError {
 public:
  using EVeskError::EVeskError;
  ~ENoVeskDB() override;
};

// The unit's texts by resource number.
constexpr int SNotAvailable = 63580;
constexpr int SWarning = 63581;
const std::string& LoadStr(int Ident);

// Reports to the status bar, to message boxes and to the log. The application makes one, keeps
// it in VeskMonitor, attaches its status bar and installs AppException as its exception handler.
class TVeskExceptionMonitor : public TObject {
 public:
  using TLogHook = std::function<void(const std::string& Text)>;

  // Borrowed; panels 0, 1 and 2 of StatusBar.
  TStatusBar* StatusBar = nullptr;
  TStatusPanel* PanelL = nullptr;
  TStatusPanel* PanelM = nullptr;
  TStatusPanel* PanelR = nullptr;
  TForm* MainForm = nullptr;
  // Repaint the status bar after every SetMessageText.
  bool AutoRefresh = false;
  // Set through SetLogOn.
  bool LogOn = false;
  // The log file's path; empty until logging is first switched on.
  std::string LogFile;
  // Gets the text of every LogIt, whether or not the file is written.
  TLogHook LogHook;
  // The folder "VESK.log" is made in at the first switch-on. Empty: the current directory at
  // that moment. Either way the path stays fixed from then on.
  std::string LogDirectory;

  explicit TVeskExceptionMonitor(TForm* MainForm) : MainForm(MainForm) {}

  // Raises EListError for a bar of fewer than three panels, and then changes nothing.
  void SetStatusBar(TStatusBar* Bar);
  // Index 1, 2 or 3: the left, middle or right panel; any other index sets no panel.
  void SetMessageText(int Index, const std::string& Text);
  // The first switch-on fixes the file's path and creates the file when missing. Raises
  // EInOutError naming the file when it cannot be made; LogOn stays as it was.
  void SetLogOn(bool Value);
  // With logging on, appends the line "<tick count> <date time> <text>" and CR LF in one write,
  // creating the file again when it was deleted or rotated; raises EInOutError naming the file
  // and the reason on any other failure. Then calls LogHook.
  void LogIt(const std::string& Text);
  // The application-wide exception handler: a foreign exception in a message box, a warning in
  // the right panel with a beep, any other host exception in the standard exception box followed
  // by a posted WM_NEXTDLGCTL to the main form.
  void AppException(TObject* Sender, const std::exception& E);

 private:
  void WriteLogLine(const std::string& Text);
};

// The application's monitor; none until the application makes one. Not owned by this unit.
extern VESK_API TVeskExceptionMonitor* VeskMonitor;

// A status message in the right panel, logged behind "--- "; nothing without a monitor with a
// status bar.
void VeskMessage(const std::string& Text);
// "WARNING: " and the text in the right panel with a beep, logged behind "+++ "; nothing
// without a monitor with a status bar.
void VeskWarning(const std::string& Text);
// A beep and a message box, always; logged behind "!!! " when logging is on.
void VeskError(const std::string& Text);
void NotAvailable();
void VeskNN();
// Logs Text through the monitor, when there is one, and returns Flag: a check can be logged
// inside its condition.
bool LogIt(const std::string& Text, bool Flag);
// LogIt, then EAssertionFailed ("Failed: " + Text) when Flag is false.
void LogAssert(const std::string& Text, bool Flag);

// The unit's start-up and shutdown in its module: the module's monitor starts as none, and at the
// end it is forgotten, never freed (the application owns it).
void VeskExceptionsInitialize();
void VeskExceptionsFinalize();
