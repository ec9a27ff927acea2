#include "TNotesDirectory.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "AnsiCompare.h"
#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "NotesLock.h"
#include "NotesPaths.h"
#include "NotesSummary.h"
#include "NotesText.h"
#include "SysUtils.h"
#include "TNotesName.h"
#include "notesapi/bsafeerr.h"
#include "notesapi/nsfsearc.h"

namespace {

const char* const LocalServer = "Local";
const size_t MaxEntryText = 255;
const STATUS CancelledLogIn = STS_DISPLAYED | ERR_BSAFE_USER_ABORT;

std::string Cut(const std::string& Text) {
  return Text.size() > MaxEntryText ? Text.substr(0, MaxEntryText) : Text;
}

// The information buffer up to its class ("title\n#1class"): the text before the first "#"
// less the line break that ends it.
std::string InfoTitle(const std::string& Info) {
  size_t hash = Info.find('#');
  if (hash == std::string::npos) return Trim(Info);
  return Trim(Info.substr(0, hash == 0 ? 0 : hash - 1));
}

std::string LastPathPart(const std::string& Path) {
  size_t slash = Path.find_last_of("/\\");
  return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

WORD FileTypeOf(const TNotesFindOptions& Options) {
  WORD type = FILE_ANY;
  if (Options.count(nfoFiles))
    type = FILE_DBANY;
  else if (Options.count(nfoTemplates))
    type = FILE_FTANY;
  if (Options.count(nfoSubDirs)) type |= FILE_DIRS;
  return type | FILE_NOUPDIRS;
}

TNotesDirEntry EntryOf(const ITEM_TABLE* Summary, WORD Length) {
  TNotesDirEntry entry;
  DecodeSummary(Summary, Length, [&](const std::string& Name, const TVariant& Value) {
    std::string text;
    try {
      text = Trim(Value.AsString());
    } catch (const std::exception&) {
    }
    if (CompareText(Name, "$title") == 0) entry.Title = Cut(text);
    if (CompareText(Name, "$type") == 0) entry.IsDir = CompareText(text, "$dir") == 0;
    if (CompareText(Name, "$info") == 0) entry.Info = Cut(InfoTitle(text));
    if (CompareText(Name, "$path") == 0) entry.Path = Cut(text);
  });
  if (entry.Title.empty()) entry.Title = Cut(LastPathPart(entry.Path));
  return entry;
}

struct TListing {
  std::vector<TNotesDirEntry>& Entries;
  // Raised once NSFSearch has returned, never through it.
  std::exception_ptr Error;
};

STATUS LNCALLBACK AddEntry(void* Parameter, SEARCH_MATCH* Match, ITEM_TABLE* Summary) {
  auto& listing = *static_cast<TListing*>(Parameter);
  SEARCH_MATCH match;
  std::memcpy(&match, Match, sizeof match);
  if ((match.SERetFlags & SE_FMATCH) == 0 || !Summary) return NOERROR;
  try {
    TNotesDirEntry entry = EntryOf(Summary, match.SummaryLength);
    if (!entry.Title.empty()) listing.Entries.push_back(std::move(entry));
  } catch (...) {
    listing.Error = std::current_exception();
    return ERR_CANCEL;
  }
  return NOERROR;
}

// Folders first, by name; then the rest by title, then by name so that untitled databases
// keep an order.
bool Before(const TNotesDirEntry& A, const TNotesDirEntry& B) {
  if (A.IsDir != B.IsDir) return A.IsDir;
  if (!A.IsDir) {
    int byInfo = AnsiCompareText(A.Info, B.Info);
    if (byInfo != 0) return byInfo < 0;
  }
  return AnsiCompareText(A.Title, B.Title) < 0;
}

}  // namespace

TNotesDirectory::~TNotesDirectory() {
  FindClose();
}

bool TNotesDirectory::FindFirst(const std::string& Server, const std::string& Path,
                                const TNotesFindOptions& Options, TNotesDirEntry& Entry) {
  FindClose();
  FServer = CompareText(Server, LocalServer) == 0 ? "" : Server;
  FPath = Path;
  FOptions = Options.empty() ? TNotesFindOptions{nfoFiles} : Options;
  const std::string path = Native2Lmbcs(ConstructPath(FServer, FPath));
  const STATUS status = NSFDbOpen(path.c_str(), &FDirHandle);
  if (status == CancelledLogIn || (status == NOERROR && FDirHandle == NULLHANDLE)) {
    FindClose();
    throw ELotusNotes(-1, "User cancelled Notes session");
  }
  CheckNotesStatus(status);
  TListing listing{FEntries, nullptr};
  const STATUS searched =
      NSFSearch(FDirHandle, NULLHANDLE, nullptr, SEARCH_SUMMARY | SEARCH_FILETYPE,
                FileTypeOf(FOptions), nullptr, AddEntry, &listing, nullptr);
  if (listing.Error) std::rethrow_exception(listing.Error);
  CheckNotesStatus(searched);
  std::stable_sort(FEntries.begin(), FEntries.end(), Before);
  FPosition = 0;
  return FindNext(Entry);
}

bool TNotesDirectory::FindNext(TNotesDirEntry& Entry) {
  if (FPosition < FEntries.size()) {
    Entry = FEntries[FPosition++];
    return true;
  }
  FindClose();
  return false;
}

void TNotesDirectory::FindClose() {
  FEntries.clear();
  FPosition = 0;
  if (FDirHandle != NULLHANDLE) NSFDbClose(std::exchange(FDirHandle, NULLHANDLE));
}

// Empty pieces (",," or a trailing comma) name no port and are left out.
TStringList& TNotesDirectory::GetPorts() {
  if (FPorts.Count() > 0) return FPorts;
  char value[MAXENVVALUE] = {};
  if (!OSGetEnvironmentString("Ports", value, MAXENVVALUE - 1)) return FPorts;
  const std::string ports(value, strnlen(value, sizeof value));
  for (std::string& port : CommaPieces(Lmbcs2Native(ports))) FPorts.Add(std::move(port));
  return FPorts;
}

// The list is read within the size Notes gives for it: a malformed list ends early.
void TNotesDirectory::ListServers(const std::string& Port, TStringList& List) {
  std::string port = Native2Lmbcs(Port);
  TMemoryHandle servers;
  CheckNotesStatus(NSGetServerList(Port.empty() ? nullptr : port.data(), servers.Receive()));
  DWORD size = 0;
  CheckNotesStatus(OSMemGetSize(servers.Get(), &size));
  List.Clear();
  List.Add(LocalServer);
  TNotesLock lock(servers.Get());
  if (!lock.Data()) throw ELotusNotes(-1, "The server list cannot be read");
  auto wordAt = [&](size_t Offset) {
    WORD value = 0;
    if (Offset + sizeof value <= size) std::memcpy(&value, lock.Data() + Offset, sizeof value);
    return value;
  };
  const WORD count = wordAt(0);
  size_t name = sizeof(WORD) * (1 + size_t{count});
  for (WORD index = 0; index < count; ++index) {
    const WORD length = wordAt(sizeof(WORD) * (1 + size_t{index}));
    if (name + length > size) return;
    List.Add(TNotesName::TranslateName(Lmbcs2Native(std::string(lock.Data() + name, length)), false,
                                       ""));
    name += length;
  }
}
