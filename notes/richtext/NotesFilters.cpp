#include "NotesFilters.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "ELotusNotes.h"
#include "HugeNSFRTFItemAppend.h"
#include "NotesCharset.h"
#include "NotesEnvironment.h"
#include "NotesRichText.h"
#include "SysUtils.h"
#include "TAppendedItems.h"
#include "TempFiles.h"
#include "notesapi/ixedit.h"
#include "notesapi/notesrterr.h"

namespace {

constexpr int MaxFilterSetting = 255;
constexpr int FieldCount = 5;
constexpr int NameField = 0, LibraryField = 2, ExtensionsField = 4;
constexpr WORD DefaultPabID = 1;
constexpr WORD DefaultMargin = 1440;

// The five fields: the first four pieces trimmed, the fifth the rest after the fourth comma.
std::vector<std::string> FilterFields(const std::string& Value) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (fields.size() + 1 < FieldCount) {
    const size_t comma = Value.find(',', start);
    if (comma == std::string::npos) break;
    fields.push_back(Trim(Value.substr(start, comma - start)));
    start = comma + 1;
  }
  fields.push_back(fields.size() + 1 < FieldCount ? Trim(Value.substr(start))
                                                  : Value.substr(start));
  fields.resize(FieldCount);
  return fields;
}

bool Matches(const std::vector<std::string>& Fields, const std::string& FilterName,
             const std::string& Extension) {
  if (!FilterName.empty()) return SameText(Fields[NameField], FilterName);
  return !Extension.empty() &&
         UpperCase(Fields[ExtensionsField]).find(UpperCase(Extension)) != std::string::npos;
}

// CDPARAGRAPH, CDPABDEFINITION 1 and its reference, as an imported file's first item starts.
std::string LeadingRecords() {
  std::string records(
      ODSLength(_CDPARAGRAPH) + ODSLength(_CDPABDEFINITION) + ODSLength(_CDPABREFERENCE), '\0');
  char* at = records.data();
  const CDPARAGRAPH paragraph{
      {static_cast<BYTE>(SIG_CD_PARAGRAPH), static_cast<BYTE>(ODSLength(_CDPARAGRAPH))}};
  ODSWriteMemory(&at, _CDPARAGRAPH, &paragraph, 1);
  CDPABDEFINITION definition{};
  definition.Header = {SIG_CD_PABDEFINITION, ODSLength(_CDPABDEFINITION)};
  definition.PABID = DefaultPabID;
  definition.LeftMargin = DefaultMargin;
  definition.FirstLineLeftMargin = DefaultMargin;
  definition.Tab[0] = DEFAULT_TAB_INTERVAL;
  ODSWriteMemory(&at, _CDPABDEFINITION, &definition, 1);
  const CDPABREFERENCE reference{
      {static_cast<BYTE>(SIG_CD_PABREFERENCE), static_cast<BYTE>(ODSLength(_CDPABREFERENCE))},
      DefaultPabID};
  ODSWriteMemory(&at, _CDPABREFERENCE, &reference, 1);
  return records;
}

struct TPiece {
  uint64_t Start;
  uint64_t Length;
};

// Where the items of Records end. Tables and hotspots are tracked so that an item ends, where
// it can, before a paragraph that lies outside both: readers then see no break inside them.
class TPieceCutter {
 public:
  explicit TPieceCutter(const std::string& Records) : FData(Records) {}

  // The pieces, or a status for damaged records or one over the item limit.
  STATUS Cut(std::vector<TPiece>& Pieces) {
    uint64_t start = 0, offset = 0;
    std::optional<uint64_t> breakAt;
    while (offset < FData.size()) {
      const uint64_t length = CDRecordLength(FData.data(), FData.size(), offset);
      if (length == 0) return ERR_NOTESRT_RICH_TEXT_DAMAGED;
      const uint64_t span = std::min<uint64_t>(length + length % 2, FData.size() - offset);
      if (span > MaxRichTextPiece) return ERR_NOTESRT_TOO_BIG;
      if (offset > start && offset - start + span >= RichTextPieceSize) {
        // The record does not fit the rest of this item: the item ends here, or before the
        // last paragraph of its second half.
        // The records after a paragraph break are walked again from nesting 0.
        if (breakAt) FNesting = 0;
        const uint64_t end = breakAt.value_or(offset);
        Pieces.push_back({start, end - start});
        start = offset = end;
        breakAt.reset();
        continue;
      }
      Track(offset, start, breakAt);
      offset += span;
    }
    if (offset > start) Pieces.push_back({start, offset - start});
    return NOERROR;
  }

 private:
  void Track(uint64_t Offset, uint64_t Start, std::optional<uint64_t>& BreakAt) {
    const auto type = static_cast<BYTE>(FData[Offset]);
    if (type == static_cast<BYTE>(SIG_CD_PARAGRAPH) && FNesting == 0 &&
        Offset - Start >= RichTextPieceSize / 2)
      BreakAt = Offset;
    if (type == static_cast<BYTE>(SIG_CD_TABLEBEGIN) ||
        type == static_cast<BYTE>(SIG_CD_HOTSPOTBEGIN) ||
        type == static_cast<BYTE>(SIG_CD_V4HOTSPOTBEGIN))
      ++FNesting;
    else if ((type == static_cast<BYTE>(SIG_CD_TABLEEND) ||
              type == static_cast<BYTE>(SIG_CD_HOTSPOTEND) ||
              type == static_cast<BYTE>(SIG_CD_V4HOTSPOTEND)) &&
             FNesting > 0)
      --FNesting;
  }

  const std::string& FData;
  int FNesting = 0;
};

// The file's bytes after its type word; nullopt when it cannot be read.
std::optional<std::string> ReadRecords(const std::string& FileName, int& Code) {
  std::ifstream file(FileName, std::ios::binary);
  if (!file) {
    Code = AppendOpenFailed;
    return std::nullopt;
  }
  std::ostringstream bytes;
  bytes << file.rdbuf();
  if (file.bad()) {
    Code = AppendReadFailed;
    return std::nullopt;
  }
  std::string records = bytes.str();
  if (records.size() >= sizeof(WORD) && static_cast<BYTE>(records[0]) == TYPE_COMPOSITE &&
      records[1] == 0)
    records.erase(0, sizeof(WORD));
  return records;
}

}  // namespace

std::string FindNotesFilter(const std::string& Prefix, const std::string& FilterName,
                            const std::string& Extension) {
  if (FilterName.empty() && Extension.empty()) return "";
  for (int index = 1; index <= MaxFilterSetting; ++index) {
    const std::string value =
        Lmbcs2Native(NotesEnvironmentString((Prefix + std::to_string(index)).c_str()));
    if (value.empty()) continue;
    const std::vector<std::string> fields = FilterFields(Trim(value));
    if (!Matches(fields, FilterName, Extension)) continue;
    std::string library = fields[LibraryField];
    if (!library.empty() && library[0] == '_') library[0] = 'N';
    return library;
  }
  return "";
}

int AppendCDFile(NOTEHANDLE NoteHandle, const std::string& CDFileName,
                 const std::string& ItemName) {
  if (NoteHandle == NULLHANDLE) return AppendNullNote;
  if (!FileExists(CDFileName)) return AppendNoFile;
  int code = 0;
  const std::optional<std::string> file = ReadRecords(CDFileName, code);
  if (!file) return code;
  const std::string records = LeadingRecords() + *file;
  std::vector<TPiece> pieces;
  TPieceCutter cutter(records);
  if (const STATUS status = cutter.Cut(pieces); status != NOERROR) return status;
  const TAppendedItems appended(NoteHandle, ItemName);
  for (const TPiece& piece : pieces) {
    const STATUS status = NSFItemAppend(
        NoteHandle, 0, ItemName.data(), static_cast<WORD>(ItemName.size()), TYPE_COMPOSITE,
        records.data() + piece.Start, static_cast<DWORD>(piece.Length));
    if (status == NOERROR) continue;
    appended.Remove();
    return status;
  }
  return 0;
}

TFilterLibrary::~TFilterLibrary() {
  if (FModule != nullptr) OSFreeLibrary(FModule);
}

STATUS TFilterLibrary::Load(const std::string& Library) {
  return OSLoadLibrary(Library.c_str(), 0, &FModule, &FEntry);
}

DWORD DefaultFilterFontID() {
  return DWORD{FONT_FACE_SWISS} << FONT_FACE_SHIFT | DWORD{10} << FONT_SIZE_SHIFT;
}

int RunImportFilter(const std::string& FilterLibrary, const std::string& FileName,
                    std::string& OutputFileName, STATUS& FilterStatus) {
  OutputFileName.clear();
  FilterStatus = NOERROR;
  TFilterLibrary library;
  if (library.Load(FilterLibrary) != NOERROR) return ImportLibraryNotLoaded;
  TTempFile output(RichTextTempFile("~"));
  if (library.Entry() == nullptr) return ImportNoEntryPoint;
  EDITIMPORTDATA block{};
  std::memcpy(block.OutputFileName, output.Path().c_str(), output.Path().size() + 1);
  block.FontID = DefaultFilterFontID();
  std::string path = FileName;
  char noAltLibrary[] = "";
  // One whole file: first and last piece at once.
  const STATUS status =
      library.Entry()(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, noAltLibrary, path.data());
  if (status != NOERROR) {
    FilterStatus = status;
    return ImportFilterFailed;
  }
  OutputFileName.assign(block.OutputFileName, strnlen(block.OutputFileName, OLDMAXPATH));
  // The filter may have named another file: then only that one is the caller's to delete.
  if (OutputFileName == output.Path()) output.Release();
  return 0;
}
