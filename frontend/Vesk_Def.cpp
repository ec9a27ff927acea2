#include "Vesk_Def.h"

#include <cctype>
#include <cstring>

#include "DnDFileURL.h"
#include "OSDocSum.h"
#include "OutLookUtil.h"
#include "Sonst.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VeskExceptions.h"

TVESKClipBoard* VESKClipBoard = nullptr;
std::string VeskAlternatePath, VeskPlugInFolder, VeskPlugInIniFile, VeskImportFName, VeskListFName,
    AktVESK_DB;

namespace {

constexpr int64_t MinNodeBytes = 10;

std::string Blanked(const std::string& Text, bool Drop) {
  std::string out;
  for (const char c : Text) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
      out += c;
    else if (!Drop)
      out += ' ';
  }
  return out;
}

// Reads a little-endian integer of Size bytes; false when fewer are left.
bool ReadInt(TStream& Stream, int Size, int64_t& Value) {
  uint8_t bytes[8] = {};
  if (Stream.Read(bytes, Size) != Size) return false;
  uint64_t value = 0;
  for (int i = Size - 1; i >= 0; --i) value = value << 8 | bytes[i];
  Value = Size == 8 ? static_cast<int64_t>(value)
                    : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(value)));
  return true;
}

bool StartsWithNoCase(const std::string& Text, const char* Prefix) {
  const size_t size = std::strlen(Prefix);
  return Text.size() >= size && LowerCase(Text.substr(0, size)) == Prefix;
}

// Path and file name of a file reference: split after the last "/" or "\", or after the colon
// of a drive letter.
void SplitFileName(const std::string& FullName, std::string& Path, std::string& FileName) {
  size_t split = FullName.find_last_of("/\\");
  if (split == std::string::npos && FullName.size() >= 2 && FullName[1] == ':' &&
      std::isalpha(static_cast<unsigned char>(FullName[0])))
    split = 1;
  Path = split == std::string::npos ? "" : FullName.substr(0, split + 1);
  FileName = split == std::string::npos ? FullName : FullName.substr(split + 1);
}

bool HasControlCharacter(const std::string& Text) {
  for (const char c : Text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

// A compound document by its title, subject and author; a folder as "ORDNER"; anything else,
// a document whose summary cannot be read included, as "no Doc Info".
std::string FileDescription(const std::string& FileName) {
  try {
    const TOSDocSummary summary(FileName);
    if (summary.IsSSFile()) {
      if (summary.Title().empty())
        return Format("%s, %s", summary.Subject().c_str(), summary.Author().c_str());
      return Format("%s: %s, %s", summary.Title().c_str(), summary.Subject().c_str(),
                    summary.Author().c_str());
    }
  } catch (const EAssertionFailed&) {
    throw;
  } catch (const Exception&) {
    // A file that cannot be read is described as such; the other files still count.
    return LoadStr(SNoDocInfo);
  }
  return LoadStr(PathExist(FileName) ? SFolder : SNoDocInfo);
}

void AddFileLines(const TStringList& Files, TStringList& Lines) {
  for (int index = 0; index < Files.Count(); ++index) {
    const std::string& name = Files.Strings(index);
    // The line would name another file, or break into several.
    if (HasControlCharacter(name)) {
      VeskWarning(Format("\"%s\" is not attached: its name holds a control character",
                         Blanked(name, false).c_str()));
      continue;
    }
    Lines.Add(AttmLine(atFile, name, FileDescription(name)));
  }
}

// The Outlook item the text drop came from, when Outlook is running and recognises it.
void AddOutlookLine(const TDragDropFilesURL& DragDrop, TStringList& Lines) {
  if (UpperCase(DragDrop.GetSourceObjectName()) != "OUTLOOK" || !OLIsRunning()) return;
  std::string entryID, folderPath, title;
  try {
    if (!OLIsValidDnD(DragDrop.GetSourceOfCopy(), entryID, folderPath, title)) return;
  } catch (const EOleError& error) {
    // Outlook went away during the search: no reference, but the user learns why.
    VeskWarning(error.what());
    return;
  }
  Lines.Add(AttmLine(atOutLook, folderPath + entryID, title));
}

}  // namespace

std::unique_ptr<TStringList> GetAttmFromDnD(const TDragDropFilesURL& DragDrop) {
  auto lines = std::make_unique<TStringList>();
  switch (DragDrop.DropType) {
    case dtFile:
      AddFileLines(DragDrop.Files, *lines);
      break;
    case dtURL:
      lines->Add(AttmLine(atURL, DragDrop.URL, ""));
      break;
    case dtText:
      AddOutlookLine(DragDrop, *lines);
      break;
    case dtUnkown:
      break;
  }
  return lines;
}

std::string AttmLine(TAttmType Type, const std::string& Location, const std::string& Descr) {
  return Format("%d\t%s\t%s", static_cast<int>(Type), Blanked(Location, true).c_str(),
                Blanked(Descr, false).c_str());
}

TVESKTreeNodeRecord TVESKClipBoard::ReadTeeNode() {
  TVESKTreeNodeRecord node;
  if (Format != icfTree) return node;
  const int64_t left = Stream.Size() - Stream.Position();
  if (left < MinNodeBytes) {
    Stream.Seek(0, soFromEnd);  // a tail too short for a node ends the walk
    return node;
  }
  int64_t value = 0;
  if (!ReadInt(Stream, 4, value)) return node;
  node.Int1 = static_cast<int32_t>(value);
  if (!ReadInt(Stream, 4, value)) return node;
  if (value < 0 || value > Stream.Size() - Stream.Position()) {
    Stream.Seek(0, soFromEnd);  // what follows cannot be told apart from text
    return node;
  }
  node.Text.resize(static_cast<size_t>(value));
  Stream.Read(node.Text.data(), value);
  int32_t* const ints[] = {&node.Int2, &node.Int3, &node.Int4};
  for (int32_t* field : ints) {
    if (!ReadInt(Stream, 4, value)) return node;
    *field = static_cast<int32_t>(value);
  }
  if (Stream.Read(&node.Flag, 1) != 1) return node;
  if (ReadInt(Stream, 8, value)) node.Int5 = static_cast<int32_t>(value);
  return node;
}

void Vesk_DefInitialize() {
  VESKClipBoard = new TVESKClipBoard;
  VeskAlternatePath = "./TEMP";
  VeskPlugInFolder = "./PlugIns";
  VeskPlugInIniFile = "VeskPlugIns.ini";
  VeskImportFName = "VESK_ATT.VPF";
  VeskListFName = "VESKLog.txt";
  AktVESK_DB = "VESK_2.VDB";
}

void Vesk_DefFinalize() {
  delete VESKClipBoard;
  VESKClipBoard = nullptr;
  for (std::string* name : {&VeskAlternatePath, &VeskPlugInFolder, &VeskPlugInIniFile,
                            &VeskImportFName, &VeskListFName, &AktVESK_DB})
    name->clear();
}

bool GetVeskAttmFilePath(const std::string& FullName, const std::string& Descr, std::string& Path,
                         std::string& FileName, std::string& Title) {
  Title = Descr;
  for (const char* scheme : {"http:", "https:"}) {
    if (!StartsWithNoCase(FullName, scheme)) continue;
    Path = std::string(scheme) + "//";
    FileName = FullName.substr(std::strlen(scheme));
    if (FileName.compare(0, 2, "//") == 0) FileName.erase(0, 2);
    if (Descr.empty()) Title = LoadStr(SInternet);
    return true;
  }
  if (LowerCase(FullName).find("outlook:") == std::string::npos) {
    SplitFileName(FullName, Path, FileName);
    return true;
  }
  // Outlook references keep their split after the last backslash or colon.
  const size_t split = FullName.find_last_of("\\:");
  Path = LowerCase(FullName.substr(0, split + 1));
  FileName = FullName.substr(split + 1);
  if (Path == "outlook:") {
    Path += "//";
    if (FileName.compare(0, 2, "//") == 0) FileName.erase(0, 2);
    if (Descr.empty()) Title = LoadStr(SOutlook);
  } else {
    const size_t pair = Path.find("\\\\");
    if (pair != std::string::npos) Path.replace(pair, 2, "//");
    if (Descr.empty()) Title = Format(LoadStr(SOutlookFolder).c_str(), FileName.c_str());
  }
  return true;
}

TVESKRelease TranslateVersionsNr(int64_t VersionNr) {
  TVESKRelease release;
  if (VersionNr < 0) {
    release.VersionNr = -1;
    return release;
  }
  release.VersionNr = VersionNr;
  release.Line = static_cast<uint8_t>(((VersionNr >> 32) & 0xFF) - 1);
  release.Release = static_cast<int32_t>((VersionNr >> 16) & 0xFF);
  release.Build = static_cast<int32_t>(VersionNr & 0xFF);
  return release;
}

int64_t TranslateRelease(const TVESKRelease& Release) {
  return ((int64_t{2} * 65536 + Release.Line + 1) * 65536 + Release.Release) * 65536 +
         Release.Build;
}

bool CheckFeature(const TVESKRelease& R, TVeskFeature Feature) {
  switch (Feature) {
    case ifVDBhasAttmSortNr:
      return R.Build > 0;
    case ifVDBhasAttmMemo:
      return (R.Line == 0 && (R.Release > 2 || R.Build > 50)) ||
             (R.Line == 1 && (R.Release > 0 || R.Build > 49));
    case ifVDBhasStatusSortNr:
    case ifVDBhasUNCField:
      return (R.Release == 3 && R.Build > 14) || R.Release > 3;
  }
  return false;
}

TVeskFeatureSet GetFeatures(const TVESKRelease& Release) {
  TVeskFeatureSet features;
  for (TVeskFeature feature :
       {ifVDBhasAttmSortNr, ifVDBhasAttmMemo, ifVDBhasStatusSortNr, ifVDBhasUNCField})
    if (CheckFeature(Release, feature)) features.insert(feature);
  return features;
}
