#include "TNotesDocument.h"

#include <cstring>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesTime.h"
#include "NotesUncutText.h"
#include "TLiveItems.h"
#include "TNotesDatabase.h"
#include "TNotesItem.h"

namespace {

TNoteHandle CreateNote(TNotesDatabase& Database) {
  TNoteHandle note;
  CheckNotesStatus(NSFNoteCreate(Database.Handle(), note.Receive()));
  return note;
}

TNoteHandle OpenNote(TNotesDatabase& Database, NOTEID NoteID) {
  TNoteHandle note;
  CheckNotesStatus(NSFNoteOpen(Database.Handle(), NoteID, 0, note.Receive()));
  return note;
}

TNoteHandle OpenNoteByUnid(TNotesDatabase& Database, UNIVERSALNOTEID Unid) {
  TNoteHandle note;
  CheckNotesStatus(NSFNoteOpenByUNID(Database.Handle(), &Unid, 0, note.Receive()));
  return note;
}

TNoteHandle OpenProfile(TNotesDatabase& Database, const std::string& ProfileName) {
  const std::string profile = Native2Lmbcs(ProfileName);
  const std::string user = TNotesDatabase::CanonicalLmbcsUserName();
  TNoteHandle note;
  CheckNotesStatus(NSFProfileOpen(Database.Handle(), profile.data(),
                                  static_cast<WORD>(profile.size()), user.data(),
                                  static_cast<WORD>(user.size()), TRUE, note.Receive()));
  return note;
}

// NSFItemScan hands over names that are not terminated; they are converted once the scan is
// done, since nothing may be thrown back through the runtime.
STATUS LNCALLBACK CollectName(WORD, WORD, char* Name, WORD NameLength, void*, DWORD, void* Names) {
  try {
    static_cast<std::vector<std::string>*>(Names)->emplace_back(Name, NameLength);
    return NOERROR;
  } catch (...) {
    return ERR_MEMORY;
  }
}

}  // namespace

TNotesDocument::TNotesDocument(TNotesDatabase& Database, TNoteHandle Note)
    : FNote(std::move(Note)), FLiveItems(std::make_shared<TLiveItems>()), FDatabase(&Database) {
  FFields.SetOwnsObjects(true);
  FAttachments.SetOwnsObjects(true);
}

TNotesDocument::TNotesDocument(TNotesDatabase& Database)
    : TNotesDocument(Database, CreateNote(Database)) {
  SetComposedDate();
}

TNotesDocument::TNotesDocument(TNotesDatabase& Database, NOTEID NoteID)
    : TNotesDocument(Database, OpenNote(Database, NoteID)) {
  InitDocument(NoteID);
}

TNotesDocument::TNotesDocument(TNotesDatabase& Database, const UNIVERSALNOTEID& Unid)
    : TNotesDocument(Database, OpenNoteByUnid(Database, Unid)) {
  InitDocument(NoteIDFromNote());
}

TNotesDocument::TNotesDocument(TNotesDatabase& Database, const std::string& ProfileName)
    : TNotesDocument(Database, OpenProfile(Database, ProfileName)) {
  FProfileName = ProfileName;
  InitDocument(NoteIDFromNote());
}

TNotesDocument::TNotesDocument(TNotesDatabase& Database, TNotesDocument& Parent)
    : TNotesDocument(Database) {
  GetItemByName(ITEM_NAME_NOTEREF)->SetAsReference(Parent.GetUniversalID());
  if (Parent.IsItemExists(MAIL_SUBJECT_ITEM))
    SetItemByNum(MAIL_SUBJECT_ITEM_NUM, "Re: " + Parent.GetItemByNum(MAIL_SUBJECT_ITEM_NUM));
}

std::unique_ptr<TNotesDocument> TNotesDocument::CreateResponse(TNotesDatabase& Database,
                                                               const UNIVERSALNOTEID& ParentUnid) {
  auto document = std::make_unique<TNotesDocument>(Database);
  document->GetItemByName(ITEM_NAME_NOTEREF)->SetAsReference(ParentUnid);
  return document;
}

TNotesDocument::~TNotesDocument() = default;

void TNotesDocument::SetComposedDate() {
  TIMEDATE now;
  OSCurrentTIMEDATE(&now);
  CheckNotesStatus(MailAddHeaderItem(NoteHandle(), MAIL_COMPOSEDDATE_ITEM_NUM, &now, sizeof(now)));
}

void TNotesDocument::InitDocument(NOTEID NoteID) {
  FFieldsRead = false;
  FNoteID = NoteID;
  FSummary.Clear();
  FSummarySource.reset();
  ListAttachments();
}

TStringList& TNotesDocument::Summary() {
  if (FSummarySource) {
    FSummary.SetText(FSummarySource->SummaryText());
    FSummarySource.reset();
  }
  return FSummary;
}

NOTEID TNotesDocument::NoteIDFromNote() const {
  NOTEID noteID = 0;
  NSFNoteGetInfo(NoteHandle(), _NOTE_ID, &noteID);
  return noteID;
}

void TNotesDocument::CloseNote() {
  CheckNotesStatus(FNote.Reset());
}

TStringList& TNotesDocument::Fields() {
  if (!FFieldsRead) ReloadFields();
  return FFields;
}

void TNotesDocument::ReloadFields() {
  FFieldsRead = true;
  std::vector<std::string> names;
  names.reserve(FFields.Count() + 16);  // one allocation for a usual note
  CheckNotesStatus(NSFItemScan(NoteHandle(), &CollectName, &names));
  // Item objects already handed out stay valid: each goes to the first entry of its name, or
  // is kept aside when the note no longer has the name.
  std::vector<std::pair<std::string, std::unique_ptr<TObject>>> handedOut;
  FFields.SetOwnsObjects(false);
  for (int i = 0; i < FFields.Count(); ++i)
    if (FFields.Objects(i) != nullptr)
      handedOut.emplace_back(FFields.Strings(i), FFields.Objects(i));
  FFields.Clear();
  FFields.SetOwnsObjects(true);
  FFields.SetCapacity(static_cast<int>(names.size()));
  for (std::string& name : names) FFields.Add(Lmbcs2Native(std::move(name)));
  for (auto& [name, object] : handedOut) {
    const int index = FFields.IndexOf(name);
    if (index >= 0 && FFields.Objects(index) == nullptr)
      FFields.PutObject(index, object.release());
    else
      FRetiredItems.push_back(std::move(object));
  }
}

TNotesItem* TNotesDocument::GetItemByName(const std::string& Name) {
  int index = Fields().IndexOf(Name);
  if (index < 0) index = FFields.Add(Name);
  auto* item = static_cast<TNotesItem*>(FFields.Objects(index));
  if (item == nullptr) {
    std::unique_ptr<TNotesItem> made =
        IsItemExists(Name) ? TNotesItem::Create(*this, Name) : TNotesItem::CreateNew(*this, Name);
    item = made.get();
    FFields.PutObject(index, made.release());
  } else if (!item->Loaded() && IsItemExists(Name)) {
    // An item added past the objects since (by Notes itself, or straight through the API).
    item->Reload();
  }
  return item;
}

bool TNotesDocument::IsItemExists(const std::string& Name) const {
  const std::string name = Native2Lmbcs(Name);
  return NSFItemInfo(NoteHandle(), name.data(), static_cast<WORD>(name.size()), nullptr, nullptr,
                     nullptr, nullptr) == NOERROR;
}

void TNotesDocument::DeleteItem(const std::string& Name) {
  TNotesItem::DeleteAllItems(NoteHandle(), Native2Lmbcs(Name));
  // The entry's object may be held (LoadMultipleItems hands it out): it is kept aside, not freed.
  const int index = Fields().IndexOf(Name);
  if (index >= 0) {
    std::unique_ptr<TObject> item = TakeFieldObject(index);
    FFields.Delete(index);
    if (item) FRetiredItems.push_back(std::move(item));
  }
  ItemsChanged();
}

std::unique_ptr<TObject> TNotesDocument::TakeFieldObject(int Index) {
  std::unique_ptr<TObject> object(FFields.Objects(Index));
  FFields.SetOwnsObjects(false);
  FFields.PutObject(Index, nullptr);
  FFields.SetOwnsObjects(true);
  return object;
}

void TNotesDocument::ReplaceItemValue(const std::string& Name, const TVariant& Value) {
  GetItemByName(Name)->SetItemValue(Value);
}

void TNotesDocument::CopyItem(TNotesDocument& Source, const std::string& Name) {
  struct TPiece {
    WORD DataType;
    WORD Flags;
    std::vector<char> Value;
  };
  // Every item of the name is read before anything here changes, so copying a document's
  // item onto itself loses nothing.
  std::vector<TPiece> pieces;
  if (Source.IsItemExists(Name))
    for (auto item = TNotesItem::Create(Source, Name); item; item = item->CreateNextItem())
      pieces.push_back({item->DataType(), item->ItemFlags(), item->GetValueBuffer()});
  if (IsItemExists(Name)) DeleteItem(Name);
  const std::string name = Native2Lmbcs(Name);
  for (const TPiece& piece : pieces) {
    if (piece.Value.size() < sizeof(WORD)) continue;
    CheckNotesStatus(NSFItemAppend(
        NoteHandle(), piece.Flags, name.data(), static_cast<WORD>(name.size()), piece.DataType,
        piece.Value.data() + sizeof(WORD), static_cast<DWORD>(piece.Value.size() - sizeof(WORD))));
  }
  ItemsChanged();
}

int TNotesDocument::CountMultipleItems(const std::string& Name) {
  const TNotesItem* first = GetItemByName(Name);
  if (!first->Loaded()) return 0;
  int count = 1;
  for (auto item = first->CreateNextItem(); item; item = item->CreateNextItem()) ++count;
  return count;
}

TNotesItemList TNotesDocument::LoadMultipleItems(const std::string& Name) {
  TNotesItemList items;
  TNotesItem* item = GetItemByName(Name);
  if (!item->Loaded()) return items;
  items.AddBorrowed(item);
  for (auto next = item->CreateNextItem(); next; next = items[items.size() - 1]->CreateNextItem())
    items.AddOwned(std::move(next));
  return items;
}

void TNotesDocument::ItemsChanged() {
  FLiveItems->ReloadAll();
}

void TNotesDocument::ItemsWritten() {
  if (FFieldsRead) ReloadFields();
  ItemsChanged();
}

std::string TNotesDocument::GetItemByNum(WORD Code) const {
  return Lmbcs2Native(ReadUncutText(2048, [&](char* Buffer, WORD Size) {
    WORD length = 0;
    const STATUS status = MailGetMessageItem(NoteHandle(), Code, Buffer, Size, &length);
    if (ERR(status) == ERR_ITEM_NOT_FOUND) return false;
    CheckNotesStatus(status);
    return true;
  }));
}

void TNotesDocument::SetItemByNum(WORD Code, const std::string& Value) {
  const std::string value = Native2Lmbcs(Value);
  if (value.size() > MAXWORD) throw ELotusNotes(-1, "The value is too long for a mail header item");
  CheckNotesStatus(
      MailAddHeaderItem(NoteHandle(), Code, value.data(), static_cast<WORD>(value.size())));
  ItemsWritten();
}

TDateTime TNotesDocument::GetLastModified() const {
  TIMEDATE time{};
  NSFNoteGetInfo(NoteHandle(), _NOTE_MODIFIED, &time);
  return NotesToDateTime(time);
}

TDateTime TNotesDocument::GetLastAccessed() const {
  TIMEDATE time{};
  NSFNoteGetInfo(NoteHandle(), _NOTE_ACCESSED, &time);
  return NotesToDateTime(time);
}

ORIGINATORID TNotesDocument::GetOriginatorID() const {
  ORIGINATORID oid{};
  // A note never saved is not in the database yet; its identity is the one it carries.
  if (FNoteID == 0) {
    NSFNoteGetInfo(NoteHandle(), _NOTE_OID, &oid);
    return oid;
  }
  TIMEDATE modified{};
  WORD noteClass = 0;
  CheckNotesStatus(NSFDbGetNoteInfo(Database().Handle(), FNoteID, &oid, &modified, &noteClass));
  return oid;
}

UNIVERSALNOTEID TNotesDocument::GetUniversalID() const {
  const ORIGINATORID oid = GetOriginatorID();
  UNIVERSALNOTEID unid;
  std::memcpy(&unid, &oid, sizeof(unid));
  return unid;
}

void TNotesDocument::Save() {
  if (!FProfileName.empty()) {
    const std::string profile = Native2Lmbcs(FProfileName);
    const std::string user = TNotesDatabase::CanonicalLmbcsUserName();
    CheckNotesStatus(NSFProfileUpdate(NoteHandle(), profile.data(),
                                      static_cast<WORD>(profile.size()), user.data(),
                                      static_cast<WORD>(user.size())));
    return;
  }
  CheckNotesStatus(NSFNoteUpdate(NoteHandle(), UPDATE_NOCOMMIT));
  if (FNoteID == 0) FNoteID = NoteIDFromNote();
}

std::unique_ptr<TNotesDocument> TNotesDocument::CopyToDatabase(
    TNotesDatabase& TargetDatabase) const {
  NOTEID newNoteID = 0;
  CheckNotesStatus(NSFDbCopyNote(Database().Handle(), nullptr, nullptr, FNoteID,
                                 TargetDatabase.Handle(), nullptr, nullptr, &newNoteID, nullptr));
  return std::make_unique<TNotesDocument>(TargetDatabase, newNoteID);
}
