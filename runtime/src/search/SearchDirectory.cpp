#include "search/SearchDirectory.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "core/EStatus.h"
#include "core/Runtime.h"
#include "core/Settings.h"
#include "core/SignalHandlers.h"
#include "notesapi/notesrt.h"
#include "search/SearchSummary.h"
#include "storage/Database.h"
#include "storage/DbInfoCache.h"
#include "text/TextFold.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

enum class TEntryKind { Database, Template, Mailbox, Directory, Other };

struct TDirEntry {
  std::filesystem::path Path;
  TEntryKind Kind;
};

TEntryKind KindOf(const std::filesystem::directory_entry& Entry) {
  std::error_code error;
  if (Entry.is_directory(error)) return TEntryKind::Directory;
  if (!Entry.is_regular_file(error)) return TEntryKind::Other;
  std::string extension = FoldUtf8(Entry.path().extension().string());
  if (extension == ".nsf" || extension == ".nsg" || extension == ".nsh")
    return TEntryKind::Database;
  if (extension == ".ntf") return TEntryKind::Template;
  if (extension == ".box") return TEntryKind::Mailbox;
  return TEntryKind::Other;
}

bool Wanted(TEntryKind Kind, WORD FileTypes) {
  WORD type = FileTypes & FILE_TYPEMASK;
  if (Kind == TEntryKind::Directory) return (FileTypes & FILE_DIRS) || type == FILE_DIRSONLY;
  switch (type) {
    case FILE_ANY:
      return Kind != TEntryKind::Other;
    case FILE_DBREPL:
    case FILE_DBANY:
      return Kind == TEntryKind::Database;
    case FILE_DBDESIGN:
      return Kind == TEntryKind::Database || Kind == TEntryKind::Template;
    case FILE_MAILBOX:
      return Kind == TEntryKind::Mailbox;
    case FILE_FTANY:
      return Kind == TEntryKind::Template;
    default:
      return false;
  }
}

// Listed in name order, so that a listing is the same on every file system.
std::vector<TDirEntry> Entries(const std::filesystem::path& Directory, WORD FileTypes) {
  std::vector<TDirEntry> entries;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(Directory, error)) {
    TEntryKind kind = KindOf(entry);
    bool descend = kind == TEntryKind::Directory && (FileTypes & FILE_RECURSE);
    if (Wanted(kind, FileTypes) || descend) entries.push_back({entry.path(), kind});
  }
  if (error) throw EStatus(ERR_NOTESRT_STORAGE);
  std::sort(entries.begin(), entries.end(),
            [](const TDirEntry& A, const TDirEntry& B) { return A.Path < B.Path; });
  return entries;
}

// The root the API's paths start at: the data directory, or a server's directory.
std::filesystem::path RelativePath(const std::filesystem::path& Path) {
  for (const char* setting : {"Directory", NOTESRT_SERVERS_DIR_VAR}) {
    std::optional<std::string> root = TSettings::Instance().Get(setting);
    if (!root || root->empty()) continue;
    std::filesystem::path relative = Path.lexically_relative(*root);
    if (relative.empty() || *relative.begin() == "..") continue;
    if (setting != std::string_view("Directory"))
      relative = relative.lexically_relative(*relative.begin());
    return relative;
  }
  return Path.filename();
}

// Read from the file's header row alone: a listing opens no database for use. One that cannot
// be read so (an old schema, say) is opened as usual; a file that is not one of our databases is
// still listed, with no information.
std::string InfoOf(const std::filesystem::path& Path) {
  if (std::optional<std::string> info = TRuntime::Instance().Session<TDbInfoCache>().Info(Path))
    return *info;
  try {
    return TDatabase::Open(Path)->Header().Info;
  } catch (const EStatus&) {
    return {};
  }
}

std::string SummaryOf(const TDirEntry& Entry) {
  struct stat status {};
  stat(Entry.Path.c_str(), &status);
  bool directory = Entry.Kind == TEntryKind::Directory;
  TSummaryTable table(MAXSUMMARYSIZE);
  table.Add("$TITLE", TYPE_TEXT, Utf8ToLmbcs(Entry.Path.filename().string()));
  table.Add("$Type", TYPE_TEXT, directory ? "$DIR" : "$NOTEFILE");
  table.Add("$Info", TYPE_TEXT, directory ? std::string() : InfoOf(Entry.Path));
  table.Add("$Path", TYPE_TEXT, Utf8ToLmbcs(RelativePath(Entry.Path).generic_string()));
  TIMEDATE modified = TimeDateOf(status.st_mtim);
  table.Add("$Modified", TYPE_TIME, {reinterpret_cast<const char*>(&modified), sizeof modified});
  auto length = static_cast<NUMBER>(status.st_size);
  table.Add("$Length", TYPE_NUMBER, {reinterpret_cast<const char*>(&length), sizeof length});
  return table.Bytes();
}

class TDirectorySearch {
 public:
  TDirectorySearch(WORD Flags, WORD FileTypes, NSFSEARCHPROC Routine, void* Parameter)
      : FFlags(Flags), FFileTypes(FileTypes), FRoutine(Routine), FParameter(Parameter) {}

  STATUS List(const std::filesystem::path& Directory);

 private:
  STATUS Report(const TDirEntry& Entry);

  WORD FFlags;
  WORD FFileTypes;
  NSFSEARCHPROC FRoutine;
  void* FParameter;
};

STATUS TDirectorySearch::List(const std::filesystem::path& Directory) {
  for (const TDirEntry& entry : Entries(Directory, FFileTypes)) {
    if (STATUS status = CheckBreak()) return status;
    if (Wanted(entry.Kind, FFileTypes))
      if (STATUS status = Report(entry)) return status;
    if (entry.Kind == TEntryKind::Directory && (FFileTypes & FILE_RECURSE))
      if (STATUS status = List(entry.Path)) return status;
  }
  return NOERROR;
}

STATUS TDirectorySearch::Report(const TDirEntry& Entry) {
  SEARCH_MATCH match{};
  match.SERetFlags = SE_FMATCH;
  if (!(FFlags & SEARCH_SUMMARY)) return FRoutine(FParameter, &match, nullptr);
  std::string summary = SummaryOf(Entry);
  match.SummaryLength = static_cast<WORD>(summary.size());
  return FRoutine(FParameter, &match, reinterpret_cast<ITEM_TABLE*>(summary.data()));
}

}  // namespace

STATUS SearchDirectory(const std::filesystem::path& Directory, WORD Flags, WORD FileTypes,
                       NSFSEARCHPROC Routine, void* Parameter) {
  return TDirectorySearch(Flags, FileTypes, Routine, Parameter).List(Directory);
}

}  // namespace notesrt
