#include "DropCommands.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <istream>
#include <iterator>
#include <ostream>

#include "DnDFileURL.h"
#include "FileHandle.h"
#include "FreedesktopDrop.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TerminalText.h"
#include "VeskExceptions.h"
#include "Vesk_Def.h"

namespace {

std::string ReadWhole(std::istream& Stream) {
  return std::string(std::istreambuf_iterator<char>(Stream), {});
}

// The bytes of a file, or of standard input for "-".
std::string ReadInput(const std::string& Name, std::istream& In) {
  if (Name == "-") return ReadWhole(In);
  TFileHandle File(open(Name.c_str(), O_RDONLY | O_CLOEXEC));
  if (!File) throw EInOutError("opening", Name, errno);
  std::string Bytes;
  char Buffer[65536];
  for (;;) {
    const ssize_t Got = read(File.Get(), Buffer, sizeof Buffer);
    if (Got < 0 && errno == EINTR) continue;
    if (Got < 0) throw EInOutError("reading", Name, errno);
    if (Got == 0) return Bytes;
    Bytes.append(Buffer, static_cast<size_t>(Got));
  }
}

// As a browser and a file manager deliver them: files and a link as text/uri-list, text as
// text/plain.
TMimePayloads DropPayloads(const TDropInput& Drop, std::istream& In) {
  TMimePayloads Payloads;
  if (!Drop.Paths.empty() || !Drop.UriListFile.empty()) {
    std::vector<std::string> Uris;
    for (const std::string& Path : Drop.Paths)
      Uris.push_back(FileNameToUri(std::filesystem::absolute(Path).string()));
    std::string List = BuildUriList(Uris);
    if (!Drop.UriListFile.empty()) List += ReadInput(Drop.UriListFile, In);
    Payloads.emplace_back("text/uri-list", List);
  }
  if (!Drop.Url.empty()) Payloads.emplace_back("text/uri-list", BuildUriList({Drop.Url}));
  if (!Drop.TextFile.empty()) Payloads.emplace_back("text/plain", ReadInput(Drop.TextFile, In));
  return Payloads;
}

// Each field made safe for the terminal; the tabs between them stay.
std::string PrintableLine(const std::string& Line) {
  std::string Printable;
  size_t Start = 0;
  for (size_t Tab = Line.find('\t'); Start <= Line.size(); Tab = Line.find('\t', Start)) {
    if (Tab == std::string::npos) Tab = Line.size();
    if (Start > 0) Printable += '\t';
    Printable += TerminalText(std::string_view(Line).substr(Start, Tab - Start));
    Start = Tab + 1;
  }
  return Printable;
}

bool HasControlCharacter(const std::string& Text) {
  for (char C : Text)
    if (static_cast<unsigned char>(C) < 0x20 || C == 0x7F) return true;
  return false;
}

// Creates Path with Bytes; raises, naming the file, when it exists or cannot be written whole.
void WriteNewFile(const std::string& Path, const std::string& Bytes) {
  TFileHandle File(open(Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
  if (!File && errno == EEXIST)
    throw EVeskError(Path + " exists already; shortcut does not overwrite a file");
  if (!File) throw EInOutError("creating", Path, errno);
  auto Fail = [&](int Error) {
    unlink(Path.c_str());  // half a shortcut is no shortcut
    throw EInOutError("writing", Path, Error);
  };
  for (size_t Done = 0; Done < Bytes.size();) {
    const ssize_t Written = write(File.Get(), Bytes.data() + Done, Bytes.size() - Done);
    if (Written < 0 && errno == EINTR) continue;
    if (Written <= 0) Fail(Written < 0 ? errno : ENOSPC);
    Done += static_cast<size_t>(Written);
  }
  if (!File.Close()) Fail(errno);
}

}  // namespace

void PrintDropReferences(const TDropInput& Drop, std::istream& In, std::ostream& Out) {
  const TMimePayloads Payloads = DropPayloads(Drop, In);
  TDragDropFilesURL Target(nullptr);
  if (!Target.DropTarget().Drop(*DataObjectFromMime(Payloads)))
    throw EVeskError("The drop holds nothing the host takes: no files, URL or text");
  const std::unique_ptr<TStringList> Lines = GetAttmFromDnD(Target);
  for (int Index = 0; Index < Lines->Count(); ++Index)
    Out << PrintableLine(Lines->Strings(Index)) << "\n";
}

void PrintReferenceSplit(const std::string& Location, const std::string& Descr, std::ostream& Out) {
  std::string Path, FileName, Title;
  GetVeskAttmFilePath(Location, Descr, Path, FileName, Title);
  Out << "Path:      " << TerminalText(Path) << "\n"
      << "File name: " << TerminalText(FileName) << "\n"
      << "Title:     " << TerminalText(Title) << "\n";
}

void WriteUrlShortcut(const std::string& Url, const std::string& Name, const std::string& Dir,
                      std::ostream& Out) {
  // A line break would add lines of its own to the shortcut.
  if (HasControlCharacter(Url)) throw EVeskError("A URL with control characters is no shortcut");
  TDataObjectURL Dragged(Name, Url, true);
  const auto Group = GetGlobalData(Dragged, RegisterClipboardFormat(CFSTR_FILEDESCRIPTOR));
  const auto Contents = GetGlobalData(Dragged, RegisterClipboardFormat(CFSTR_FILECONTENTS), 0);
  const std::string FileName = Group ? ReadFileGroupDescriptor(*Group) : "";
  if (!Contents || FileName.empty() || FileName.find('/') != std::string::npos)
    throw EVeskError("The dragged URL " + Url + " gives no shortcut file");
  const std::string Path = (std::filesystem::path(Dir.empty() ? "." : Dir) / FileName).string();
  // Without the NUL that ends the stream: file(1) takes a shortcut of even size with a NUL at
  // its end for binary data.
  WriteNewFile(Path, TextUpToNul(*Contents));
  Out << TerminalText(Path) << "\n";
}
