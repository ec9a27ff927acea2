#include "VeskExceptions.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <map>

#include "Application.h"
#include "Classes.h"
#include "Clock.h"
#include "Desktop.h"
#include "FileHandle.h"
#include "MessageSink.h"
#include "StatusBar.h"
#include "SysUtils.h"

EVeskException::~EVeskException() = default;
EVeskWarning::~EVeskWarning() = default;
EFieldWarning::~EFieldWarning() = default;
EVeskError::~EVeskError() = default;
ENoVeskDB::~ENoVeskDB() = default;

TVeskExceptionMonitor* VeskMonitor = nullptr;

namespace {

constexpr uint32_t MB_ICONEXCLAMATION = 0x30;

// Switches the monitor's logging off for its life and back to what it was on every path, so
// that a status text shown on the way is not logged twice.
class TLogPause {
 public:
  explicit TLogPause(TVeskExceptionMonitor& Monitor)
      : FMonitor(Monitor), FWasOn(std::exchange(Monitor.LogOn, false)) {}
  ~TLogPause() { FMonitor.LogOn = FWasOn; }
  TLogPause(const TLogPause&) = delete;
  TLogPause& operator=(const TLogPause&) = delete;
  bool WasOn() const { return FWasOn; }

 private:
  TVeskExceptionMonitor& FMonitor;
  bool FWasOn;
};

std::string CurrentDirectory() {
  char* Current = getcwd(nullptr, 0);
  if (!Current) throw EInOutError("reading the current directory", ".", errno);
  std::string Result = Current;
  free(Current);
  return Result;
}

int OpenForAppend(const std::string& FileName, const char* Action) {
  int Fd = open(FileName.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (Fd < 0) throw EInOutError(Action, FileName, errno);
  return Fd;
}

void CloseFile(TFileHandle& File, const std::string& FileName) {
  if (!File.Close() && errno != EINTR) throw EInOutError("closing", FileName, errno);
}

// The right panel's text and a log line, both paused from logging the text again.
template <class TShow>
void ShowInStatusBar(const std::string& LogPrefix, const std::string& Text, TShow Show) {
  if (!VeskMonitor || !VeskMonitor->StatusBar) return;
  bool WasOn;
  {
    TLogPause Pause(*VeskMonitor);
    Show(*VeskMonitor);
    WasOn = Pause.WasOn();
  }
  if (WasOn) VeskMonitor->LogIt(LogPrefix + Text);
}

}  // namespace

const std::string& LoadStr(int Ident) {
  static const std::map<int, std::string> Strings = {
      {SNotAvailable, "This Function not available yet"},
      {SWarning, "WARNING: "},
      // OutLookUtil
      {63552, "OUTL.App.: "},
      {63553, "OUTL.Task: "},
      {63554, "OUTL.Mail: "},
      {63582, "OUTL.Cont.: "},
      {63583, "OUTL.Distr.: "},
      // Vesk_Def
      {63555, "no Doc Info"},
      {63556, "ORDNER"},
      {63557, "INTERNET"},
      {63558, "OUTLOOK"},
      {63559, "OUTLOOK folder: \"%s\""},
  };
  static const std::string None;
  auto Found = Strings.find(Ident);
  return Found == Strings.end() ? None : Found->second;
}

void TVeskExceptionMonitor::SetStatusBar(TStatusBar* Bar) {
  if (Bar && Bar->PanelCount() < 3)
    throw EListError(Format("List index out of bounds (%d)", Bar->PanelCount()));
  StatusBar = Bar;
  PanelL = Bar ? &Bar->Panel(0) : nullptr;
  PanelM = Bar ? &Bar->Panel(1) : nullptr;
  PanelR = Bar ? &Bar->Panel(2) : nullptr;
}

void TVeskExceptionMonitor::SetMessageText(int Index, const std::string& Text) {
  static const char* const Prefixes[] = {"L.. ", ".M. ", "..R "};
  TStatusPanel* const Panels[] = {PanelL, PanelM, PanelR};
  std::string Prefix;
  if (Index >= 1 && Index <= 3) {
    Prefix = Prefixes[Index - 1];
    if (TStatusPanel* Panel = Panels[Index - 1]) Panel->SetText(Text);
  }
  if (AutoRefresh && StatusBar) StatusBar->Repaint();
  if (LogOn) LogIt(Prefix + Text);
}

void TVeskExceptionMonitor::SetLogOn(bool Value) {
  if (Value && !LogOn && LogFile.empty()) {
    std::string Path =
        IncludeTrailingPathDelimiter(LogDirectory.empty() ? CurrentDirectory() : LogDirectory) +
        "VESK.log";
    TFileHandle Created(OpenForAppend(Path, "creating"));
    CloseFile(Created, Path);
    LogFile = Path;
  }
  LogOn = Value;
}

void TVeskExceptionMonitor::LogIt(const std::string& Text) {
  if (LogOn) WriteLogLine(Text);
  if (LogHook) LogHook(Text);
}

void TVeskExceptionMonitor::WriteLogLine(const std::string& Text) {
  TClock& Now = Clock();
  std::string Line = IntToStr(static_cast<int32_t>(Now.TickCount()));
  Line += ' ';
  Line += DateTimeToStr(Now.Now());
  Line += ' ';
  Line += Text;
  Line += "\r\n";
  // O_APPEND and a single write keep the lines of several processes whole; opening with create
  // brings back a file that was deleted or rotated meanwhile.
  TFileHandle File(OpenForAppend(LogFile, "opening"));
  ssize_t Written;
  do {
    Written = write(File.Get(), Line.data(), Line.size());
  } while (Written < 0 && errno == EINTR);
  // A short write to a regular file means the disk or the file size limit is full.
  if (Written != static_cast<ssize_t>(Line.size()))
    throw EInOutError("writing", LogFile, Written < 0 ? errno : ENOSPC);
  CloseFile(File, LogFile);
}

void TVeskExceptionMonitor::AppException(TObject*, const std::exception& E) {
  auto* HostError = dynamic_cast<const EVeskException*>(&E);
  if (!HostError) {
    MessageSink().ShowModal(MessageBoxRequest(Application().Title, E.what(), mtCustom));
  } else if (dynamic_cast<const EVeskWarning*>(&E)) {
    if (PanelR) PanelR->SetText(LoadStr(SWarning) + HostError->Message());
    BeepSink().MessageBeep(MB_ICONEXCLAMATION);
  } else {
    Application().ShowException(E);
    if (MainForm) MainForm->PostMessage(WM_NEXTDLGCTL, 0, 1);
  }
}

void VeskMessage(const std::string& Text) {
  ShowInStatusBar("--- ", Text, [&](TVeskExceptionMonitor& Monitor) {
    Monitor.SetMessageText(3, Text);
    Monitor.StatusBar->Repaint();
  });
}

void VeskWarning(const std::string& Text) {
  ShowInStatusBar("+++ ", Text, [&](TVeskExceptionMonitor& Monitor) {
    Monitor.SetMessageText(3, LoadStr(SWarning) + Text);
    BeepSink().MessageBeep(MB_ICONEXCLAMATION);
  });
}

void VeskError(const std::string& Text) {
  BeepSink().MessageBeep(MB_ICONEXCLAMATION);
  MessageSink().ShowModal(MessageBoxRequest(Application().Title, Text, mtCustom));
  if (VeskMonitor && VeskMonitor->LogOn) VeskMonitor->LogIt("!!! " + Text);
}

void NotAvailable() {
  VeskWarning(LoadStr(SNotAvailable));
}

void VeskNN() {
  VeskError(LoadStr(SNotAvailable));
}

bool LogIt(const std::string& Text, bool Flag) {
  if (VeskMonitor) VeskMonitor->LogIt(Text);
  return Flag;
}

void LogAssert(const std::string& Text, bool Flag) {
  if (!LogIt(Text, Flag))
    throw EAssertionFailed("Failed: " + Text, "FrontEnd\\VeskExceptions", 152);
}

void VeskExceptionsInitialize() {
  VeskMonitor = nullptr;
}

void VeskExceptionsFinalize() {
  VeskMonitor = nullptr;
}
