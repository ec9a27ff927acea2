// Construction, the context and the paragraph and font settings of TNotesRichTextItem.
#include "TNotesRichTextItem.h"

#include <algorithm>

#include "AnsiCompare.h"
#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "TNotesDocument.h"
#include "TNotesFont.h"

namespace {

// The standard measures: a one-inch left margin, first line included.
constexpr int32_t DefaultLeftMargin = 1440;
constexpr int ParaPropCount = 6;
constexpr int FontFlagCount = 9;
// The highest face number a font-table face may take.
constexpr WORD LastFace = 254;

constexpr BYTE FaceOf[] = {FONT_FACE_ROMAN, FONT_FACE_SWISS, FONT_FACE_TYPEWRITER};
constexpr BYTE FontFlagBits[FontFlagCount] = {ISBOLD, ISITALIC, ISUNDERLINE, ISSTRIKEOUT, ISSUPER,
                                              ISSUB,  ISSHADOW, ISEMBOSS,    ISEXTRUDE};

void CheckIndex(int Index, int Count, const char* What) {
  if (Index < 0 || Index >= Count)
    throw ELotusNotes(-1, std::string(What) + " index out of range: " + std::to_string(Index));
}

}  // namespace

BLOCKIDcl::~BLOCKIDcl() = default;

TRichTextCell RichTextCell(WORD LeftMargin, WORD RightMargin, const TRichTextCellOptions& Options,
                           WORD FractionalWidth, WORD LeftBorder, WORD TopBorder, WORD RightBorder,
                           WORD BottomBorder, WORD BackgroundColor, bool RowSpan, bool ColumnSpan) {
  return {LeftMargin, RightMargin,     LeftBorder,      TopBorder, RightBorder, BottomBorder,
          Options,    BackgroundColor, FractionalWidth, RowSpan,   ColumnSpan};
}

TNotesRichTextItem::TNotesRichTextItem(TNotesDocument& Document, const std::string& Name)
    : TNotesItem(Document, Name) {
  FAttachments.SetOwnsObjects(true);
}

// A following item of the name: only the item it stands for, read as it is.
TNotesRichTextItem::TNotesRichTextItem(const TNotesRichTextItem& Previous, TNextItem)
    : TNotesItem(Previous, TNextItem{}), Font(rfRoman), FontSize(0), PlainText(false) {
  FContinuation = true;
}

TNotesRichTextItem::~TNotesRichTextItem() = default;

std::unique_ptr<TNotesRichTextItem> TNotesRichTextItem::Create(TNotesDocument& Document,
                                                               const std::string& Name) {
  std::unique_ptr<TNotesRichTextItem> item(new TNotesRichTextItem(Document, Name));
  item->SetCreated();
  if (!item->Loaded()) CheckNotesStatus(ERR_ITEM_NOT_FOUND);
  if (item->DataType() != TYPE_COMPOSITE)
    throw ELotusNotes(0, "This item is not Rich-text: " + Name);
  item->LoadField();
  item->SetDefaults();
  return item;
}

std::unique_ptr<TNotesRichTextItem> TNotesRichTextItem::CreateNew(TNotesDocument& Document,
                                                                  const std::string& Name) {
  std::unique_ptr<TNotesRichTextItem> item(new TNotesRichTextItem(Document, Name));
  item->SetItemFlags(ITEM_SUMMARY, true);
  item->SetDataType(TYPE_COMPOSITE);
  item->NumberAfterField();
  item->SetDefaults();
  return item;
}

std::unique_ptr<TNotesRichTextItem> TNotesRichTextItem::Create(TNotesDocument& Document,
                                                               const std::string& Name,
                                                               const std::string& RtfFileName) {
  std::unique_ptr<TNotesRichTextItem> item = CreateNew(Document, Name);
  item->PlainText = false;
  item->ReplaceByRtfFile(RtfFileName);
  return item;
}

std::unique_ptr<TNotesItem> TNotesRichTextItem::CreateNextItem() const {
  if (!NextItemExists()) return nullptr;
  return std::unique_ptr<TNotesItem>(new TNotesRichTextItem(*this, TNextItem{}));
}

void TNotesRichTextItem::SetDefaults() {
  SetParaIntProperty(0, 0);
  SetParaIntProperty(1, 0);
  SetParaIntProperty(2, DefaultLeftMargin);
  SetParaIntProperty(3, DefaultLeftMargin);
  SetParaIntProperty(4, 0);
  SetParaIntProperty(5, 0);
  Font = rfSwiss;
  FontSize = 10;
  PlainText = true;
}

void TNotesRichTextItem::RaiseUnlessWritable() const {
  if (FContinuation)
    throw ELotusNotes(-1, "Rich text is written through the object for the first item of " +
                              Name() + ", not through one for a following item");
}

void TNotesRichTextItem::CreateContext() {
  RaiseUnlessWritable();
  FContext.reset();
  FContextPos = 0;
  FPendingFiles.Clear();
  FStyleChanged = true;
  FFontTableChanged = false;
  AddStyle();
}

void TNotesRichTextItem::CheckContext() {
  if (!FContext) CreateContext();
}

void TNotesRichTextItem::AddMem(DWORD Count) {
  RaiseUnlessWritable();
  if (!FContext) FContext.emplace();
  // resize grows the capacity geometrically, so composing n bytes costs O(n).
  FContext->resize(FContext->size() + Count, '\0');
}

void TNotesRichTextItem::ReserveContext(size_t Extra) {
  CheckContext();
  const size_t wanted = FContext->size() + Extra;
  // Never less than doubling: many small reservations must not turn growth quadratic.
  if (wanted > FContext->capacity()) FContext->reserve(std::max(wanted, 2 * FContext->capacity()));
}

void TNotesRichTextItem::AddToContext(const void* Data, WORD, DWORD Length) {
  CheckContext();
  AddMem(CheckOdd(Length));
  PutData(Data, Length);
}

int32_t TNotesRichTextItem::GetParaIntProperty(int Index) const {
  CheckIndex(Index, ParaPropCount, "Paragraph property");
  return FParaProps[Index];
}

void TNotesRichTextItem::SetParaIntProperty(int Index, int32_t Value) {
  CheckIndex(Index, ParaPropCount, "Paragraph property");
  if (FParaProps[Index] == Value) return;
  FParaProps[Index] = Value;
  FStyleChanged = true;
}

void TNotesRichTextItem::SetParaJustification(TRichTextJustification Justification) {
  if (FJustification == Justification) return;
  FJustification = Justification;
  FStyleChanged = true;
}

void TNotesRichTextItem::SetParaStyleOptions(const TRichTextStyleOptions& Options) {
  if (FStyleOptions == Options) return;
  FStyleOptions = Options;
  FStyleChanged = true;
}

bool TNotesRichTextItem::GetFontBoolProperty(int Index) const {
  CheckIndex(Index, FontFlagCount, "Font property");
  return FFontFlags[Index];
}

void TNotesRichTextItem::SetFontBoolProperty(int Index, bool Value) {
  CheckIndex(Index, FontFlagCount, "Font property");
  FFontFlags[Index] = Value;
}

// One face number per face name: the first entry of that name in the document's font table
// gives it. A name the table lacks gets the next free face, family 0.
WORD TNotesRichTextItem::FaceOfName(const std::string& Name) {
  TNotesDocument& document = Document();
  document.LoadFontTable();
  TStringList& table = *document.FontTable();
  for (int index = 0; index < table.Count(); ++index) {
    const auto* font = static_cast<const TNotesFont*>(table.Objects(index));
    if (font != nullptr && AnsiCompareText(table.Strings(index), Name) == 0) return font->Face;
  }
  const WORD face = document.MaxFontID() + 1;
  if (face > LastFace) throw ELotusNotes(-1, "Too many fonts defined");
  table.AddObject(Name, new TNotesFont(face, 0));
  document.SetMaxFontID(face);
  FFontTableChanged = true;
  return face;
}

DWORD TNotesRichTextItem::StandardFontID() const {
  BYTE attributes = 0;
  for (int index = 0; index < FontFlagCount; ++index)
    if (FFontFlags[index]) attributes |= FontFlagBits[index];
  return DWORD{FaceOf[Font]} << FONT_FACE_SHIFT | DWORD{attributes} << FONT_STYLE_SHIFT |
         DWORD{static_cast<BYTE>(FontColor)} << FONT_COLOR_SHIFT |
         DWORD{static_cast<BYTE>(FontSize)} << FONT_SIZE_SHIFT;
}

DWORD TNotesRichTextItem::BuildFontID() {
  const DWORD fontID = StandardFontID();
  if (FaceName.empty()) return fontID;
  return (fontID & ~(DWORD{0xFF} << FONT_FACE_SHIFT)) | DWORD{FaceOfName(FaceName)}
                                                            << FONT_FACE_SHIFT;
}
