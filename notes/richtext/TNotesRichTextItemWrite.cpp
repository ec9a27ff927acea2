// The writers of TNotesRichTextItem: records into the context, and the whole field.
#include <cstring>
#include <optional>

#include "ELotusNotes.h"
#include "HugeNSFRTFItemAppend.h"
#include "NotesCharset.h"
#include "NotesRichText.h"
#include "TAppendedItems.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesRichTextItem.h"
#include "TNotesView.h"
#include "TempFiles.h"

namespace {

// Readers handle short runs best; long text becomes several runs of one paragraph.
constexpr size_t MaxRunText = 16 * 1024;
// Records with a WORD length hold at most this much, header included.
constexpr DWORD MaxRecordLength = MAXWORD;
// Bullets and numbers need room: the default margin is widened for them.
constexpr int32_t DefaultMargin = ONEINCH;
constexpr int32_t ListMargin = 1800;

constexpr WORD JustifyModes[] = {JUSTIFY_NONE, JUSTIFY_LEFT, JUSTIFY_CENTER, JUSTIFY_RIGHT,
                                 JUSTIFY_BLOCK};
constexpr WORD StyleFlags[] = {
    PABFLAG_PAGINATE_BEFORE, PABFLAG_KEEP_WITH_NEXT, PABFLAG_KEEP_TOGETHER, PABFLAG_PROPAGATE,
    PABFLAG_HIDE_RO,         PABFLAG_HIDE_RW,        PABFLAG_HIDE_PR,       PABFLAG_DISPLAY_RM,
    PABFLAG_HIDE_CO,         PABFLAG_BULLET,         PABFLAG_HIDE_IF,       PABFLAG_NUMBEREDLIST,
    PABFLAG_HIDE_PV,         PABFLAG_HIDE_PVE,       PABFLAG_HIDE_NOTES};
constexpr WORD TableFlags[] = {CDTABLE_AUTO_CELL_WIDTH, CDTABLE_3D_BORDER_EMBOSS,
                               CDTABLE_3D_BORDER_EXTRUDE};
constexpr BYTE CellFlags[] = {CDTABLECELL_USE_BKGCOLOR, CDTABLECELL_INVISIBLEH,
                              CDTABLECELL_INVISIBLEV};
constexpr DWORD SectionFlags[] = {BARREC_DISABLED_FOR_NON_EDITORS,
                                  BARREC_BORDER_INVISIBLE,
                                  BARREC_HIDE_EXPANDED,
                                  BARREC_AUTO_EXP_READ,
                                  BARREC_AUTO_EXP_PRE,
                                  BARREC_AUTO_EXP_EDIT,
                                  BARREC_AUTO_EXP_PRINT,
                                  BARREC_AUTO_COL_READ,
                                  BARREC_AUTO_COL_PRE,
                                  BARREC_AUTO_COL_EDIT,
                                  BARREC_AUTO_COL_PRINT,
                                  BARREC_EXPANDED,
                                  BARREC_EXPANDED};
constexpr int BarBorderShift = 28;
constexpr DWORD UrlHotspotFlags =
    HOTSPOTREC_RUNFLAG_BEGIN | HOTSPOTREC_RUNFLAG_END | HOTSPOTREC_RUNFLAG_INOTES;
constexpr DWORD SectionHotspotFlags = HOTSPOTREC_RUNFLAG_BEGIN | HOTSPOTREC_RUNFLAG_NOBORDER;

template <class TOption, size_t N, class TBits>
TBits BitsOf(const std::set<TOption>& Options, const TBits (&Bits)[N]) {
  TBits bits = 0;
  for (TOption option : Options) bits |= Bits[option];
  return bits;
}

// Text made ready for a record: two NULs end text of even length; text of odd length is ended
// by the record's pad byte.
std::string EvenTerminated(std::string Lmbcs) {
  if (Lmbcs.size() % 2 == 0) Lmbcs.append(2, '\0');
  return Lmbcs;
}

void CheckRecordLength(DWORD Length, const char* Record) {
  if (Length > MaxRecordLength)
    throw ELotusNotes(-1, std::string("The ") + Record + " is too long for a rich-text record");
}

BSIG ShortHeader(WORD Signature, WORD OdsType) {
  return BSIG{static_cast<BYTE>(Signature), static_cast<BYTE>(ODSLength(OdsType))};
}

}  // namespace

void TNotesRichTextItem::PutStructure(WORD OdsType, const void* Structure) {
  char* at = FContext->data() + FContextPos;
  ODSWriteMemory(&at, OdsType, Structure, 1);
  FContextPos = static_cast<DWORD>(at - FContext->data());
}

void TNotesRichTextItem::PutData(const void* Data, DWORD Length) {
  if (Length > 0) std::memcpy(FContext->data() + FContextPos, Data, Length);
  FContextPos += CheckOdd(Length);
}

void TNotesRichTextItem::AddStyle() {
  AddStyle2(BitsOf(FStyleOptions, StyleFlags));
}

void TNotesRichTextItem::AddStyle2(WORD Flags) {
  const bool list = (Flags & (PABFLAG_BULLET | PABFLAG_NUMBEREDLIST)) != 0;
  auto margin = [list](int32_t Value) {
    return static_cast<WORD>(list && Value == DefaultMargin ? ListMargin : Value);
  };
  AddMem(CheckOdd(ODSLength(_CDPABDEFINITION)));
  ++FPabID;
  CDPABDEFINITION definition{};
  definition.Header = {SIG_CD_PABDEFINITION, ODSLength(_CDPABDEFINITION)};
  definition.PABID = static_cast<WORD>(FPabID);
  definition.JustifyMode = JustifyModes[FJustification];
  definition.LineSpacing = static_cast<WORD>(FParaProps[5]);
  definition.ParagraphSpacingBefore = static_cast<WORD>(FParaProps[1]);
  definition.ParagraphSpacingAfter = static_cast<WORD>(FParaProps[0]);
  definition.LeftMargin = margin(FParaProps[3]);
  definition.RightMargin = static_cast<WORD>(FParaProps[4]);
  definition.FirstLineLeftMargin = margin(FParaProps[2]);
  definition.Tab[0] = DEFAULT_TAB_INTERVAL;
  definition.Flags = Flags;
  PutStructure(_CDPABDEFINITION, &definition);
  FStyleChanged = false;
  AddMem(CheckOdd(ODSLength(_CDPABREFERENCE)));
  CDPABREFERENCE reference{ShortHeader(SIG_CD_PABREFERENCE, _CDPABREFERENCE),
                           static_cast<WORD>(FPabID)};
  PutStructure(_CDPABREFERENCE, &reference);
}

void TNotesRichTextItem::UpdateParaStyle() {
  if (FStyleChanged) AddStyle();
}

void TNotesRichTextItem::AddPara() {
  AddMem(ODSLength(_CDPARAGRAPH));
  const CDPARAGRAPH paragraph{ShortHeader(SIG_CD_PARAGRAPH, _CDPARAGRAPH)};
  PutStructure(_CDPARAGRAPH, &paragraph);
  UpdateParaStyle();
}

// One CDTEXT; its length never counts the pad byte.
void TNotesRichTextItem::AddRun(DWORD FontID, const char* Text, WORD Length) {
  const DWORD length = ODSLength(_CDTEXT) + DWORD{Length};
  AddMem(CheckOdd(length));
  const CDTEXT run{{SIG_CD_TEXT, static_cast<WORD>(length)}, FontID};
  PutStructure(_CDTEXT, &run);
  PutData(Text, Length);
}

void TNotesRichTextItem::AddRuns(DWORD FontID, const std::string& Lmbcs) {
  size_t start = 0;
  do {
    const size_t end = LmbcsPieceEnd(Lmbcs, start, MaxRunText);
    AddRun(FontID, Lmbcs.data() + start, static_cast<WORD>(end - start));
    start = end;
  } while (start < Lmbcs.size());
}

void TNotesRichTextItem::AddText(const std::string& Text) {
  CheckContext();
  const std::string lmbcs = Native2Lmbcs(Text);
  AddRuns(BuildFontID(), lmbcs);
}

void TNotesRichTextItem::AddTextPara(const std::string& Text) {
  // Room for the text and a run and a paragraph per short line at once: a large text is then
  // copied into the context once instead of at each doubling.
  if (!Text.empty()) ReserveContext(Text.size() + Text.size() / 8);
  size_t start = 0;
  for (size_t end; (end = Text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    AddText(Text.substr(start, end - start));
    AddPara();
  }
  if (start < Text.size()) AddText(Text.substr(start));
}

void TNotesRichTextItem::AddTextToContext(WORD FontID, const std::string& Text) {
  CheckContext();
  Document().LoadFontTable();
  AddRuns(FontID, Native2Lmbcs(Text));
}

// The link data: the comment, the server hint (none) and the anchor text, each NUL-terminated.
void TNotesRichTextItem::AddLinkData(const TIMEDATE& ReplicaID, const UNIVERSALNOTEID& ViewUNID,
                                     const UNIVERSALNOTEID& NoteUNID, const std::string& Data) {
  const DWORD length = ODSLength(_CDLINKEXPORT2) + static_cast<DWORD>(Data.size());
  CheckRecordLength(length, "link comment");
  CheckContext();
  AddMem(CheckOdd(length));
  const CDLINKEXPORT2 link{{SIG_CD_LINKEXPORT2, static_cast<WORD>(length)},
                           {ReplicaID, ViewUNID, NoteUNID}};
  PutStructure(_CDLINKEXPORT2, &link);
  PutData(Data.data(), static_cast<DWORD>(Data.size()));
}

void TNotesRichTextItem::AddLink(const TIMEDATE& ReplicaID, const UNIVERSALNOTEID& ViewUNID,
                                 const UNIVERSALNOTEID& NoteUNID, const std::string& Comment,
                                 WORD DataLength) {
  const std::string data = Native2Lmbcs(Comment) + std::string(3, '\0');
  if (DataLength != 0 && DataLength != data.size())
    throw ELotusNotes(-1, "The link data of \"" + Comment + "\" is " + std::to_string(data.size()) +
                              " bytes long, not " + std::to_string(DataLength));
  AddLinkData(ReplicaID, ViewUNID, NoteUNID, data);
}

void TNotesRichTextItem::AddDocLink(TNotesDocument& Target, const std::string& Comment,
                                    TNotesView* View) {
  AddLink(Target.Database().GetReplicaInfo().ID,
          View != nullptr ? View->GetUniversalID() : UNIVERSALNOTEID{}, Target.GetUniversalID(),
          Comment);
}

void TNotesRichTextItem::AddViewLink(TNotesView& View, const std::string& Comment) {
  AddLink(View.Database().GetReplicaInfo().ID, View.GetUniversalID(), UNIVERSALNOTEID{}, Comment);
}

void TNotesRichTextItem::AddDbLink(TNotesDatabase& Database, const std::string& Comment) {
  AddLink(Database.GetReplicaInfo().ID, UNIVERSALNOTEID{}, UNIVERSALNOTEID{}, Comment);
}

void TNotesRichTextItem::AddAnchorLink(TNotesDocument& Target, const std::string& Comment,
                                       const std::string& Anchor) {
  const std::string data = Native2Lmbcs(Comment) + '\0' + '\0' + Native2Lmbcs(Anchor) + '\0';
  AddLinkData(Target.Database().GetReplicaInfo().ID, UNIVERSALNOTEID{}, Target.GetUniversalID(),
              data);
}

void TNotesRichTextItem::AddUrl(const std::string& Url, const std::string& Text) {
  if (Url.empty()) return;
  const std::string url = EvenTerminated(Native2Lmbcs(Url));
  const std::string lmbcsText = Native2Lmbcs(Text);
  // The URL shown in place of an empty text is the URL itself, without its terminating zeros.
  const std::string shown = Text.empty() ? Native2Lmbcs(Url) : lmbcsText;
  const auto hotspotLength = CheckOdd(ODSLength(_CDHOTSPOTBEGIN) + static_cast<DWORD>(url.size()));
  CheckRecordLength(hotspotLength, "URL");
  CheckRecordLength(ODSLength(_CDTEXT) + static_cast<DWORD>(shown.size()), "URL text");
  CheckContext();
  AddMem(hotspotLength);
  const CDHOTSPOTBEGIN hotspot{{SIG_CD_HOTSPOTBEGIN, static_cast<WORD>(hotspotLength)},
                               HOTSPOTREC_TYPE_HOTLINK,
                               UrlHotspotFlags,
                               static_cast<WORD>(url.size())};
  PutStructure(_CDHOTSPOTBEGIN, &hotspot);
  PutData(url.data(), static_cast<DWORD>(url.size()));
  AddRun(NULLFONTID, shown.data(), static_cast<WORD>(shown.size()));
  AddMem(ODSLength(_CDHOTSPOTEND));
  const CDHOTSPOTEND end{ShortHeader(SIG_CD_HOTSPOTEND, _CDHOTSPOTEND)};
  PutStructure(_CDHOTSPOTEND, &end);
}

void TNotesRichTextItem::CreateTable(WORD LeftMargin, const TRichTextTableOptions& Options,
                                     WORD HorizSpace, WORD VertSpace) {
  CheckContext();
  // Tables with 3D borders leave the second pair of inter-cell spaces at 0.
  const bool threeD = Options.count(rtBorderEmboss) != 0 || Options.count(rtBorderExtrude) != 0;
  AddMem(ODSLength(_CDTABLEBEGIN));
  const CDTABLEBEGIN table{ShortHeader(SIG_CD_TABLEBEGIN, _CDTABLEBEGIN),
                           LeftMargin,
                           HorizSpace,
                           VertSpace,
                           static_cast<WORD>(threeD ? 0 : HorizSpace),
                           static_cast<WORD>(threeD ? 0 : VertSpace),
                           static_cast<WORD>(CDTABLE_V4_BORDERS | BitsOf(Options, TableFlags))};
  PutStructure(_CDTABLEBEGIN, &table);
}

void TNotesRichTextItem::AddCell(int Row, int Column, const TRichTextCell& Cell) {
  if (Row < 0 || Row > 255 || Column < 0 || Column > 255)
    throw ELotusNotes(-1, "A table cell's row and column go from 0 to 255, not " +
                              std::to_string(Row) + " and " + std::to_string(Column));
  auto border = [&Cell](WORD Mask, int Shift) {
    return (Cell.LeftBorder & Mask) | (Cell.RightBorder & Mask) << Shift |
           (Cell.TopBorder & Mask) << 2 * Shift | (Cell.BottomBorder & Mask) << 3 * Shift;
  };
  AddMem(ODSLength(_CDTABLECELL));
  const CDTABLECELL cell{
      ShortHeader(SIG_CD_TABLECELL, _CDTABLECELL),
      static_cast<BYTE>(Row),
      static_cast<BYTE>(Column),
      Cell.LeftMargin,
      Cell.RightMargin,
      Cell.FractionalWidth,
      static_cast<BYTE>(border(0x3, 2)),
      static_cast<BYTE>(CDTABLECELL_USE_V42BORDERS | BitsOf(Cell.Options, CellFlags)),
      static_cast<WORD>(border(0xF, 4)),
      static_cast<BYTE>(Cell.RowSpan ? 1 : 0),
      static_cast<BYTE>(Cell.ColumnSpan ? 1 : 0),
      Cell.BackgroundColor};
  PutStructure(_CDTABLECELL, &cell);
  TRichTextStyleOptions options = FStyleOptions;
  options.insert(rsDisplayRM);
  SetParaStyleOptions(options);
  SetParaIntProperty(3, Cell.LeftMargin);
  SetParaIntProperty(4, Cell.RightMargin);
  AddPara();
}

void TNotesRichTextItem::EndTable() {
  AddMem(ODSLength(_CDTABLEEND));
  const CDTABLEEND end{ShortHeader(SIG_CD_TABLEEND, _CDTABLEEND), 0};
  PutStructure(_CDTABLEEND, &end);
  AddText("");
  AddPara();
}

void TNotesRichTextItem::StartSection(const std::string& Title, WORD Color,
                                      const TRichTextSectionFlags& Flags,
                                      TRichTextSectionBorder Border) {
  const std::string title = EvenTerminated(Native2Lmbcs(Title));
  const DWORD barLength = ODSLength(_CDBAR) + ODSLength(_WORD) + CheckOdd(title.size());
  CheckRecordLength(barLength, "section title");
  CheckContext();
  AddMem(ODSLength(_CDHOTSPOTBEGIN));
  const CDV4HOTSPOTBEGIN begin{{SIG_CD_V4HOTSPOTBEGIN, ODSLength(_CDHOTSPOTBEGIN)},
                               HOTSPOTREC_TYPE_BUNDLE,
                               SectionHotspotFlags,
                               0};
  PutStructure(_CDHOTSPOTBEGIN, &begin);
  const DWORD flags = (BARREC_HAS_COLOR | BitsOf(Flags, SectionFlags)) & ~BARREC_BORDER_MASK;
  AddMem(barLength);
  const CDBAR bar{{SIG_CD_BAR, static_cast<WORD>(barLength)},
                  flags | (static_cast<DWORD>(Border) << BarBorderShift & BARREC_BORDER_MASK),
                  NULLFONTID};
  PutStructure(_CDBAR, &bar);
  PutStructure(_WORD, &Color);
  PutData(title.data(), static_cast<DWORD>(title.size()));
  AddRun(NULLFONTID, nullptr, 0);
  FStyleChanged = true;
  AddPara();
}

void TNotesRichTextItem::EndSection() {
  AddMem(ODSLength(_CDHOTSPOTEND));
  const CDV4HOTSPOTEND end{ShortHeader(SIG_CD_V4HOTSPOTEND, _CDHOTSPOTEND)};
  PutStructure(_CDHOTSPOTEND, &end);
}

// The context ends with an empty run in the standard font. The items are appended after those
// of the name; when that or saving the font table fails, the note and the context are left as
// they were.
void TNotesRichTextItem::SaveContext() {
  RaiseUnlessWritable();
  const std::optional<DWORD> sizeBefore =
      FContext ? std::optional<DWORD>(ContextSize()) : std::nullopt;
  try {
    CheckContext();
    AddRuns(StandardFontID(), "");
    AttachFiles();
    const TAppendedItems appended(NoteHandle(), LmbcsName());
    HugeNSFRTFItemAppend(NoteHandle(), 0, LmbcsName().data(), LmbcsNameLength(), Context(),
                         ContextSize());
    try {
      if (FFontTableChanged) Document().SaveFontTable();
    } catch (...) {
      appended.Remove();
      throw;
    }
  } catch (...) {
    if (sizeBefore)
      FContext->resize(*sizeBefore);
    else
      FContext.reset();
    FContextPos = ContextSize();
    throw;
  }
  FContext.reset();
  FContextPos = 0;
  SetCreated();
}

void TNotesRichTextItem::SetRichText(const TStringList& Lines) {
  RaiseUnlessWritable();
  if (PlainText) return TNotesItem::SetRichText(Lines);
  TTempFile rtf(RichTextTempFile("~rtf"));
  Lines.SaveToFile(rtf.Path());
  ReplaceByRtfFile(rtf.Path());
}
