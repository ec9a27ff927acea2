#include "CdToRtf.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "note/CdRecords.h"
#include "notesapi/editdflt.h"
#include "notesapi/notesrterr.h"
#include "storage/StoredValue.h"

namespace xrtf {

namespace {

using notesrt::ReadAt;

std::string Number(const char* Word, long Value) {
  return Word + std::to_string(Value);
}

// The smallest length each record this writer reads must have; 0 for records it skips.
size_t MinimumLength(WORD Signature) {
  switch (Signature) {
    case SIG_CD_PARAGRAPH:
    case SIG_CD_HOTSPOTEND:
    case SIG_CD_V4HOTSPOTEND:
    case SIG_CD_V5HOTSPOTEND:
    case SIG_CD_TABLEEND:
      return 2;
    case SIG_CD_PABREFERENCE:
      return sizeof(CDPABREFERENCE);
    case SIG_CD_PABDEFINITION:
    case SIG_CD_LINK2:
      return 6;
    case SIG_CD_TEXT:
      return sizeof(CDTEXT);
    case SIG_CD_FONTTABLE:
      return sizeof(CDFONTTABLE);
    case SIG_CD_HOTSPOTBEGIN:
    case SIG_CD_V4HOTSPOTBEGIN:
    case SIG_CD_V5HOTSPOTBEGIN:
    case SIG_CD_BAR:
      return sizeof(CDHOTSPOTBEGIN);
    case SIG_CD_LINKEXPORT2:
      return sizeof(CDLINKEXPORT2);
    case SIG_CD_TABLEBEGIN:
      return 2;
    case SIG_CD_TABLECELL:
      return offsetof(CDTABLECELL, Border) + 1;
    case SIG_CD_GRAPHIC:
      return offsetof(CDGRAPHIC, CropDestSize);
    case SIG_CD_IMAGEHEADER:
      return offsetof(CDIMAGEHEADER, Flags);
    case SIG_CD_IMAGESEGMENT:
      return sizeof(CDIMAGESEGMENT);
    default:
      return 0;
  }
}

// A structure read from a record that may be shorter than it (older releases wrote shorter
// paragraph definitions and cells): the missing fields read as zero.
template <class T>
T ReadShort(std::string_view Record) {
  T value{};
  std::memcpy(&value, Record.data(), std::min(sizeof value, Record.size()));
  return value;
}

// Text up to its first NUL.
std::string_view Terminated(std::string_view Text) {
  return Text.substr(0, Text.find('\0'));
}

}  // namespace

// Printable ASCII is the same in LMBCS and UTF-8: most runs need no conversion.
std::string TCdToRtf::Decode(std::string_view Lmbcs) const {
  const bool ascii =
      std::all_of(Lmbcs.begin(), Lmbcs.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  return ascii ? std::string(Lmbcs) : FDecode(Lmbcs);
}

STATUS TCdToRtf::Convert(std::string_view Records, std::string& Rtf) {
  notesrt::TCdReader reader(Records);
  bool first = true;
  for (notesrt::TCdRecord record; reader.Next(record); first = false)
    if (!Record(record.Signature, Records.substr(record.Offset, record.Length), first))
      return ERR_NOTESRT_RICH_TEXT_DAMAGED;
  if (reader.Damaged()) return ERR_NOTESRT_RICH_TEXT_DAMAGED;
  CloseFields();
  FHotspots.clear();
  while (FTableDepth > 0) TableEnd();
  // An empty last paragraph gets its mark, so that it comes back; the importer's own first one
  // does not count.
  if (FParagraphOpen && FPropertiesPending && !FBody.Empty()) {
    EnsureParagraph();
    Out().Word("\\par ");
  }
  TRtfOutput document;
  document.Word("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1");
  document.LineBreak();
  FFonts.WriteTable(document);
  WriteColorTable(document);
  WriteListTables(document);
  document.Lines(FBody);
  document.Word("}");
  document.LineBreak();
  Rtf = document.Result();
  return NOERROR;
}

bool TCdToRtf::Record(WORD Signature, std::string_view Record, bool First) {
  if (Record.size() < MinimumLength(Signature)) return false;
  if (FPicture.Collecting() && Picture(Signature, Record)) return true;
  switch (Signature) {
    case SIG_CD_FONTTABLE:
      if (First) FFonts.AddTable(Record, FDecode);
      return true;
    case SIG_CD_TEXT:
      return Text(Record);
    case SIG_CD_PARAGRAPH:
      Paragraph();
      return true;
    case SIG_CD_PABDEFINITION: {
      const auto pab = ReadShort<CDPABDEFINITION>(Record);
      FDefinitions[pab.PABID] = pab;
      return true;
    }
    case SIG_CD_PABREFERENCE:
      Reference(ReadAt<CDPABREFERENCE>(Record, 0).PABID);
      return true;
    case SIG_CD_HOTSPOTBEGIN:
    case SIG_CD_V4HOTSPOTBEGIN:
    case SIG_CD_V5HOTSPOTBEGIN:
      HotspotBegin(Record, Signature == SIG_CD_HOTSPOTBEGIN);
      return true;
    case SIG_CD_HOTSPOTEND:
    case SIG_CD_V4HOTSPOTEND:
    case SIG_CD_V5HOTSPOTEND:
      HotspotEnd();
      return true;
    case SIG_CD_BAR:
      SectionTitle(Record);
      return true;
    case SIG_CD_LINK2:
      LinkComment(Record.substr(sizeof(CDLINK2)));
      return true;
    case SIG_CD_LINKEXPORT2:
      LinkComment(Record.substr(sizeof(CDLINKEXPORT2)));
      return true;
    case SIG_CD_TABLEBEGIN:
      TableBegin();
      return true;
    case SIG_CD_TABLECELL:
      TableCell(Record);
      return true;
    case SIG_CD_TABLEEND:
      if (FTableDepth > 0) TableEnd();
      return true;
    default:
      return Picture(Signature, Record) || true;
  }
}

// Pictures: true when the record was one of a picture's.
bool TCdToRtf::Picture(WORD Signature, std::string_view Record) {
  switch (Signature) {
    case SIG_CD_GRAPHIC:
      FPicture.Begin(Record);
      return true;
    case SIG_CD_IMAGEHEADER:
      return FPicture.Header(Record);
    case SIG_CD_IMAGESEGMENT:
      if (!FPicture.Segment(Record)) return FPicture.Collecting();
      EnsureParagraph();
      FPicture.Write(Out());
      return true;
    default:
      FPicture.Abandon();  // an old-style bitmap, or segments missing
      return false;
  }
}

bool TCdToRtf::Text(std::string_view Record) {
  std::string_view text = Record.substr(sizeof(CDTEXT));
  // A pad byte may be counted in the length: NULs at the end are no text.
  while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  if (text.empty()) return true;
  EnsureParagraph();
  TRtfOutput& out = Out();
  out.Word("{" + FFonts.RunWords(ReadAt<CDTEXT>(Record, 0).FontID));
  // A NUL inside a run is a line break.
  for (size_t start = 0; start <= text.size();) {
    size_t end = std::min(text.find('\0', start), text.size());
    out.Text(Decode(text.substr(start, end - start)));
    if (end < text.size()) out.Word("\\line ");
    start = end + 1;
  }
  out.Word("}");
  return true;
}

void TCdToRtf::StartParagraph() {
  FParagraphOpen = true;
  FPropertiesPending = true;
}

// Content is about to be written: the paragraph it belongs to gets its properties first.
void TCdToRtf::EnsureParagraph() {
  if (!FParagraphOpen) StartParagraph();
  if (!FPropertiesPending) return;
  WriteParagraphProperties(true);
  FPropertiesPending = false;
}

void TCdToRtf::WriteParagraphProperties(bool WithMarker) {
  TRtfOutput& out = Out();
  const WORD flags = FPab ? FPab->Flags : 0;
  out.Word(std::string(FTableDepth > 0 ? "\\pard\\intbl" : "\\pard") +
           (FPab ? ParagraphWords(*FPab) : "") + " ");
  if (WithMarker) FListNumber = (flags & PABFLAG_NUMBEREDLIST) ? FListNumber + 1 : 0;
  // Lists as the list table defines them, with the marker as text for readers without list
  // support. No \pn besides: LibreOffice would chain each such paragraph into a list of its own.
  const WORD kind = flags & PABFLAG_NUMBEREDLIST ? PABFLAG_NUMBEREDLIST : flags & PABFLAG_BULLET;
  if (kind && ((WithMarker && kind != FListKind) || FListNumbered.empty()))
    FListNumbered.push_back(kind == PABFLAG_NUMBEREDLIST);
  if (WithMarker) FListKind = kind;
  if (!kind) return;
  out.Word(Number("\\ls", static_cast<long>(FListNumbered.size())));
  if (WithMarker)
    out.Word(kind == PABFLAG_NUMBEREDLIST ? Number("{\\pntext ", FListNumber) + ".\\tab}"
                                          : std::string("{\\pntext \\'95\\tab}"));
}

// The lists the paragraphs name: one for each unbroken run of list paragraphs of one kind, so
// that numbers count from 1 in each and readers keep the runs apart.
void TCdToRtf::WriteListTables(TRtfOutput& Out) const {
  if (FListNumbered.empty()) return;
  Out.Word("{\\*\\listtable");
  for (size_t i = 0; i < FListNumbered.size(); ++i) {
    const long id = static_cast<long>(i + 1);
    Out.Word(Number("{\\list\\listtemplateid", id) + "\\listsimple{\\listlevel");
    Out.Word(FListNumbered[i] ? "\\levelnfc0\\levelnfcn0\\leveljc0\\levelstartat1\\levelfollow0"
                                "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}}"
                              : "\\levelnfc23\\levelnfcn23\\leveljc0\\levelstartat1\\levelfollow0"
                                "{\\leveltext\\'01\\'95;}{\\levelnumbers;}}");
    Out.Word(Number("\\listid", id) + "}");
  }
  Out.Word("}");
  Out.LineBreak();
  Out.Word("{\\*\\listoverridetable");
  for (size_t i = 1; i <= FListNumbered.size(); ++i)
    Out.Word(Number("{\\listoverride\\listid", static_cast<long>(i)) +
             Number("\\listoverridecount0\\ls", static_cast<long>(i)) + "}");
  Out.Word("}");
  Out.LineBreak();
}

void TCdToRtf::Paragraph() {
  if (FParagraphOpen) {
    CloseFields();
    EnsureParagraph();
    Out().Word("\\par ");
    Out().LineBreak();
  }
  StartParagraph();
}

// A reference applies to the paragraph it stands in; an unknown one gives the default.
void TCdToRtf::Reference(WORD Id) {
  auto found = FDefinitions.find(Id);
  FPab = found == FDefinitions.end() ? nullptr : &found->second;
  if (FParagraphOpen && !FPropertiesPending) WriteParagraphProperties(false);
}

void TCdToRtf::HotspotBegin(std::string_view Record, bool Link) {
  const auto begin = ReadAt<CDHOTSPOTBEGIN>(Record, 0);
  THotspot hotspot;
  const bool inField = std::any_of(FHotspots.begin(), FHotspots.end(),
                                   [](const THotspot& open) { return open.Field; });
  if (Link && begin.Type == HOTSPOTREC_TYPE_HOTLINK && !inField) {
    std::string url = Decode(Terminated(Record.substr(sizeof(CDHOTSPOTBEGIN), begin.DataLength)));
    for (size_t quote; (quote = url.find('"')) != std::string::npos;) url.replace(quote, 1, "%22");
    // A field's argument escapes its backslashes: a file path's stay single when read back.
    for (size_t slash = 0; (slash = url.find('\\', slash)) != std::string::npos; slash += 2)
      url.insert(slash, 1, '\\');
    EnsureParagraph();
    // The blank before HYPERLINK: readers that look for it only there (unrtf) show the text.
    Out().Word("{\\field{\\*\\fldinst{ HYPERLINK \"");
    Out().Text(url);
    Out().Word("\" }}{\\fldrslt{");
    hotspot.Field = true;
  }
  FHotspots.push_back(hotspot);
}

// A stray end, with no hotspot open, is ignored.
void TCdToRtf::HotspotEnd() {
  if (FHotspots.empty()) return;
  if (FHotspots.back().Field) Out().Word("}}}");
  FHotspots.pop_back();
}

// A link's text ends with its paragraph or cell: a field never spans a paragraph mark.
void TCdToRtf::CloseFields() {
  for (THotspot& hotspot : FHotspots) {
    if (!hotspot.Field) continue;
    Out().Word("}}}");
    hotspot.Field = false;
  }
}

// A section's title bar: a bold paragraph of its own before the section's content.
void TCdToRtf::SectionTitle(std::string_view Record) {
  const auto bar = ReadAt<CDBAR>(Record, 0);
  size_t at = sizeof(CDBAR) + ((bar.Flags & BARREC_HAS_COLOR) ? sizeof(WORD) : 0);
  std::string_view title = Terminated(Record.substr(std::min(at, Record.size())));
  CloseFields();
  if (FParagraphOpen && !FPropertiesPending) {
    Out().Word("\\par ");
    Out().LineBreak();
  }
  FParagraphOpen = false;
  WriteParagraphProperties(false);
  Out().Word("{" + FFonts.RunWords(bar.FontID ? bar.FontID : DEFAULT_FONT_ID) + "\\b ");
  Out().Text(Decode(title));
  Out().Word("}\\par ");
  Out().LineBreak();
}

void TCdToRtf::LinkComment(std::string_view Strings) {
  std::string_view comment = Terminated(Strings);
  if (comment.empty()) return;
  EnsureParagraph();
  Out().Word("{" + FFonts.RunWords(DEFAULT_FONT_ID));
  Out().Text(Decode(comment));
  Out().Word("}");
}

// A table stands in paragraphs of its own; a table inside a table is flattened into its cell.
void TCdToRtf::TableBegin() {
  if (FTableDepth++ > 0) return;
  CloseFields();
  if (FParagraphOpen && !FPropertiesPending) {
    Out().Word("\\par ");
    Out().LineBreak();
  }
  FParagraphOpen = false;
  FCells.clear();
}

void TCdToRtf::TableCell(std::string_view Record) {
  if (FTableDepth == 0) return;
  if (FTableDepth > 1) return Paragraph();
  const auto cell = ReadShort<CDTABLECELL>(Record);
  if (!FCells.empty()) {
    EndCell();
    if (cell.Row != FCells.back().Row) WriteRow();
  }
  TCell next;
  next.Row = cell.Row;
  next.Width = cell.FractionalWidth;
  next.Border = cell.Border;
  if ((cell.Flags & CDTABLECELL_USE_BKGCOLOR) && cell.BackgroundColor < 16)
    next.Background = cell.BackgroundColor;
  FCells.push_back(std::move(next));
  FParagraphOpen = false;
}

void TCdToRtf::EndCell() {
  CloseFields();
  EnsureParagraph();
  Out().Word("\\cell ");
  FParagraphOpen = false;
}

void TCdToRtf::TableEnd() {
  if (FTableDepth > 1) {
    --FTableDepth;
    return;
  }
  if (!FCells.empty()) {
    EndCell();
    WriteRow();
  }
  FTableDepth = 0;
  FParagraphOpen = false;
}

// The row's definition, then its cells: RTF wants the cell boundaries before their content.
void TCdToRtf::WriteRow() {
  // Twips: about the text width of a page; a twip for every 3 of the cells' fractions, which
  // the import takes back exactly.
  static constexpr int TableWidth = 9600;
  static constexpr const char* Sides[4] = {"\\clbrdrl", "\\clbrdrr", "\\clbrdrt", "\\clbrdrb"};
  long total = 0;
  for (const TCell& cell : FCells) total += cell.Width;
  FBody.LineBreak();
  FBody.Word("\\trowd\\trgaph108 ");
  long edge = 0;
  for (size_t i = 0; i < FCells.size(); ++i) {
    const TCell& cell = FCells[i];
    for (int side = 0; side < 4; ++side)
      if (int kind = (cell.Border >> (2 * side)) & 3)
        FBody.Word(std::string(Sides[side]) + (kind == 2 ? "\\brdrdb" : "\\brdrs") + "\\brdrw10 ");
    if (cell.Background >= 0) FBody.Word(Number("\\clcbpat", cell.Background + 1));
    edge += total > 0 ? cell.Width : 1;
    const long divisor =
        total > 0 ? std::max<long>(total, 28800) : static_cast<long>(FCells.size());
    FBody.Word(Number("\\cellx", TableWidth * edge / divisor) + " ");
  }
  for (const TCell& cell : FCells) FBody.Lines(cell.Out);
  FBody.Word("\\row ");
  FBody.LineBreak();
  FCells.clear();
}

}  // namespace xrtf
