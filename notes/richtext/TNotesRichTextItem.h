#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "BulkAllocator.h"
#include "NotesApi.h"
#include "Object.h"
#include "StringList.h"
#include "TNotesItem.h"

class TNotesDatabase;
class TNotesView;
class TNotesRichTextItem;

// Paragraph alignment.
enum TRichTextJustification { rjNone, rjLeft, rjCenter, rjRight, rjBlock };
// The standard faces a run uses when no face name is set.
enum TRichTextFont { rfRoman, rfSwiss, rfMonospace };

// Paragraph flags.
enum TRichTextStyleOption {
  rsPaginateBefore,
  rsKeepWithNext,
  rsKeepTogether,
  rsPropagate,
  rsHideReadOnly,
  rsHideEdit,
  rsHidePrint,
  rsDisplayRM,
  rsHideCopy,
  rsBullet,
  rsHideIF,
  rsNumberList,
  rsHidePreview,
  rsHidePreviewPane,
  rsHideNotes
};
using TRichTextStyleOptions = std::set<TRichTextStyleOption>;

enum TRichTextTableOption { rtAutoWidth, rtBorderEmboss, rtBorderExtrude };
using TRichTextTableOptions = std::set<TRichTextTableOption>;

enum TRichTextCellOption { rcUseBkColor, rcInvisibleH, rcInvisibleV };
using TRichTextCellOptions = std::set<TRichTextCellOption>;

// One table cell as AddCell writes it; borders are widths (0 to 15).
struct TRichTextCell {
  WORD LeftMargin = 0;
  WORD RightMargin = 0;
  WORD LeftBorder = 0;
  WORD TopBorder = 0;
  WORD RightBorder = 0;
  WORD BottomBorder = 0;
  TRichTextCellOptions Options;
  WORD BackgroundColor = 0;
  WORD FractionalWidth = 0;
  bool RowSpan = false;
  bool ColumnSpan = false;
};

TRichTextCell RichTextCell(WORD LeftMargin, WORD RightMargin, const TRichTextCellOptions& Options,
                           WORD FractionalWidth, WORD LeftBorder, WORD TopBorder, WORD RightBorder,
                           WORD BottomBorder, WORD BackgroundColor, bool RowSpan, bool ColumnSpan);

// Section title bar flags; rtsDisabled sets the same bit as rtsExpanded.
enum TRichTextSectionFlag {
  rtsDisabledForNonEditors,
  rtsBorderInvisible,
  rtsHideExpanded,
  rtsAutoExpandRead,
  rtsAutoExpandPreview,
  rtsAutoExpandEdit,
  rtsAutoExpandPrint,
  rtsAutoCollapseRead,
  rtsAutoCollapsePreview,
  rtsAutoCollapseEdit,
  rtsAutoCollapsePrint,
  rtsExpanded,
  rtsDisabled
};
using TRichTextSectionFlags = std::set<TRichTextSectionFlag>;

enum TRichTextSectionBorder {
  rtsBorderShadow,
  rtsBorderNone,
  rtsBorderSingle,
  rtsBorderDouble,
  rtsBorderTriple,
  rtsBorderTwoline
};

// The caller's handler of ReadItem: the item, the record (header first), its signature as the
// walk hands it over and its length. A non-zero status ends the walk.
using TNotesRTFReadProc =
    std::function<WORD(TNotesRichTextItem& Item, const char* Record, WORD Signature, DWORD Length)>;

// Link kinds of LinkDef::Kind.
constexpr BYTE LinkKindUnknown = 0;
constexpr BYTE LinkKindAnchor = 1;
constexpr BYTE LinkKindDocument = 2;
constexpr BYTE LinkKindDatabase = 3;
constexpr BYTE LinkKindView = 4;

// A link of the item: the target database's replica ID, view and note, and its strings.
struct LinkDef {
  TIMEDATE ReplicaID{};
  UNIVERSALNOTEID ViewUNID{};
  UNIVERSALNOTEID NoteUNID{};
  std::string Comment;
  std::string ServerHint;
  std::string Anchor;
  BYTE Kind = LinkKindUnknown;
};

// A link as read: with the "$Links" entry a CDLINK2 refers to, -1 for a CDLINKEXPORT2.
struct LinkDefI : LinkDef {
  int32_t LinkIndex = -1;
};

// A block ID as the object of a string-list entry; for an attachment also its shown name in
// its own case, which the entry holds upper-cased.
class BLOCKIDcl : public TObject {
 public:
  explicit BLOCKIDcl(BLOCKID Value, std::string Name = "") : Value(Value), Name(std::move(Name)) {}
  ~BLOCKIDcl() override;

  BLOCKID Value;
  std::string Name;
};

// A rich-text item (TYPE_COMPOSITE) of a note: the attachments its file hotspots show, its
// links, its text, and a composition buffer (the context) into which records are written and
// which SaveContext appends to the note. Nothing reaches the note before SaveContext.
//
// An object for a following item of the name (CreateNextItem) reads only the item it stands
// for: its attachment and link lists are empty and its writers raise ELotusNotes.
class TNotesRichTextItem : public TNotesItem {
 public:
  // The first item of Name with its attachments and links. Raises ELotusNotes when the note
  // has no such item or it is not rich text.
  static std::unique_ptr<TNotesRichTextItem> Create(TNotesDocument& Document,
                                                    const std::string& Name);
  // An item to compose; nothing is read from or written to the note.
  static std::unique_ptr<TNotesRichTextItem> CreateNew(TNotesDocument& Document,
                                                       const std::string& Name);
  // Replaces every item of Name by the rich text an RTF file imports to; the old items go
  // only once the import has succeeded.
  static std::unique_ptr<TNotesRichTextItem> Create(TNotesDocument& Document,
                                                    const std::string& Name,
                                                    const std::string& RtfFileName);
  ~TNotesRichTextItem() override;

  // The font of text runs written next.
  TRichTextFont Font = rfSwiss;
  // A face of the document's font table; when set it takes the place of Font.
  std::string FaceName;
  int32_t FontSize = 10;
  // A Notes colour number (NOTES_COLOR_...).
  WORD FontColor = 0;
  // GetRichText and SetRichText work on plain text; false: on RTF, through the filter libraries.
  bool PlainText = true;

  // The context
  // Starts a new context: a paragraph definition and its reference.
  void CreateContext();
  void CheckContext();
  // Grows the context by Count zero bytes; the next record goes where it was.
  void AddMem(DWORD Count);
  static DWORD CheckOdd(DWORD Count) { return Count + (Count & 1); }
  // Copies a whole record in canonical form into the context.
  void AddToContext(const void* Data, WORD RecordType, DWORD Length);
  // Makes room for at least Extra more bytes in the context, starting one if need be.
  void ReserveContext(size_t Extra);
  // Appends the context to the note as items of the name, after those it has, and closes the
  // context. All or nothing: when an append fails the note and the context stay as they were.
  void SaveContext();
  bool HasContext() const { return FContext.has_value(); }
  const char* Context() const { return FContext ? FContext->data() : nullptr; }
  DWORD ContextSize() const { return FContext ? static_cast<DWORD>(FContext->size()) : 0; }
  DWORD ContextPos() const { return FContextPos; }

  // Paragraph and font settings
  // Index 0 spacing after, 1 spacing before, 2 first-line left margin, 3 left margin, 4 right
  // margin, 5 line spacing. Other indexes raise ELotusNotes.
  int32_t GetParaIntProperty(int Index) const;
  void SetParaIntProperty(int Index, int32_t Value);
  TRichTextJustification GetParaJustification() const { return FJustification; }
  void SetParaJustification(TRichTextJustification Justification);
  const TRichTextStyleOptions& GetParaStyleOptions() const { return FStyleOptions; }
  void SetParaStyleOptions(const TRichTextStyleOptions& Options);
  // Index 0 bold, 1 italic, 2 underline, 3 strikeout, 4 superscript, 5 subscript, 6 shadow,
  // 7 emboss, 8 extrude. Other indexes raise ELotusNotes.
  bool GetFontBoolProperty(int Index) const;
  void SetFontBoolProperty(int Index, bool Value);
  bool StyleChanged() const { return FStyleChanged; }
  DWORD PabID() const { return FPabID; }
  bool FontTableChanged() const { return FFontTableChanged; }
  // A paragraph definition with the current settings and its reference.
  void AddStyle();
  void AddStyle2(WORD Flags);
  void UpdateParaStyle();

  // Reading
  // Walks the records of the one item this object stands for; ReadProc sees each. Returns the
  // walk's status; what ReadProc throws is thrown on after the walk.
  STATUS ReadItem(TNotesRTFReadProc ReadProc);
  TStringList& GetRichText() override;
  void LoadAttachmentInfo();
  void LoadLinkInfo();
  int GetLinkCount() const { return static_cast<int>(FLinks.size()); }
  // A copy of link Index; past the last an empty link. A negative Index raises
  // EListError.
  LinkDef GetLink(int Index) const;
  // The attachments the field's file hotspots show, by their shown names in upper case, each
  // with the block ID of its "$FILE" item.
  int GetAttachmentCount() const { return FAttachments.Count(); }
  const std::string& GetAttachment(int Index) const { return FAttachments.Strings(Index); }
  // The index of the attachment named Name without regard to case, or -1.
  int FindAttachment(const std::string& Name) const;
  const TStringList& Attachments() const { return FAttachments; }
  // Writes attachment Index to FileName; "" means its shown name (the last part only, in its
  // own case) in the current directory.
  void Detach(int Index, const std::string& FileName) const;
  // A file hotspot at the current position (the file's icon with its name when ShowIcon and a
  // picture can be made, else the name as text); the file goes into the note at SaveContext.
  void Attach(const std::string& FileName, bool ShowIcon);
  // Attaches the files waiting for SaveContext; each leaves the list once it is in the note.
  void AttachFiles();
  const TStringList& PendingFiles() const { return FPendingFiles; }

  // Import and export through the filter libraries. IntAddFile stores what an open context
  // holds first, then appends the imported records as items of the name.
  void IntAddFile(const std::string& FileName, const std::string& FilterLibrary);
  void AddRtfFile(const std::string& FileName);
  void AddJpgFile(const std::string& FileName);
  // With the import filter listed for the file's extension.
  void AddFile(const std::string& FileName);
  // The item this object stands for as an RTF file.
  void ExportRtfFile(const std::string& FileName);
  // Every item of the name as one RTF file, as if the field were stored in one item.
  void ExportFieldRtfFile(const std::string& FileName);

  // Text and paragraphs
  void AddPara();
  // One run (several of at most 16 KB for a long text) in the current font.
  void AddText(const std::string& Text);
  // Text whose CR LF pairs end paragraphs.
  void AddTextPara(const std::string& Text);
  void AddTextToContext(WORD FontID, const std::string& Text);

  // Links. The replica ID is the database's (GetReplicaInfo).
  // DataLength 0 takes the link data's own length; any other length must equal it.
  void AddLink(const TIMEDATE& ReplicaID, const UNIVERSALNOTEID& ViewUNID,
               const UNIVERSALNOTEID& NoteUNID, const std::string& Comment, WORD DataLength = 0);
  void AddDocLink(TNotesDocument& Target, const std::string& Comment, TNotesView* View = nullptr);
  void AddViewLink(TNotesView& View, const std::string& Comment);
  void AddDbLink(TNotesDatabase& Database, const std::string& Comment);
  void AddAnchorLink(TNotesDocument& Target, const std::string& Comment, const std::string& Anchor);
  // A URL hotspot around Text (the URL itself when Text is empty); nothing for an empty Url.
  void AddUrl(const std::string& Url, const std::string& Text);

  // Tables: CreateTable, AddCell and text for each cell, EndTable.
  void CreateTable(WORD LeftMargin, const TRichTextTableOptions& Options, WORD HorizSpace,
                   WORD VertSpace);
  // Row and Column from 0 to 255.
  void AddCell(int Row, int Column, const TRichTextCell& Cell);
  void EndTable();

  // Sections: StartSection, their content, EndSection.
  void StartSection(const std::string& Title, WORD Color, const TRichTextSectionFlags& Flags,
                    TRichTextSectionBorder Border);
  void EndSection();

  // Replaces the field by Lines: with PlainText one paragraph each, else imported as RTF. The
  // old items go once the new ones are in.
  void SetRichText(const TStringList& Lines) override;

  std::unique_ptr<TNotesItem> CreateNextItem() const override;

 private:
  struct TFieldScan;

  TNotesRichTextItem(TNotesDocument& Document, const std::string& Name);
  TNotesRichTextItem(const TNotesRichTextItem& Previous, TNextItem);
  void SetDefaults();
  // Walks this item and the following ones of the name for what Scan asks; CheckStatus raises
  // for a damaged item.
  void ScanField(TFieldScan& Scan, bool CheckStatus) const;
  // Attachments, links and the paragraph definitions of the field, in one walk.
  void LoadField();
  // Items of the name already in the note keep their paragraph definitions: new ones are
  // numbered after them.
  void NumberAfterField();
  void ApplyAttachments(const TFieldScan& Scan);
  void ApplyLinks(std::vector<LinkDefI> Links);
  void RaiseUnlessWritable() const;
  std::string NextInternalName();
  // The file's icon picture imported into the context; false when there is none to show.
  bool AddIcon(const std::string& FileName);
  // Imports RtfFileName and then removes the items of the name that were there before.
  void ReplaceByRtfFile(const std::string& RtfFileName);
  // Moves a font table the import wrote first into the document's, renumbering its faces.
  void TakeImportedFonts(const std::string& CDFileName);
  // Writes the CD file an export filter reads: the type word, the document's font table, then
  // Records.
  void WriteExportFile(const std::string& CDFileName, const std::string& Records) const;
  void ExportRecords(const std::string& Records, const std::string& FileName) const;

  // The font ID of the current settings in the standard face Font, and in FaceName when set.
  DWORD StandardFontID() const;
  DWORD BuildFontID();
  WORD FaceOfName(const std::string& Name);
  // The fixed part of a record at the context position, in canonical form.
  void PutStructure(WORD OdsType, const void* Structure);
  // Data after a record's fixed part, with the pad byte after an odd length.
  void PutData(const void* Data, DWORD Length);
  void AddRuns(DWORD FontID, const std::string& Lmbcs);
  void AddRun(DWORD FontID, const char* Text, WORD Length);
  void AddLinkData(const TIMEDATE& ReplicaID, const UNIVERSALNOTEID& ViewUNID,
                   const UNIVERSALNOTEID& NoteUNID, const std::string& Data);

  bool FContinuation = false;
  TStringList FAttachments;
  std::optional<std::vector<char, TBulkAllocator<char>>> FContext;
  DWORD FContextPos = 0;
  DWORD FPabID = 0;
  bool FStyleChanged = false;
  TRichTextJustification FJustification = rjNone;
  std::array<int32_t, 6> FParaProps{};
  TRichTextStyleOptions FStyleOptions;
  std::array<bool, 9> FFontFlags{};
  bool FFontTableChanged = false;
  TStringList FPendingFiles;
  std::unique_ptr<TStringList> FRtfLines;
  TNotesRTFReadProc FReadProc;
  std::vector<LinkDefI> FLinks;
};
