#include "OutLookUtil.h"

#include <cctype>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <vector>

#include "Controls.h"
#include "DateUtils.h"
#include "Sonst.h"
#include "StringList.h"
#include "SysUtils.h"
#include "Unicode.h"
#include "VeskExceptions.h"

namespace {

const char* const ReferenceScheme = "OUTLOOK://";

// The unit's hold on Outlook, made by the first successful OLIsRunning.
struct TOLState {
  TOLApplicationRef OLApp;
  TOLNameSpaceRef OLNameSpace;
  std::string OLSentFolderName;
};
TOLState OLState;

// Connected for the life of the object: every path out of an operation disconnects.
class TOLConnection {
 public:
  explicit TOLConnection(TOLApplicationRef App) : FApp(std::move(App)) { FApp->Connect(); }
  ~TOLConnection() { FApp->Disconnect(); }
  TOLConnection(const TOLConnection&) = delete;
  TOLConnection& operator=(const TOLConnection&) = delete;

 private:
  TOLApplicationRef FApp;
};

void Log(const std::string& Text) {
  LogIt(Text, true);
}

// The fields of Line between runs of Separator; separators at either end make no field.
std::vector<std::string> Words(const std::string& Line, char Separator) {
  std::vector<std::string> Result;
  size_t Pos = 0;
  while (Pos < Line.size()) {
    size_t End = Line.find(Separator, Pos);
    if (End == std::string::npos) End = Line.size();
    if (End > Pos) Result.push_back(Line.substr(Pos, End - Pos));
    Pos = End + 1;
  }
  return Result;
}

// Each pair of adjacent tabs, left to right without overlap, becomes tab "_" tab, so that an
// empty field keeps its place (of three adjacent tabs only the first pair is filled).
std::string FillEmptyFields(const std::string& Line) {
  std::string Result;
  for (size_t Pos = 0; Pos < Line.size(); ++Pos) {
    if (Line[Pos] == '\t' && Pos + 1 < Line.size() && Line[Pos + 1] == '\t') {
      Result += "\t_\t";
      ++Pos;
    } else {
      Result += Line[Pos];
    }
  }
  return Result;
}

std::string Quoted(const std::string& Value) {
  std::string Result = "'";
  for (char C : Value) Result += C == '\'' ? std::string("''") : std::string(1, C);
  return Result + "'";
}

void MakeState() {
  TOLState Made;
  Made.OLApp = OutlookConnector().CreateApplication();
  Made.OLNameSpace = Made.OLApp->GetNamespace("MAPI");
  Made.OLSentFolderName = Made.OLNameSpace->GetDefaultFolder(olFolderSentMail)->Name();
  // Kept only whole: a half-made state would never be made again.
  OLState = std::move(Made);
}

// The module's name space; one of an Outlook that has since restarted is made again, once, with
// the rest of the module state.
template <class TCall>
auto OnNameSpace(TCall Call) {
  try {
    return Call(*OLState.OLNameSpace);
  } catch (const EOleDisconnected&) {
    MakeState();
    return Call(*OLState.OLNameSpace);
  }
}

// "OUTLOOK://" and the folder names from the top of the store down to Folder, each followed by
// a backslash.
std::string FolderReference(const TOLFolderRef& Folder) {
  std::string Path = Folder->Name() + "\\";
  for (TOLFolderRef Current = Folder;;) {
    std::string Name;
    try {
      Current = Current->Parent();
      if (!Current) break;
      Name = Current->Name();
    } catch (const std::exception&) {
      break;
    }
    Path = Name + "\\" + Path;
  }
  return ReferenceScheme + Path;
}

// The current folder of Outlook's window; raises when there is none.
TOLFolderRef CurrentFolder() {
  TOLExplorerRef Explorer = OLState.OLApp->ActiveExplorer();
  if (!Explorer) throw EOleError("Outlook shows no window.");
  return Explorer->CurrentFolder();
}

// ---- Mails by drag text ----

bool IsMailDragText(const TStringList& Lines) {
  return Lines.Count() == 2 && Words(Lines.Strings(0), '\t').size() >= 3 &&
         Words(Lines.Strings(1), '\t').size() >= 3;
}

// The current folder when it holds mail; none (logged) otherwise.
TOLFolderRef CurrentMailFolder(std::string& FolderName) {
  try {
    TOLFolderRef Folder = CurrentFolder();
    FolderName = Folder->Name();
    if (Folder->DefaultItemType() == olMailItem) return Folder;
    Log(Format("\"%s\" is not a Mailfolder", FolderName.c_str()));
  } catch (const std::exception&) {
    Log("Unable to open current OL-Folder");
  }
  return nullptr;
}

// Where the subject goes on after a two-letter prefix, colon and blank ("AW: ", "Re: ", "ΑΠ: "),
// counted in characters so that a prefix of non-ASCII letters is one; npos without one.
size_t AfterReplyPrefix(const std::string& Subject) {
  size_t Pos = 0;
  char32_t Third = 0;
  for (int Index = 0; Index < 4; ++Index) {
    if (Pos >= Subject.size()) return std::string::npos;
    char32_t C = NextUtf8CodePoint(Subject, Pos);
    if (Index == 2) Third = C;
  }
  return Third == ':' ? Pos : std::string::npos;
}

// By subject; a subject with a reply prefix is tried again without it, and then comes back
// shortened.
TOLItemRef FindBySubject(TOLItems& Items, std::string& Subject) {
  TOLItemRef Candidate = Items.Find(" [Subject] = " + Quoted(Subject));
  const size_t Rest = Candidate ? std::string::npos : AfterReplyPrefix(Subject);
  if (Rest != std::string::npos) {
    Subject.erase(0, Rest);
    Candidate = Items.Find(" [Subject] = " + Quoted(Subject));
  }
  return Candidate;
}

// As the user's settings write it; else without the first word, a weekday.
bool ReadDraggedTime(const std::string& Text, TDateTime& Value) {
  if (TryStrToDateTime(Text, Value)) return true;
  size_t Blank = Text.find(' ');
  return Blank != std::string::npos && TryStrToDateTime(Trim(Text.substr(Blank, 99)), Value);
}

bool SameMinute(TDateTime ItemTime, TDateTime Dragged) {
  return std::llround(RoundDateTimeToMinutes(ItemTime) * MSecsPerDay) ==
         std::llround(Dragged * MSecsPerDay);
}

TDateTime MailTime(const TOLItem& Mail, bool InSentFolder) {
  return Mail.GetDate(InSentFolder ? "SentOn" : "ReceivedTime");
}

// Walks the candidates with the subject until one has the dragged time; none when they run out
// or the dragged time cannot be read (both logged).
TOLItemRef MatchDraggedTime(TOLItems& Items, TOLItemRef Candidate, bool InSentFolder,
                            const std::string& TimeText) {
  TDateTime Time;
  try {
    Time = MailTime(*Candidate, InSentFolder);
  } catch (const Exception&) {
    Time = Candidate->GetDate("CreationTime");
  }
  Log(Format("Possible subject found - Timestamp: %s", DateTimeToStr(Time).c_str()));
  TDateTime Dragged;
  if (!ReadDraggedTime(TimeText, Dragged)) {
    Log(Format("\"%s\" is no date and time", TimeText.c_str()));
    return nullptr;
  }
  while (!SameMinute(Time, Dragged)) {
    Candidate = Items.FindNext();
    if (!Candidate) {
      Log("No Possible subject found.");
      return nullptr;
    }
    Time = MailTime(*Candidate, InSentFolder);
    Log(Format("Trying next matching subject - Timestamp: %s", DateTimeToStr(Time).c_str()));
  }
  return Candidate;
}

// ---- Contacts, appointments and tasks ----

struct TItemKind {
  int FolderType;
  const char* WrongFolder;
  const char* NotFound;
};
const TItemKind ContactKind{olContactItem, "no outlook contact folder",
                            "OL contact item not found"};
const TItemKind AppointmentKind{olAppointmentItem, "no outlook calender folder",
                                "OL appointment not found"};
const TItemKind TaskKind{olTaskItem, "no outlook task folder", "OL task item not found"};

struct TTitledClass {
  int Class;
  int Prefix;
};

// Connected for the search; any failure, the kind's own warnings included, gives false.
bool RecognizeInCurrentFolder(const TItemKind& Kind, const std::string& Filter,
                              std::initializer_list<TTitledClass> Accepted, const std::string& Text,
                              std::string& EntryID, std::string& FolderPath, std::string& Title) {
  if (!OLIsRunning()) return false;
  try {
    TOLConnection Connection(OLState.OLApp);
    TOLFolderRef Folder = CurrentFolder();
    if (Folder->DefaultItemType() != Kind.FolderType) throw EVeskWarning(Kind.WrongFolder);
    TOLItemRef Item = Folder->Items().Find(Filter);
    if (!Item) throw EVeskWarning(Kind.NotFound);
    int Class = Item->Class();
    for (const TTitledClass& Titled : Accepted) {
      if (Titled.Class != Class) continue;
      EntryID = Item->EntryID();
      FolderPath = ReferenceScheme + FolderPath;
      Title = LoadStr(Titled.Prefix) + Text;
      return true;
    }
  } catch (const EVeskWarning& E) {
    Log(E.Message());
  } catch (const std::exception&) {
  }
  return false;
}

// Line 2 of the drag text with empty fields filled; nothing unless the text has exactly two
// lines of at least MinFields fields.
std::vector<std::string> FilledFields(const TStringList& Lines, size_t MinFields) {
  if (Lines.Count() != 2 || Words(Lines.Strings(0), '\t').size() < MinFields) return {};
  std::vector<std::string> Fields = Words(FillEmptyFields(Lines.Strings(1)), '\t');
  return Fields.size() < MinFields ? std::vector<std::string>() : Fields;
}

// A list view gives the name as its first field; a card view "Label: Name" without tabs.
std::string DraggedContactName(const TStringList& Lines) {
  if (Lines.Strings(0).find('\t') != std::string::npos) {
    std::vector<std::string> Fields = Words(FillEmptyFields(Lines.Strings(1)), '\t');
    return Fields.empty() ? "" : Fields[0];
  }
  std::vector<std::string> Parts = Words(Lines.Strings(1), ':');
  return Parts.size() < 2 ? "" : TrimLeft(Parts[1]);
}

// ---- Selection ----

bool SelectionTitle(int Class, const std::string& Text, std::string& Title) {
  static const TTitledClass Titled[] = {{olMail, SOLMail},
                                        {olAppointment, SOLAppointment},
                                        {olContact, SOLContact},
                                        {olTask, SOLTask},
                                        {olDistributionList, SOLDistributionList}};
  Title = "unknown OUTLOOK object";
  for (const TTitledClass& Entry : Titled) {
    if (Entry.Class != Class) continue;
    Title = LoadStr(Entry.Prefix) + Text;
    return true;
  }
  return false;
}

bool IsMailWithEntryID(const std::function<TOLItemRef()>& GetItem, const std::string& EntryID) {
  try {
    TOLItemRef Item = GetItem();
    return Item->Class() == olMail && Item->EntryID() == EntryID;
  } catch (const std::exception&) {
    return false;
  }
}

TOLItemRef SearchFolders(const TOLFolderRef& Folder, TOLFolderRef& FoundIn,
                         const std::function<TOLItemRef(const TOLFolderRef&)>& Search) {
  if (!Folder) return nullptr;
  if (TOLItemRef Item = Search(Folder)) {
    FoundIn = Folder;
    return Item;
  }
  TOLFolders& Subfolders = Folder->Folders();
  for (int Index = 1; Index <= Subfolders.Count(); ++Index)
    if (TOLItemRef Item = SearchFolders(Subfolders.Item(Index), FoundIn, Search)) return Item;
  return nullptr;
}

bool IsWindowsPath(const std::string& Path) {
  return Path.find('\\') != std::string::npos ||
         (Path.size() >= 2 && std::isalpha(static_cast<unsigned char>(Path[0])) && Path[1] == ':');
}

bool IsUpperHex(const std::string& ID) {
  return !ID.empty() && ID.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

int NumberingBase(const std::string& FolderEntryID) {
  static const struct {
    int Folder;
    int Base;
  } Bases[] = {{olFolderInbox, 0},
               {olFolderOutbox, 0x4000},
               {olFolderSentMail, 0x8000},
               {olFolderNotes, 0xC000}};
  return OnNameSpace([&](const TOLNameSpace& NameSpace) {
    for (const auto& Entry : Bases)
      if (NameSpace.GetDefaultFolder(Entry.Folder)->EntryID() == FolderEntryID) return Entry.Base;
    return 0x10000;
  });
}

}  // namespace

bool OLIsRunning() {
  try {
    if (!OLState.OLApp) MakeState();
    TOLConnection Connection(OLState.OLApp);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool OLIsMailDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                 std::string& Subject) {
  if (!OLIsRunning()) return false;
  TOLConnection Connection(OLState.OLApp);
  Log("Start OLIsMailDnD");
  Log(Lines.Text());
  if (!IsMailDragText(Lines)) {
    Log("No OL Item: 2 Lines with 3 words required!");
    return false;
  }
  std::vector<std::string> Fields = Words(Lines.Strings(1), '\t');
  Subject = Fields[1];
  const std::string& TimeText = Fields[2];
  Log(Format("Search OL for: \"%s\" of \"%s\"", Subject.c_str(), TimeText.c_str()));
  std::string FolderName;
  TOLFolderRef Folder = CurrentMailFolder(FolderName);
  if (!Folder) return false;
  Log(Format("Current OL Folder: %s", FolderName.c_str()));
  TOLItems& Items = Folder->Items();
  TOLItemRef Candidate = FindBySubject(Items, Subject);
  if (!Candidate) {
    Log("No Possible subject found.");
    return false;
  }
  if (Candidate->Class() == olMail) {
    bool InSentFolder = FolderName == OLState.OLSentFolderName;
    Candidate = MatchDraggedTime(Items, Candidate, InSentFolder, TimeText);
    if (!Candidate) return false;
  }
  Log("generating VESK! Attm");
  FolderPath = FolderReference(Folder);
  int Class = Candidate->Class();
  if (Class != olMail && Class != olDocument) return false;
  EntryID = Candidate->EntryID();
  return true;
}

bool OLIsContactDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                    std::string& Title) {
  if (Lines.Count() < 2) return false;
  std::string Name = DraggedContactName(Lines);
  return RecognizeInCurrentFolder(
      ContactKind, "[Name] = " + Quoted(Name),
      {{olContact, SOLContact}, {olDistributionList, SOLDistributionList}}, Name, EntryID,
      FolderPath, Title);
}

bool OLIsAppointmentDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                        std::string& Title) {
  std::vector<std::string> Fields = FilledFields(Lines, 3);
  if (Fields.empty()) return false;
  return RecognizeInCurrentFolder(AppointmentKind, "[Start] = " + Quoted(Fields[2]),
                                  {{olAppointment, SOLAppointment}}, Fields[0], EntryID, FolderPath,
                                  Title);
}

bool OLIsTaskDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                 std::string& Title) {
  std::vector<std::string> Fields = FilledFields(Lines, 2);
  if (Fields.empty()) return false;
  return RecognizeInCurrentFolder(TaskKind, "[Subject] = " + Quoted(Fields[0]), {{olTask, SOLTask}},
                                  Fields[0], EntryID, FolderPath, Title);
}

bool OLIsValidDnD(const TStringList& Lines, std::string& EntryID, std::string& FolderPath,
                  std::string& Title) {
  return OLIsMailDnD(Lines, EntryID, FolderPath, Title) ||
         OLIsContactDnD(Lines, EntryID, FolderPath, Title) ||
         OLIsAppointmentDnD(Lines, EntryID, FolderPath, Title) ||
         OLIsTaskDnD(Lines, EntryID, FolderPath, Title);
}

bool OLIsValidDnD(const std::string& Text, std::string& EntryID, std::string& FolderPath,
                  std::string& Title, int& ObjClass) {
  ObjClass = 0;
  if (!OLIsRunning()) return false;
  TOLConnection Connection(OLState.OLApp);
  TOLExplorerRef Explorer = OLState.OLApp->ActiveExplorer();
  if (!Explorer) return false;
  bool Result = false;
  bool Prefixed = false;
  for (int Index = 1; Index <= Explorer->Selection().Count(); ++Index) {
    TOLItemRef Item = Explorer->Selection().Item(Index);
    if (Item->GetText("Subject") != Text) continue;
    // The last match decides, but the folder reference takes the scheme once.
    if (!Prefixed) FolderPath = ReferenceScheme + FolderPath;
    Prefixed = true;
    EntryID = Item->EntryID();
    ObjClass = Item->Class();
    Result = SelectionTitle(ObjClass, Text, Title);
  }
  return Result;
}

bool OLIsValidDnD(const std::string& Text, std::string& EntryID, std::string& FolderPath,
                  std::string& Title) {
  int ObjClass;
  return OLIsValidDnD(Text, EntryID, FolderPath, Title, ObjClass);
}

bool OLShowDoc(const std::string& Path, const std::string& ID,
               [[maybe_unused]] const std::string& Subject) {
  std::string Target;
  if (IsUpperHex(ID)) {
    Target = Format("OUTLOOK:%s", ID.c_str());
  } else {
    char Separator = IsWindowsPath(Path) ? '\\' : '/';
    Target = Path.empty() || Path.back() == Separator ? Path : Path + Separator;
    Target += ID;
  }
  return ExecuteFile(Target, "", "./", SW_SHOWNORMAL) > 32;
}

TOLItemRef OLFindInFolders(const TOLFolderRef& Folder, const std::string& Filter,
                           TOLFolderRef& FoundIn) {
  return SearchFolders(Folder, FoundIn,
                       [&](const TOLFolderRef& Each) { return Each->Items().Find(Filter); });
}

TOLItemRef OLFindEntryID(const TOLFolderRef& Folder, const std::string& EntryID) {
  if (!Folder) return nullptr;
  TOLItems& Items = Folder->Items();
  for (int Index = 1; Index <= Items.Count(); ++Index) {
    auto Item = [&] { return Items.Item(Index); };
    if (IsMailWithEntryID(Item, EntryID)) return Item();
  }
  return nullptr;
}

TOLItemRef OLFindEntryIDinFolders(const TOLFolderRef& Folder, const std::string& EntryID,
                                  TOLFolderRef& FoundIn) {
  return SearchFolders(Folder, FoundIn,
                       [&](const TOLFolderRef& Each) { return OLFindEntryID(Each, EntryID); });
}

TOLItemRef OLFindEntryIDinCurrentFolder(const std::string& EntryID) {
  if (!OLState.OLApp) return nullptr;
  TOLConnection Connection(OLState.OLApp);
  TOLExplorerRef Explorer = OLState.OLApp->ActiveExplorer();
  if (!Explorer) return nullptr;
  for (int Index = 1; Index <= Explorer->Selection().Count(); ++Index) {
    auto Item = [&] { return Explorer->Selection().Item(Index); };
    if (IsMailWithEntryID(Item, EntryID)) return Item();
  }
  return OLFindEntryID(Explorer->CurrentFolder(), EntryID);
}

std::string OLMailToCSVString(const TOLItem& Mail, int Number, char Separator) {
  std::string To = Mail.GetText("To");
  std::string Subject = Mail.GetText("Subject");
  const std::string Fields[] = {IntToStr(Number),
                                DateTimeToStr(Mail.GetDate("ReceivedTime")),
                                Mail.GetText("SenderName"),
                                To.empty() ? "???" : To,
                                Subject.empty() ? " " : Subject,
                                IntToStr(Mail.AttachmentCount()),
                                Mail.EntryID()};
  std::string Line;
  for (const std::string& Field : Fields) {
    if (&Field != Fields) Line += Separator;
    Line += Field;
  }
  return Line;
}

void GetSelectedMails(TOLFolderRef& Folder, TStringList& List) {
  Folder.reset();
  if (!OLIsRunning()) return;
  TOLConnection Connection(OLState.OLApp);
  TOLExplorerRef Explorer = OLState.OLApp->ActiveExplorer();
  // Without a window nothing is selected.
  if (!Explorer) return;
  Folder = Explorer->CurrentFolder();
  int Base = NumberingBase(Folder->EntryID());
  for (int Index = 1; Index <= Explorer->Selection().Count(); ++Index) {
    TOLItemRef Item = Explorer->Selection().Item(Index);
    if (Item->Class() == olMail) List.Add(OLMailToCSVString(*Item, Base + Index, '|'));
  }
}

void OutLookUtilInitialize() {
  OLState = TOLState();
}

void OutLookUtilFinalize() {
  if (OLState.OLApp) OLState.OLApp->Disconnect();
  OLState = TOLState();
}
