#pragma once

// The host's utility functions: hexadecimal and debug text, character filters, a millisecond
// timer, file and path tests, the single-instance check, saving window, panel, dock and grid
// layouts, starting programs and opening documents, links, versions, tree and keyboard helpers,
// URL checks, network names, path shortening, the clipboard URL and dataset helpers.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "Controls.h"
#include "DateUtils.h"
#include "Facility.h"
#include "MessageSink.h"
#include "SonstTypes.h"
#include "Variant.h"

class TApplication;
class TClientDataSet;
class TRichEdit;
class TStatusBar;
class TStream;
class TStringList;
class TTreeView;

// Text.
std::string HexB(uint8_t B);
std::string HexW(uint16_t W);
// The high word, then the low word.
std::string HexL(uint32_t L);
// Bytes 32 to 127 as they are, every other one as "#" and its HexB.
std::string DebugString(const std::string& S);
// Every byte as "$" and its HexB.
std::string HexString(const std::string& S);
// Each byte of S found in FromChars (its first place there) becomes the byte at the same place of
// ToChars; S unchanged when the two lists differ in length.
std::string Substitute(const std::string& S, const std::string& FromChars,
                       const std::string& ToChars);
// S without the bytes of Set.
std::string Filter(const std::string& S, const CharSet& Set);
// Only the bytes of S that are in Set.
std::string NotFilter(const std::string& S, const CharSet& Set);
// The index of the first entry equal to S without regard to case, or -1.
int StringIndex(const std::string& S, const std::vector<std::string>& Strings);
// Whether S names a value of an enumeration, given the enumeration's value names in order.
bool StringInEnum(const std::string& S, const std::vector<std::string>& EnumNames);
// Set bits in Size bytes from P.
int card(const void* P, size_t Size);
// The value of a 64-bit integer variant; raises EVariantError for any other type.
int64_t VarToInt64(const TVariant& V);
// To the nearest minute: 30 seconds and more go up.
TDateTime RoundDateTimeToMinutes(TDateTime DT);
// At most MaxLen characters (not bytes): the head, "..." and the file name.
std::string PathCompactByStrLength(const std::string& Path, int MaxLen);
// Names as Windows accepts them.
bool IsValidWinFileName(const std::string& Name);
bool IsValidWinPathName(const std::string& Name);
// "\\server\share\" of a UNC path, empty for any other path.
std::string JustUNCPart(const std::string& Path);

// The millisecond timer over the tick count, which wraps after 49.7 days.
uint32_t MarkTime(uint32_t MS);
bool TimeOut(uint32_t Mark);
// Milliseconds left until the mark (negative when past it).
int32_t TimeRest(uint32_t Mark);

// Files. None of these raises; they report false (or -1) instead.
// At least two characters, and the file can be opened, or else created (and removed again). An
// existing file is never changed.
bool ValidFilename(const std::string& Name);
// A directory the process may enter; the current directory is left as it is.
bool PathExist(const std::string& Dir);
// Another process holds a lock on the file (fcntl, OFD or flock), or an office program's lock
// file ".~lock.<name>#" lies beside it.
bool IstOpenFile(const std::string& Name);
bool IsOnRemovableMedia(const std::string& Path);
bool IsOnReadOnlyMedia(const std::string& Path);
// Both exist with the same size, modification time and permissions; the contents are not read.
bool EqualFiles(const std::string& A, const std::string& B);
// Renames the file to the new extension, replacing a file of that name. The new name, or the old
// one when the rename failed (then nothing changed).
std::string ChangeExtension(const std::string& Name, const std::string& Ext);
// Moves the file into DestDir: a complete copy (with permissions and modification time) is put
// in place before the source is deleted. False when anything failed; then no partial copy is
// left and the source stays. False also when the target is the source itself.
bool CopyAndDelSource(const std::string& Source, const std::string& DestDir);
// The directory's creation time (its modification time where the file system keeps none), local
// time to two seconds; -1 for anything but an existing directory.
TDateTime DirCreationDate(const std::string& Dir);
// Days since DirCreationDate.
double DirAge(const std::string& Dir);

// The single-instance check: true when another running process holds MapName. The first holder
// keeps it until CloseMapping (or the unit's end, or its own end, even by a crash) and records
// its process and its window. With Activate, a later caller asks the activator to bring the
// first one's window forward.
bool CheckAppAlreadyRunning(const std::string& MapName, TApplication& App, bool Activate,
                            bool CloseMapping);

// Brings another process's window forward. There is no window system here to ask, so the one
// installed by default does nothing; a toolkit (or a test) installs its own.
class TAppActivator {
 public:
  virtual ~TAppActivator() = default;
  virtual void Activate(HWND Window, int ProcessId) = 0;

  static TAppActivator& Default();
};

inline TAppActivator& AppActivator() {
  return TFacility<TAppActivator>::Get();
}

std::string GetUserName();
std::string GetComputerName();

// Layouts under HKEY_CURRENT_USER\Key. Restoring never raises: a missing or unfit value leaves
// the layout as it is.
void SaveWindowPos(const std::string& Key, TForm& Form);
// Without a stored placement the form comes to the front.
void RestoreWindowPos(const std::string& Key, TForm& Form);
void SavePanelPos(const std::string& Key, TControl& Panel);
void RestorePanelPos(const std::string& Key, TControl& Panel);
// Keeps the bounds within the limits that are not 0.
void RestorePanelPosRestrict(const std::string& Key, TControl& Panel, const TRect& Limits);
void SaveDockStatus(const std::string& Key, TControl* Control,
                    const std::vector<TControl*>& DockSites);
void RestoreDockStatus(const std::string& Key, TControl* Control,
                       const std::vector<TControl*>& DockSites);
void SaveGridPos(const std::string& Key, TDBGrid& Grid);
void RestoreGridPos(const std::string& Key, TDBGrid& Grid);

// Programs and documents.
// Splits a command line after ".exe" or ".bat": the program (with the character after the
// extension, trimmed) and the parameters after it.
void ParseExeFile(const std::string& CmdLine, std::string& Exe, std::string& Params);
std::string RemoveParameters(const std::string& CmdLine);
// Opens the file (document, URL or program) through the shell launcher; without Params the file
// is split by ParseExeFile first. Above 32 is success (see ShellLauncher.h).
int ExecuteFile(const std::string& FileName, const std::string& Params,
                const std::string& DefaultDir, int ShowCmd);

// A directory entry as a directory listing gives it.
struct TSearchRec {
  std::string Name;
  int64_t Size = 0;
  uint32_t Mode = 0;
  TDateTime Time = 0;
};

// What the link Dir + FindData.Name points to: a symbolic link's resolved target, a desktop link
// entry's URL (a "file:" URL as its path), a Windows shell link's network path or else its local
// path. Empty for anything else or any failure.
std::string GetLinkedFileName(const std::string& Dir, const TSearchRec& FindData);
std::string GetLinkedFileName(const std::string& Dir, const std::string& FileName);

// The project's version, compiled in: Format gets major, minor, release and build for its %d
// (or %u) in turn.
std::string GetAppVersion(const std::string& Format);
// Major, minor, release and build as four 16-bit parts, the major part highest.
uint64_t GetProductVersion();

// The windows and the keyboard.
void BeeperOn();
void BeeperOff();
bool KeyPressed(HWND Window);
bool GetKeyState(uint8_t Key);
// Titles of the windows a task list shows, each with its window as the object.
bool GetTasksList(TStringList& List);
int TreeViewUpdateCount(TTreeView& Tree);
bool IsTreeViewInUpdate(TTreeView& Tree);
void ForceTreeViewEndUpdate(TTreeView& Tree);
bool DBGHideColByFieldName(TDBGrid& Grid, const std::string& FieldName, bool Hide);
// Puts the RTF text in place of the rich edit's selection (streamed in with its terminating NUL).
void InsertRTFString(TRichEdit& RichEdit, const std::string& Rtf);
// The standard dialog with the captions given to its buttons in order; the modal result.
int MyMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                    const std::vector<TMsgDlgBtn>& Buttons,
                    const std::vector<std::string>& Captions);

// Walks the nodes below a node.
class TTreeViewItterator {
 public:
  explicit TTreeViewItterator(TTreeView* TreeView) : TreeView(TreeView) {}

  TTreeView* TreeView;
  TTreeNodeProc OnNode;
  // Descend into collapsed nodes too.
  bool WithCollapsed = true;
  // Report the start node itself.
  bool WithStartNode = false;
  // Report a node after its children instead of before.
  bool ChildrenFirst = false;

  void EnumFromHere(TTreeNode* Node);

 private:
  void Visit(TTreeNode* Node);
};

// The text of a Windows error code (see WinErrors.h): the system's text of its errno
// counterpart, texts of our own for codes without one, or "Unknown error".
std::string WinErrorAsString(int Code);

// URLs.
// Whether the URL parser finds the scheme http or https.
bool CheckUrl(const std::string& Url);
// Whether a GET of the URL answers 200 or 302 (redirects are not followed). A URL without a
// scheme gets "http://" in front (Url changes). Never waits longer than TimeOut overall.
bool CheckUrlExt(std::string& Url,
                 std::chrono::milliseconds TimeOut = std::chrono::milliseconds(15000));

// The user folders by their Windows names ("Desktop", "Personal", "AppData" ...), with "/"
// appended; registry overrides first. Empty for a name without a counterpart.
std::string GetShellFolder(const std::string& Name);

// Network names from the mount table: a file on a cifs, smb3 or nfs mount gives
// "\\server\share\<rest>". A local file gives its own name (with LocalAsUNC, a drive-letter name
// "C:\x" gives "\\<computer>\C\x"); an empty or relative name gives "". Raises EOSError when the
// mount table cannot be read.
std::string GetUNCName(const std::string& FileName, bool LocalAsUNC);
// One line "\\SERVER\SHARE=/mount/point" per network mount; the count.
int GetNetworkDriveMappings(TStringList& List);

// The clipboard's text when it is an http or https URL (scheme and host lower-cased); Kind
// "URL", "unknown" for other text, "unkown" without text. Clear empties the clipboard after a
// URL.
bool URLFromClipBoard(std::string& Url, std::string& Kind, bool Clear);

// Datasets.
// Makes "Asc_" + FieldName current (creating it); its index number.
int ChangeToIndex(TClientDataSet& DataSet, const std::string& FieldName);
// From an ascending index to "Desc_" + FieldName (true when it existed), or back to
// "Asc_" + FieldName when that exists.
bool ToggleIndex(TClientDataSet& DataSet, int IndexNo, const std::string& FieldName);
// The current record's values of the fields both have; a field that fails is skipped.
void CopyCDSFieldValues(TClientDataSet& Source, TClientDataSet& Dest);
// Dest emptied, then every record of Source appended.
void CopyCDSValues(TClientDataSet& Source, TClientDataSet& Dest);
bool CompareCDSFieldDefs(const TClientDataSet& A, const TClientDataSet& B);
// Loads a packet into DataSet: whole when the fields match, else field by field. True after a
// load; the file's or stream's errors are raised.
bool LoadCDSMatchingDataFromFile(TClientDataSet& DataSet, const std::string& FileName);
bool LoadCDSMatchingDataFromStream(TClientDataSet& DataSet, TStream& Stream);

// The unit's start-up (the URL library) and shutdown (which also lets go of the single-instance
// names still held).
void SonstInitialize();
void SonstFinalize();
