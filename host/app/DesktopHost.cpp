#include "DesktopHost.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

#include "SysUtils.h"
#include "UserDirs.h"

namespace {

// Every missing folder of the path made private to the user, as the XDG rules ask for the
// folders of a user's state.
void MakePrivateFolders(const std::string& Path) {
  for (size_t End = Path.find('/', 1);; End = Path.find('/', End + 1)) {
    std::string Folder = Path.substr(0, End);
    if (mkdir(Folder.c_str(), 0700) != 0 && errno != EEXIST)
      throw EInOutError("creating the log folder", Folder, errno);
    if (End == std::string::npos) return;
  }
}

// Where a status line shows: the terminal or nothing, unless asked for one line a change.
std::ostream& StatusOutput(bool Verbose) {
  static std::ostream Nowhere(nullptr);
  return Verbose || isatty(STDERR_FILENO) ? std::cerr : Nowhere;
}

}  // namespace

TDesktopHost::TDialogs::TDialogs(TTerminalStatusBar& Bar)
    : FBar(Bar), FTerminal(std::cerr, isatty(STDIN_FILENO) ? &std::cin : nullptr) {}

int TDesktopHost::TDialogs::ShowModal(const TDialogRequest& Request) {
  FBar.EndLine();
  return FTerminal.ShowModal(Request);
}

std::string VeskStateDirectory() {
  return XdgBaseDirectory("XDG_STATE_HOME", ".local/state") + "/vesk";
}

TDesktopHost::TDesktopHost(const std::string& Title, bool Verbose)
    : FStatusBar(StatusOutput(Verbose), !Verbose), FDialogs(FStatusBar), FMonitor(&FMainForm) {
  FApplication.Title = Title;
  FApplication.MainForm = &FMainForm;
  FApplication.OnException = [this](TObject* Sender, const std::exception& E) {
    FMonitor.AppException(Sender, E);
  };
  FMainForm.Caption = Title;
  FMonitor.SetStatusBar(&FStatusBar);
  if (Verbose) FMonitor.LogHook = [](const std::string& Text) { std::cerr << Text << std::endl; };
  VeskMonitor = &FMonitor;
}

TDesktopHost::~TDesktopHost() {
  VeskMonitor = nullptr;
}

void TDesktopHost::SwitchLogOn() {
  FMonitor.LogDirectory = VeskStateDirectory();
  MakePrivateFolders(FMonitor.LogDirectory);
  FMonitor.SetLogOn(true);
}

void TDesktopHost::HandleException(const std::exception& E) {
  FApplication.HandleException(nullptr, E);
}
