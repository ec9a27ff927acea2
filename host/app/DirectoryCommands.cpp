#include "DirectoryCommands.h"

#include <cctype>
#include <string>
#include <vector>

#include "MailHostOptions.h"
#include "StringList.h"
#include "TNotesDirectory.h"
#include "TerminalText.h"
#include "TextTable.h"

namespace {

constexpr size_t MaxInfoWidth = 40;

std::string KindOf(const TNotesDirEntry& Entry) {
  if (Entry.IsDir) return "folder";
  const size_t Dot = Entry.Title.rfind('.');
  std::string Extension = Dot == std::string::npos ? "" : Entry.Title.substr(Dot);
  for (char& C : Extension) C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
  return Extension == ".ntf" ? "template" : "database";
}

TNotesFindOptions FindOptionsOf(const TMailHostOptions& Options) {
  TNotesFindOptions Find;
  if (!Options.Templates) Find.insert(nfoFiles);
  if (Options.Templates) Find.insert(nfoTemplates);
  if (Options.SubDirs) Find.insert(nfoSubDirs);
  return Find;
}

}  // namespace

void ListDirectory(const TMailHostOptions& Options, std::ostream& Out) {
  std::vector<std::vector<std::string>> Rows{{"Title", "Kind", "Info", "Path"}};
  TNotesDirectory Directory;
  TNotesDirEntry Entry;
  for (bool Found =
           Directory.FindFirst(Options.Server, Options.Path, FindOptionsOf(Options), Entry);
       Found; Found = Directory.FindNext(Entry)) {
    // Titles are any database's own text: a control character in one must not reach the terminal.
    const std::string Title = TerminalText(Entry.Title);
    const std::string Info = TerminalText(Entry.Info);
    const std::string Path = TerminalText(Entry.Path);
    if (Options.Raw)
      Out << Title << "|" << KindOf(Entry) << "|" << Info << "|" << Path << "\n";
    else
      Rows.push_back({Title, KindOf(Entry), Shortened(Info, MaxInfoWidth), Path});
  }
  if (Options.Raw) return;
  WriteTable(Rows, Out);
  Out << Rows.size() - 1 << (Rows.size() == 2 ? " entry\n" : " entries\n");
}

void ListServers(const TMailHostOptions& Options, std::ostream& Out) {
  TNotesDirectory Directory;
  TStringList Servers;
  Directory.ListServers(Options.Port, Servers);
  for (int I = 0; I < Servers.Count(); ++I) Out << TerminalText(Servers.Strings(I)) << "\n";
}
