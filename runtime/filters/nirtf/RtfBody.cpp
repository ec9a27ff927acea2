#include "RtfBody.h"

#include <algorithm>
#include <cstring>

#include "LmbcsText.h"

namespace nirtf {

namespace {

constexpr WORD FirstDefinitionId = 2;
// Cells widths are fractions of this (20 inches in twips).
constexpr int64_t FractionWhole = 28800;
// Row and column numbers are bytes; a longer table goes on as a new one, surplus columns into
// the last cell.
constexpr int MaxRows = 255, MaxColumns = 255;

// A cell edge as a fraction of the row, in steps of 3 (rounded): the export writes tables
// 9,600 twips wide, a twip a step, so that the widths come back exactly.
int64_t EdgeFraction(const TRowDefinition& Row, int64_t Edge) {
  const int64_t total = Row.Cells.back().Right - Row.Left;
  const int64_t steps = FractionWhole / 3;
  return std::clamp((steps * (Edge - Row.Left) + total / 2) / total, int64_t{0}, steps) * 3;
}

WORD FractionalWidth(const TRowDefinition& Row, int Column) {
  const size_t count = Row.Cells.size();
  if (static_cast<size_t>(Column) >= count || count == 0)
    return static_cast<WORD>(FractionWhole / std::max<int64_t>(count, Column + 1));
  if (Row.Cells.back().Right - Row.Left <= 0) return static_cast<WORD>(FractionWhole / count);
  const int64_t left = Column == 0 ? Row.Left : Row.Cells[Column - 1].Right;
  const int64_t width = EdgeFraction(Row, Row.Cells[Column].Right) - EdgeFraction(Row, left);
  if (width <= 0) return static_cast<WORD>(FractionWhole / count);
  return static_cast<WORD>(width);
}

}  // namespace

void TRtfBody::Text(FONTID Font, std::string_view Utf8, const TParaFormat& Para,
                    const TRowDefinition& Row) {
  if (Utf8.empty()) return;
  Place(Para, Row);
  if (Font != FRunFont) FlushRun();
  FRunFont = Font;
  FRunText += Utf8;
}

void TRtfBody::ParagraphMark(const TParaFormat& Para, const TRowDefinition& Row) {
  Place(Para, Row);
  EndLink();
  FlushRun();
  FParagraphOpen = false;
  FNeedBreak = true;
}

void TRtfBody::CellEnd(TParaFormat Para, const TRowDefinition& Row) {
  Para.InTable = true;
  if (FColumn + 1 >= MaxColumns) return ParagraphMark(Para, Row);
  Place(Para, Row);
  EndLink();
  FlushRun();
  FCellOpen = FParagraphOpen = FNeedBreak = false;
  ++FColumn;
}

void TRtfBody::RowEnd() {
  if (!FInTable) return;
  EndLink();
  FlushRun();
  FCellOpen = FParagraphOpen = FNeedBreak = false;
  FColumn = 0;
  if (++FRow == MaxRows) EndTable();
}

void TRtfBody::BeginLink(const std::string& Url, const TParaFormat& Para,
                         const TRowDefinition& Row) {
  Place(Para, Row);
  EndLink();
  FlushRun();
  // As the object library's AddUrl lays it out: the URL in LMBCS ended by one or two NULs, so
  // that the record's length is even.
  std::string data = notesfilter::Utf8ToLmbcs(Url);
  data.append(data.size() % 2 ? 1 : 2, '\0');
  CDHOTSPOTBEGIN begin{};
  begin.Type = HOTSPOTREC_TYPE_HOTLINK;
  begin.Flags = HOTSPOTREC_RUNFLAG_BEGIN | HOTSPOTREC_RUNFLAG_END | HOTSPOTREC_RUNFLAG_INOTES;
  begin.DataLength = static_cast<WORD>(std::min<size_t>(data.size(), MAXWORD));
  FOut.Add(begin, SIG_CD_HOTSPOTBEGIN, data);
  FContent = true;
  FLinkOpen = true;
}

void TRtfBody::EndLink() {
  if (!FLinkOpen) return;
  FlushRun();
  FOut.Add(CDHOTSPOTEND{}, SIG_CD_HOTSPOTEND);
  FLinkOpen = false;
}

notesfilter::TCdFileWriter& TRtfBody::Content(const TParaFormat& Para, const TRowDefinition& Row) {
  Place(Para, Row);
  FlushRun();
  FContent = true;
  return FOut;
}

std::string TRtfBody::Finish() {
  EndLink();
  FlushRun();
  if (FInTable) EndTable();
  // A document of one empty paragraph is the empty document: the importer opens that paragraph.
  if (!FContent) return {};
  return std::string(FOut.Records());
}

void TRtfBody::Place(const TParaFormat& Para, const TRowDefinition& Row) {
  if (Para.InTable && !FInTable) BeginTable();
  if (!Para.InTable && FInTable) EndTable();
  if (FInTable && !FCellOpen) StartCell(Row);
  if (!FParagraphOpen) StartParagraph(Para);
}

void TRtfBody::StartParagraph(const TParaFormat& Para) {
  if (FNeedBreak) {
    FOut.AddParagraph();
    FContent = true;
  }
  const WORD id = DefinitionId(Para);
  CDPABREFERENCE reference{};
  reference.PABID = id;
  FOut.Add(reference, SIG_CD_PABREFERENCE);
  FParagraphOpen = true;
  FNeedBreak = false;
}

void TRtfBody::BeginTable() {
  EndLink();
  FlushRun();
  // A table stands in paragraphs of its own: text before it ends its paragraph.
  if (FNeedBreak || FParagraphOpen) FOut.AddParagraph();
  FContent = true;
  CDTABLEBEGIN begin{};
  begin.Flags = CDTABLE_V4_BORDERS;
  FOut.Add(begin, SIG_CD_TABLEBEGIN);
  FInTable = true;
  FCellOpen = FParagraphOpen = FNeedBreak = false;
  FRow = FColumn = 0;
}

void TRtfBody::EndTable() {
  EndLink();
  FlushRun();
  FOut.Add(CDTABLEEND{}, SIG_CD_TABLEEND);
  FInTable = FCellOpen = FParagraphOpen = false;
  FNeedBreak = true;
}

void TRtfBody::StartCell(const TRowDefinition& Row) {
  CDTABLECELL cell{};
  cell.Row = static_cast<BYTE>(FRow);
  cell.Column = static_cast<BYTE>(FColumn);
  cell.FractionalWidth = FractionalWidth(Row, FColumn);
  cell.RowSpan = cell.ColumnSpan = 1;
  if (static_cast<size_t>(FColumn) < Row.Cells.size()) {
    const TCellDefinition& definition = Row.Cells[FColumn];
    cell.Border = definition.Border;
    if (definition.Background >= 0) {
      cell.Flags = CDTABLECELL_USE_BKGCOLOR;
      cell.BackgroundColor = static_cast<WORD>(definition.Background);
    }
  }
  FOut.Add(cell, SIG_CD_TABLECELL);
  FCellOpen = true;
  FParagraphOpen = FNeedBreak = false;
}

void TRtfBody::FlushRun() {
  if (FRunText.empty()) return;
  FOut.AddText(FRunFont, FRunText);
  FContent = true;
  FRunText.clear();
}

WORD TRtfBody::DefinitionId(const TParaFormat& Para) {
  CDPABDEFINITION definition = Para.Definition();
  const std::string key(reinterpret_cast<const char*>(&definition), sizeof definition);
  if (auto known = FDefinitions.find(key); known != FDefinitions.end()) return known->second;
  // IDs are words: a document with more formats than that reuses the first.
  if (FDefinitions.size() >= MAXWORD - FirstDefinitionId) return FirstDefinitionId;
  definition.PABID = static_cast<WORD>(FirstDefinitionId + FDefinitions.size());
  FDefinitions.emplace(key, definition.PABID);
  FOut.Add(definition, SIG_CD_PABDEFINITION);
  return definition.PABID;
}

}  // namespace nirtf
