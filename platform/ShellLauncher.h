#pragma once

#include <chrono>
#include <string>

#include "Facility.h"

// Results of opening a file through the shell, with their Windows meanings: above 32 is success.
constexpr int SE_ERR_FNF = 2;           // the file is missing
constexpr int SE_ERR_PNF = 3;           // its folder is missing
constexpr int SE_ERR_ACCESSDENIED = 5;  // it may not be read or run
constexpr int SE_ERR_BADFORMAT = 11;    // it is no program this system can run
constexpr int SE_ERR_DDETIMEOUT = 28;   // the launcher did not finish in time
constexpr int SE_ERR_NOASSOC = 31;      // no program handles it
constexpr int SE_OPEN_SUCCEEDED = 42;

// What a result code means, for people: "opened", "the file is missing" ...
std::string ShellOpenResultText(int Code);

struct TShellOpenRequest {
  std::string File;
  std::string Params;
  std::string Directory;
  int Show = 1;  // SW_SHOWNORMAL
};

// Opens documents, URLs and programs as the desktop does. Tests and other desktops replace it.
class TShellLauncher {
 public:
  virtual ~TShellLauncher() = default;
  // A result code as above.
  virtual int Open(const TShellOpenRequest& Request) = 0;

  static TShellLauncher& Default();
};

inline TShellLauncher& ShellLauncher() {
  return TFacility<TShellLauncher>::Get();
}

// The freedesktop way. A URL, and a document or folder, go to "gio open" (or "xdg-open" where
// gio is missing), as an absolute path so that no name is read as an option, and the launcher's
// exit is awaited at most TimeOut. An executable file is started directly with Params split into
// words (SplitShellWords) in Directory, and not awaited. A missing file (2), a missing folder
// (3) and a file that may not be read (5) are found before anything starts, since gio reports
// every failure alike; any failure of the launcher gives 31. Parameters of a document and the
// show command have no meaning here and are ignored.
class TDesktopLauncher : public TShellLauncher {
 public:
  std::chrono::milliseconds TimeOut{10000};

  int Open(const TShellOpenRequest& Request) override;

 private:
  int OpenWithDesktop(const std::string& Target);
  int Run(const std::string& Program, const std::string& Params, const std::string& Directory);
};

// A name with a scheme of two or more letters ("https:", "mailto:", "outlook:"); "C:" is a drive.
bool IsUrlName(const std::string& Name);
