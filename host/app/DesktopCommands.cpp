#include "DesktopCommands.h"

#include <errno.h>
#include <unistd.h>

#include <ostream>

#include "OSDocSum.h"
#include "ShellLauncher.h"
#include "Sonst.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TerminalText.h"
#include "VeskExceptions.h"

namespace {

// A name as the user means it: relative to the current directory. Windows drive names stay.
std::string FromCurrentDirectory(const std::string& Name) {
  if (Name.empty() || Name[0] == '/' || Name.compare(1, 2, ":\\") == 0) return Name;
  char* Current = getcwd(nullptr, 0);
  if (!Current) throw EInOutError("reading the current directory", ".", errno);
  std::string Absolute = IncludeTrailingPathDelimiter(Current) + Name;
  free(Current);
  return Absolute;
}

}  // namespace

void OpenDocument(const std::string& FileName, const std::string& Params, std::ostream& Out) {
  VeskMessage("Opening " + FileName);
  int Code = ExecuteFile(FileName, Params, "", SW_SHOWNORMAL);
  std::string Meaning = ShellOpenResultText(Code);
  Out << Code << " " << Meaning << std::endl;
  if (Code <= 32) throw EVeskError("Cannot open " + FileName + ": " + Meaning);
}

void PrintUNCNames(const std::vector<std::string>& Paths, bool LocalAsUNC, std::ostream& Out) {
  for (const std::string& Path : Paths)
    Out << GetUNCName(FromCurrentDirectory(Path), LocalAsUNC) << "\n";
}

void PrintDriveMappings(std::ostream& Out) {
  TStringList Mappings;
  int Count = GetNetworkDriveMappings(Mappings);
  for (int Index = 0; Index < Count; ++Index) Out << Mappings.Strings(Index) << "\n";
  VeskMessage(Format("%d network drives", Count));
}

void PrintDocumentSummaries(const std::vector<std::string>& Files, bool Raw, std::ostream& Out) {
  for (const std::string& File : Files) {
    const TOSDocSummary Summary(File);
    const std::pair<const char*, std::string> Fields[] = {
        {"Author", Summary.Author()},     {"Title", Summary.Title()},
        {"Subject", Summary.Subject()},   {"Last author", Summary.LastAuthor()},
        {"Template", Summary.Template()}, {"Last saved", Summary.LastSaved()}};
    if (Raw) {
      Out << TerminalText(File) << "\t" << (Summary.IsSSFile() ? 1 : 0);
      for (const auto& [Name, Value] : Fields) Out << "\t" << TerminalText(Value);
      Out << "\n";
      continue;
    }
    Out << TerminalText(File) << (Summary.IsSSFile() ? "\n" : ": not a compound document\n");
    if (!Summary.IsSSFile()) continue;
    for (const auto& [Name, Value] : Fields)
      Out << "  " << Name << ":" << std::string(13 - std::string(Name).size(), ' ')
          << TerminalText(Value) << "\n";
  }
}
