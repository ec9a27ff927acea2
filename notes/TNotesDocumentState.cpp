// Font table, signature and read mark of TNotesDocument.
#include <algorithm>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesFontTable.h"
#include "NotesLock.h"
#include "NotesTime.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesFont.h"
#include "TNotesItem.h"

void TNotesDocument::LoadFontTable() {
  if (FFontTable) return;
  FFontTable = std::make_unique<TStringList>();
  FFontTable->SetOwnsObjects(true);
  FMaxFontID = 4;
  const std::string name = ITEM_NAME_FONTS;
  BLOCKID valueBID{};
  DWORD valueLength = 0;
  if (NSFItemInfo(NoteHandle(), name.data(), static_cast<WORD>(name.size()), nullptr, nullptr,
                  &valueBID, &valueLength) != NOERROR)
    return;
  TNotesLock lock(valueBID);
  if (lock.Data() == nullptr) return;
  for (const TFontFace& face : ReadFontTable(lock.Data(), valueLength)) {
    FFontTable->AddObject(Lmbcs2Native(face.Name), new TNotesFont(face.Face, face.Family));
    FMaxFontID = std::max<WORD>(FMaxFontID, face.Face);
  }
}

void TNotesDocument::SaveFontTable() {
  if (!FFontTable || FFontTable->Count() == 0) return;
  std::vector<TFontFace> faces;
  for (int i = 0; i < FFontTable->Count(); ++i) {
    const auto* font = static_cast<const TNotesFont*>(FFontTable->Objects(i));
    faces.push_back({static_cast<BYTE>(font ? font->Face : 0),
                     static_cast<BYTE>(font ? font->Family : 0),
                     Native2Lmbcs(FFontTable->Strings(i))});
  }
  const std::vector<char> record = BuildFontTable(faces);
  const std::string name = ITEM_NAME_FONTS;
  TNotesItem::DeleteAllItems(NoteHandle(), name);
  CheckNotesStatus(NSFItemAppend(NoteHandle(), 0, name.data(), static_cast<WORD>(name.size()),
                                 TYPE_COMPOSITE, record.data(), static_cast<DWORD>(record.size())));
  ItemsChanged();
}

void TNotesDocument::Sign() {
  CheckNotesStatus(NSFNoteSign(NoteHandle()));
  ItemsChanged();
}

bool TNotesDocument::GetSignature(std::string& Signer, std::string& Certifier,
                                  TDateTime* WhenSigned) const {
  char signer[MAXUSERNAME + 1] = {};
  char certifier[MAXUSERNAME + 1] = {};
  TIMEDATE when{};
  if (NSFNoteVerifySignature(NoteHandle(), nullptr, &when, signer, certifier) != NOERROR)
    return false;
  Signer = Lmbcs2Native(signer);
  Certifier = Lmbcs2Native(certifier);
  if (WhenSigned != nullptr) *WhenSigned = NotesToDateTime(when);
  return true;
}

bool TNotesDocument::GetIsRead() {
  if (!FIsRead) UpdateUnread();
  return *FIsRead;
}

void TNotesDocument::SetIsRead(bool Value) {
  if (Value == GetIsRead()) return;
  // A note never saved has no read mark to change until it is stored.
  if (FNoteID != 0) Database().MarkRead(FNoteID, Value);
  FIsRead = Value;
}

void TNotesDocument::UpdateUnread() {
  std::string user = TNotesDatabase::CanonicalLmbcsUserName();
  TIdTableHandle table;
  CheckNotesStatus(NSFDbGetUnreadNoteTable(Database().Handle(), user.data(),
                                           static_cast<WORD>(user.size()), TRUE, table.Receive()));
  // Tables may lag behind the database; bring this one up to date before asking it.
  CheckNotesStatus(NSFDbUpdateUnread(Database().Handle(), table.Get()));
  FIsRead = !IDIsPresent(table.Get(), FNoteID);
}
