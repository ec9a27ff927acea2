#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "MemoryStream.h"

class TDragDropFilesURL;
class TStringList;

// Definitions the host and its plug-ins share: attachment reference lines, the host's private
// clipboard formats with the reader of copied tree nodes, the splitting of stored references,
// the host database's releases and features, and default names.

enum TAttmType { atUnkown = 0, atFile = 1, atURL = 2, atOutLook = 3 };

// "%d\t%s\t%s": kind, location, description. Control characters in the description become
// blanks and tabs and line breaks leave the location, so that a line keeps its three fields.
std::string AttmLine(TAttmType Type, const std::string& Location, const std::string& Descr);

enum TVeskClipboardFormat { icfEmpty = 0, icfTree = 1, icfAttm = 2, icfRecord = 3 };
inline constexpr const char* CF_VESK[] = {"CF_VESKEmpty", "CF_VESKTree", "CF_VESKAttm",
                                          "CF_VESKREcord"};

struct TVESKTreeNodeRecord {
  int32_t Int1 = 0;
  std::string Text;
  int32_t Int2 = 0, Int3 = 0, Int4 = 0;
  uint8_t Flag = 0;
  int32_t Int5 = 0;

  friend bool operator==(const TVESKTreeNodeRecord&, const TVESKTreeNodeRecord&) = default;
};

// The raw data of one of the host's clipboard formats; the application fills Stream and sets
// Format.
class TVESKClipBoard {
 public:
  TMemoryStream Stream;
  TVeskClipboardFormat Format = icfEmpty;

  bool GetEOF() { return Stream.Position() >= Stream.Size(); }
  bool GetIsEmpty() const { return Stream.Size() == 0; }
  std::string GetFormatName() const { return CF_VESK[Format]; }
  // The next tree node (29 + L bytes: Int1, L, L bytes of text, Int2, Int3, Int4, Flag, an
  // 8-byte Int5) of an icfTree stream; all zero for another format or fewer than 10 bytes left.
  // A text length that is negative or larger than what is left ends the read with the fields
  // read so far and skips the rest of the stream, which cannot be told apart from text. In icfTree,
  // a tail of 1 to 9 bytes is skipped, so that a loop until GetEOF ends. It never raises.
  TVESKTreeNodeRecord ReadTeeNode();
};

// The instance of the running module, made at unit start and freed at unit end.
extern TVESKClipBoard* VESKClipBoard;
void Vesk_DefInitialize();
void Vesk_DefFinalize();

// Splits a stored attachment reference. "http:" and "https:" (any case) split right after the
// scheme's colon and its "//": Path "https://", FileName the rest, Title "INTERNET" without a
// description. "outlook:" references split after the last backslash or colon: "OUTLOOK://ID"
// gives Path "outlook://", Title "OUTLOOK"; an Outlook folder reference gets "//" for its first
// pair of backslashes and the title 'OUTLOOK folder: "name"'. Only the scheme is lower-cased:
// file paths keep their case and split at the last "/" or "\", a ":" only after a drive letter.
bool GetVeskAttmFilePath(const std::string& FullName, const std::string& Descr, std::string& Path,
                         std::string& FileName, std::string& Title);

// The attachment reference lines of the last drop on DragDrop, in a new list. Files: kind 1 with
// "Title: Subject, Author" (", " alone without a title) for a compound document, "ORDNER" for a
// folder, "no Doc Info" for anything else, a file whose summary cannot be read included; a name
// that a line cannot hold (a control character in it) is left out with a warning naming it. A
// URL: "2\t<url>\t". Text: one Outlook reference when Outlook is running and recognises the
// drop's source, else nothing.
std::unique_ptr<TStringList> GetAttmFromDnD(const TDragDropFilesURL& DragDrop);

struct TVESKRelease {
  int64_t VersionNr = 0;
  uint8_t Line = 0;
  int32_t Release = 0;
  int32_t Build = 0;
};
enum TVeskFeature { ifVDBhasAttmSortNr, ifVDBhasAttmMemo, ifVDBhasStatusSortNr, ifVDBhasUNCField };
using TVeskFeatureSet = std::set<TVeskFeature>;

TVESKRelease TranslateVersionsNr(int64_t VersionNr);
int64_t TranslateRelease(const TVESKRelease& Release);
bool CheckFeature(const TVESKRelease& Release, TVeskFeature Feature);
TVeskFeatureSet GetFeatures(const TVESKRelease& Release);

// Default names; the application may change them.
extern std::string VeskAlternatePath;  // "./TEMP"
extern std::string VeskPlugInFolder;   // "./PlugIns"
extern std::string VeskPlugInIniFile;  // "VeskPlugIns.ini"
extern std::string VeskImportFName;    // "VESK_ATT.VPF"
extern std::string VeskListFName;      // "VESKLog.txt"
extern std::string AktVESK_DB;         // "VESK_2.VDB"

// The unit's texts by resource number.
constexpr int SNoDocInfo = 63555;
constexpr int SFolder = 63556;
constexpr int SInternet = 63557;
constexpr int SOutlook = 63558;
constexpr int SOutlookFolder = 63559;
