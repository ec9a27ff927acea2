// Import and export of TNotesRichTextItem through the filter libraries.
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

#include "ELotusNotes.h"
#include "HugeNSFRTFItemAppend.h"
#include "NotesCharset.h"
#include "NotesFilters.h"
#include "NotesFontTable.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "NotesRichText.h"
#include "SysUtils.h"
#include "TNotesDocument.h"
#include "TNotesFont.h"
#include "TNotesRichTextItem.h"
#include "TempFiles.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/notesrterr.h"

namespace {

constexpr char RtfFilter[] = "MicrosoftWord RTF";
constexpr char JpegFilter[] = "JPEG Image";
constexpr char DefaultExportLibrary[] = "NXRTF.DLL";
// CDTEXT: a WSIG header, then the font ID whose low byte is the face.
constexpr size_t TextFaceOffset = 4;

std::string ReadWholeFile(const std::string& FileName) {
  std::ifstream file(FileName, std::ios::binary);
  if (!file) throw ELotusNotes(-1, "Cannot read the file " + FileName);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteWholeFile(const std::string& FileName, const std::string& Bytes) {
  std::ofstream file(FileName, std::ios::binary | std::ios::trunc);
  file.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  file.close();
  if (!file) throw ELotusNotes(-1, "Cannot write the file " + FileName);
}

WORD WordAt(const std::string& Bytes, size_t Offset) {
  WORD value = 0;
  if (Offset + sizeof value <= Bytes.size())
    std::memcpy(&value, Bytes.data() + Offset, sizeof value);
  return value;
}

}  // namespace

void TNotesRichTextItem::IntAddFile(const std::string& FileName, const std::string& FilterLibrary) {
  RaiseUnlessWritable();
  if (FilterLibrary.empty()) throw ELotusNotes(-1, "Filter was not found for file " + FileName);
  std::string outputName;
  STATUS filterStatus = NOERROR;
  // A bare name stays bare: OSLoadLibrary finds it in the runtime's own directory, which need not
  // be the one the registry names.
  const int code = RunImportFilter(FilterLibrary, FileName, outputName, filterStatus);
  TTempFile output(outputName);
  const int status = code != 0 ? code : filterStatus;
  if (status != 0 || outputName.empty()) {
    std::string message = Format("Error %d in importing file %s", status, FileName.c_str());
    // What the filter found wrong (damaged or unreadable input) is worth telling.
    if (filterStatus != NOERROR) message += ": " + NotesStatusText(filterStatus);
    throw ELotusNotes(status, message);
  }
  if (HasContext()) SaveContext();
  TakeImportedFonts(outputName);
  const int result = AppendCDFile(NoteHandle(), outputName, LmbcsName());
  if (result > 0) CheckNotesStatus(static_cast<STATUS>(result));
  if (result != 0)
    throw ELotusNotes(result, Format("Error %d in importing file %s", result, FileName.c_str()));
  SetCreated();
}

void TNotesRichTextItem::AddRtfFile(const std::string& FileName) {
  IntAddFile(FileName, FindNotesFilter("EDITIMP", RtfFilter, ""));
}

void TNotesRichTextItem::AddJpgFile(const std::string& FileName) {
  IntAddFile(FileName, FindNotesFilter("EDITIMP", JpegFilter, ""));
}

void TNotesRichTextItem::AddFile(const std::string& FileName) {
  const std::string extension = ExtractFileExt(FileName);
  IntAddFile(FileName, extension.empty() ? "" : FindNotesFilter("EDITIMP", "", extension));
}

// Faces 5 and up of an imported file are the file's own: each takes the document's face of that
// name, or the next free one, and the text runs are renumbered to match. Body items carry no
// font table.
void TNotesRichTextItem::TakeImportedFonts(const std::string& CDFileName) {
  std::string bytes = ReadWholeFile(CDFileName);
  const size_t start = WordAt(bytes, 0) == TYPE_COMPOSITE ? sizeof(WORD) : 0;
  if (WordAt(bytes, start) != SIG_CD_FONTTABLE) return;
  const uint64_t tableLength = CDRecordLength(bytes.data(), bytes.size(), start);
  if (tableLength == 0) CheckNotesStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  // The table as a "$Fonts" value: the type word, then the record.
  const std::string table =
      std::string("\x01\x00", sizeof(WORD)) + bytes.substr(start, static_cast<size_t>(tableLength));
  std::map<BYTE, BYTE> faces;
  for (const TFontFace& face : ReadFontTable(table.data(), table.size()))
    if (face.Face >= STATIC_FONT_FACES)
      faces[face.Face] = static_cast<BYTE>(FaceOfName(Lmbcs2Native(face.Name)));
  bytes.erase(start, static_cast<size_t>(tableLength + tableLength % 2));
  for (uint64_t offset = start; offset < bytes.size();) {
    const uint64_t length = CDRecordLength(bytes.data(), bytes.size(), offset);
    if (length == 0) break;  // AppendCDFile reports the damage
    if (WordAt(bytes, static_cast<size_t>(offset)) == SIG_CD_TEXT && length > TextFaceOffset) {
      char& face = bytes[static_cast<size_t>(offset) + TextFaceOffset];
      const auto mapped = faces.find(static_cast<BYTE>(face));
      if (mapped != faces.end()) face = static_cast<char>(mapped->second);
    }
    offset += length + length % 2;
  }
  WriteWholeFile(CDFileName, bytes);
  if (FFontTableChanged) Document().SaveFontTable();
  FFontTableChanged = false;
}

// The old items of the name are known before the import and removed after it, so that a failed
// import leaves the field as it was.
void TNotesRichTextItem::ReplaceByRtfFile(const std::string& RtfFileName) {
  const std::vector<TItemValue> oldItems = ItemValuesAfter(NoteHandle(), LmbcsName(), BLOCKID{});
  AddRtfFile(RtfFileName);
  for (const TItemValue& old : oldItems)
    CheckNotesStatus(NSFItemDeleteByBLOCKID(NoteHandle(), old.Item));
  SetCreated();
}

void TNotesRichTextItem::WriteExportFile(const std::string& CDFileName,
                                         const std::string& Records) const {
  std::string bytes(sizeof(WORD), '\0');
  const WORD type = TYPE_COMPOSITE;
  std::memcpy(bytes.data(), &type, sizeof type);
  Document().LoadFontTable();
  std::vector<TFontFace> faces;
  const TStringList& table = *Document().FontTable();
  for (int index = 0; index < table.Count(); ++index) {
    const auto* font = static_cast<const TNotesFont*>(table.Objects(index));
    if (font != nullptr && font->Face >= STATIC_FONT_FACES)
      faces.push_back({static_cast<BYTE>(font->Face), static_cast<BYTE>(font->Family),
                       Native2Lmbcs(table.Strings(index))});
  }
  if (!faces.empty()) {
    const std::vector<char> record = BuildFontTable(faces);
    bytes.append(record.begin(), record.end());
  }
  bytes += Records;
  WriteWholeFile(CDFileName, bytes);
}

void TNotesRichTextItem::ExportRecords(const std::string& Records,
                                       const std::string& FileName) const {
  TTempFile cd(RichTextTempFile("~cd"));
  WriteExportFile(cd.Path(), Records);
  std::string library = FindNotesFilter("EDITEXP", RtfFilter, "");
  if (library.empty()) library = DefaultExportLibrary;
  TFilterLibrary filter;
  CheckNotesStatus(filter.Load(library));
  if (filter.Entry() == nullptr) throw ELotusNotes(-1, "Wrong export DLL");
  EDITEXPORTDATA block{};
  std::memcpy(block.InputFileName, cd.Path().c_str(), cd.Path().size() + 1);
  block.HeaderBuffer.Desc.Font = DefaultFilterFontID();
  block.FooterBuffer.Desc.Font = DefaultFilterFontID();
  block.PrintSettings.Flags = PS_Initialized;
  std::string path = FileName;
  CheckNotesStatus(
      filter.Entry()(&block, IXFLAG_FIRST | IXFLAG_LAST, nullptr, nullptr, path.data()));
}

// The value after its type word.
void TNotesRichTextItem::ExportRtfFile(const std::string& FileName) {
  std::string records;
  if (Loaded() && ValueLength() > sizeof(WORD)) {
    TNotesLock lock(ValueBID());
    if (lock.Data() != nullptr)
      records.assign(static_cast<const char*>(lock.Data()) + sizeof(WORD),
                     ValueLength() - sizeof(WORD));
  }
  ExportRecords(records, FileName);
}

void TNotesRichTextItem::ExportFieldRtfFile(const std::string& FileName) {
  std::string records;
  for (const TItemValue& item : ItemValuesAfter(NoteHandle(), LmbcsName(), BLOCKID{})) {
    if (item.DataType != TYPE_COMPOSITE || item.Length <= sizeof(WORD)) continue;
    TNotesLock lock(item.Value);
    if (lock.Data() == nullptr) continue;
    // Each item is whole records; an odd-length item ends without its pad byte.
    if (records.size() % 2 != 0) records += '\0';
    records.append(static_cast<const char*>(lock.Data()) + sizeof(WORD),
                   item.Length - sizeof(WORD));
  }
  ExportRecords(records, FileName);
}
