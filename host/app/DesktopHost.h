#pragma once

#include <string>

#include "Application.h"
#include "Controls.h"
#include "MessageSink.h"
#include "StatusBar.h"
#include "VeskExceptions.h"

// The desktop units set up the way the Vesk host sets them up, for the life of the object: a
// main form, a three-panel status bar and the exception monitor in VeskMonitor, with the
// terminal's sinks. Message boxes print "caption: text" on stderr; a dialog with a choice asks
// on stdin when that is a terminal, else takes its default; the beep is a BEL on a terminal;
// the right-hand panel shows on stderr, in place on a terminal or one line a change when
// Verbose. Verbose also writes every logged text to stderr.
class TDesktopHost {
 public:
  TDesktopHost(const std::string& Title, bool Verbose);
  ~TDesktopHost();
  TDesktopHost(const TDesktopHost&) = delete;
  TDesktopHost& operator=(const TDesktopHost&) = delete;

  // Logging into "VESK.log" in ${XDG_STATE_HOME:-$HOME/.local/state}/vesk, made with mode 0700.
  void SwitchLogOn();
  // The application's exception handler: the monitor's AppException.
  void HandleException(const std::exception& E);

 private:
  TApplication FApplication;
  TForm FMainForm;
  // Ends a status line shown in place before a dialog prints below it.
  class TDialogs : public TMessageSink {
   public:
    TDialogs(TTerminalStatusBar& Bar);
    int ShowModal(const TDialogRequest& Request) override;

   private:
    TTerminalStatusBar& FBar;
    TTerminalMessageSink FTerminal;
  };

  TTerminalStatusBar FStatusBar;
  TDialogs FDialogs;
  TTerminalBeepSink FBeeper;
  TVeskExceptionMonitor FMonitor;
  TScopedFacility<TApplication> FInstalledApplication{FApplication};
  TScopedFacility<TMessageSink> FInstalledDialogs{FDialogs};
  TScopedFacility<TBeepSink> FInstalledBeeper{FBeeper};
};

// ${XDG_STATE_HOME:-$HOME/.local/state}/vesk
std::string VeskStateDirectory();
