// The readers of TNotesRichTextItem: records, attachments, links and text.
#include <algorithm>
#include <map>

#include "Classes.h"
#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesFileObject.h"
#include "NotesItemValues.h"
#include "NotesLock.h"
#include "NotesRichText.h"
#include "NotesUpperCase.h"
#include "RichTextRecords.h"
#include "RichTextWalk.h"
#include "SysUtils.h"
#include "TNotesRichTextItem.h"
#include "TempFiles.h"

// What one walk over the items of the field finds.
struct TNotesRichTextItem::TFieldScan {
  // Shown names of file hotspots by their internal names, upper-cased; the first hotspot of a
  // name counts.
  std::map<std::string, std::string> Files;
  std::vector<LinkDefI> Links;
  DWORD MaxPabID = 0;
};

namespace {

std::string UpToNul(const std::string& Text) {
  return Text.substr(0, Text.find('\0'));
}

}  // namespace

void TNotesRichTextItem::ScanField(TFieldScan& Scan, bool CheckStatus) const {
  const TRecordVisitor visit = [&Scan](const char* Record, WORD Signature, DWORD Length) -> STATUS {
    if (Signature == SIG_CD_HOTSPOTBEGIN) {
      std::string internal, shown;
      if (ReadFileHotspot(Record, Length, internal, shown))
        Scan.Files.emplace(NotesUpperCase(Lmbcs2Native(internal)), Lmbcs2Native(shown));
    } else if (Signature == SIG_CD_LINK2 || Signature == SIG_CD_LINKEXPORT2) {
      LinkDefI link;
      if (ReadLinkRecord(Record, Signature, Length, link)) Scan.Links.push_back(std::move(link));
    } else if (Signature == SIG_CD_PABDEFINITION) {
      CDPABDEFINITION definition;
      if (ReadStructure(Record, Length, _CDPABDEFINITION, &definition))
        Scan.MaxPabID = std::max<DWORD>(Scan.MaxPabID, definition.PABID);
    }
    return NOERROR;
  };
  // An object not yet loaded stands for a field that may already be in the note: all of it.
  std::vector<TItemValue> values;
  if (Loaded()) values.push_back({ItemBID(), DataType(), ValueBID(), ValueLength()});
  for (const TItemValue& next :
       ItemValuesAfter(NoteHandle(), LmbcsName(), Loaded() ? ItemBID() : BLOCKID{}))
    values.push_back(next);
  for (const TItemValue& value : values) {
    if (value.DataType != TYPE_COMPOSITE) continue;
    const STATUS status = WalkRecords(value.Value, value.Length, visit);
    if (CheckStatus) CheckNotesStatus(status);
  }
}

// The "$FILE" items that a file hotspot of the field shows, in note order.
void TNotesRichTextItem::ApplyAttachments(const TFieldScan& Scan) {
  FAttachments.Clear();
  if (Scan.Files.empty()) return;
  for (const TItemValue& file : ItemValuesAfter(NoteHandle(), ITEM_NAME_ATTACHMENT, BLOCKID{})) {
    TNotesLock lock(file.Value);
    TFileObjectInfo info;
    if (lock.Data() == nullptr || !ReadFileObject(lock.Data(), file.Length, info)) continue;
    const auto shown = Scan.Files.find(NotesUpperCase(Lmbcs2Native(UpToNul(info.FileName))));
    if (shown != Scan.Files.end())
      FAttachments.AddObject(NotesUpperCase(shown->second),
                             new BLOCKIDcl(file.Item, shown->second));
  }
}

// Links through "$Links" (CDLINK2) take their target from it; a link whose record did not tell
// its kind takes it from its target.
void TNotesRichTextItem::ApplyLinks(std::vector<LinkDefI> Links) {
  FLinks = std::move(Links);
  if (FLinks.empty()) return;
  std::vector<NOTELINK> table;
  const std::string name = ITEM_NAME_LINK;
  BLOCKID value{};
  DWORD length = 0;
  if (NSFItemInfo(NoteHandle(), name.data(), static_cast<WORD>(name.size()), nullptr, nullptr,
                  &value, &length) == NOERROR) {
    TNotesLock lock(value);
    if (lock.Data() != nullptr) table = ReadLinkTable(lock.Data(), length);
  }
  for (LinkDefI& link : FLinks) {
    NOTELINK target{link.ReplicaID, link.ViewUNID, link.NoteUNID};
    if (link.LinkIndex >= 0) {
      if (static_cast<size_t>(link.LinkIndex) >= table.size()) continue;
      target = table[static_cast<size_t>(link.LinkIndex)];
      link.ReplicaID = target.File;
      link.ViewUNID = target.View;
      link.NoteUNID = target.Note;
    }
    if (link.Kind == LinkKindUnknown) link.Kind = LinkKindOf(target);
  }
}

void TNotesRichTextItem::LoadField() {
  TFieldScan scan;
  ScanField(scan, true);
  ApplyAttachments(scan);
  ApplyLinks(std::move(scan.Links));
  FPabID = scan.MaxPabID;
}

void TNotesRichTextItem::NumberAfterField() {
  TFieldScan scan;
  ScanField(scan, false);
  FPabID = scan.MaxPabID;
}

void TNotesRichTextItem::LoadAttachmentInfo() {
  if (FContinuation) return;
  TFieldScan scan;
  ScanField(scan, true);
  ApplyAttachments(scan);
}

void TNotesRichTextItem::LoadLinkInfo() {
  if (FContinuation) return;
  TFieldScan scan;
  ScanField(scan, false);
  ApplyLinks(std::move(scan.Links));
}

LinkDef TNotesRichTextItem::GetLink(int Index) const {
  if (Index < 0) throw EListError(Format("List index out of bounds (%d)", Index));
  if (static_cast<size_t>(Index) >= FLinks.size()) return LinkDef{};
  return FLinks[static_cast<size_t>(Index)];
}

int TNotesRichTextItem::FindAttachment(const std::string& Name) const {
  return FAttachments.IndexOf(NotesUpperCase(Name));
}

STATUS TNotesRichTextItem::ReadItem(TNotesRTFReadProc ReadProc) {
  FReadProc = std::move(ReadProc);
  return WalkRecords(ValueBID(), ValueLength(),
                     [this](const char* Record, WORD Signature, DWORD Length) -> STATUS {
                       return FReadProc ? FReadProc(*this, Record, Signature, Length) : NOERROR;
                     });
}

TStringList& TNotesRichTextItem::GetRichText() {
  if (PlainText) return TNotesItem::GetRichText();
  TTempFile rtf(RichTextTempFile("~rtf"));
  ExportRtfFile(rtf.Path());
  if (!FRtfLines) FRtfLines = std::make_unique<TStringList>();
  FRtfLines->LoadFromFile(rtf.Path());
  return *FRtfLines;
}
