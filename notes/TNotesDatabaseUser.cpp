// The current user, the mail settings and the user's read marks for TNotesDatabase.
#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesEnvironment.h"
#include "NotesHandle.h"
#include "TNotesDatabase.h"
#include "TNotesDocumentCollection.h"
#include "TNotesName.h"

std::string TNotesDatabase::LmbcsUserName() {
  char name[MAXUSERNAME + 1] = {};
  CheckNotesStatus(SECKFMGetUserName(name));
  return name;
}

std::string TNotesDatabase::UserName() {
  return Lmbcs2Native(LmbcsUserName());
}

std::string TNotesDatabase::MailFileName() {
  return NotesEnvironmentString("MailFile");
}

std::string TNotesDatabase::MailServer() {
  return NotesEnvironmentString("MailServer");
}

std::string TNotesDatabase::CanonicalLmbcsUserName() {
  const std::string name = Lmbcs2Native(LmbcsUserName());
  if (TNotesName::IsCanonical(name)) return Native2Lmbcs(name);
  return Native2Lmbcs(TNotesName::TranslateName(name, true, ""));
}

void TNotesDatabase::SetReadMarks(const std::vector<NOTEID>& NoteIDs, bool Read) {
  std::string user = CanonicalLmbcsUserName();
  const WORD userLength = static_cast<WORD>(user.size());
  TIdTableHandle table, original;
  CheckNotesStatus(
      NSFDbGetUnreadNoteTable(FHandle, user.data(), userLength, TRUE, table.Receive()));
  CheckNotesStatus(NSFDbUpdateUnread(FHandle, table.Get()));
  CheckNotesStatus(IDTableCopy(table.Get(), original.Receive()));
  for (NOTEID noteID : NoteIDs) {
    if (Read)
      IDDelete(table.Get(), noteID, nullptr);
    else
      IDInsert(table.Get(), noteID, nullptr);
  }
  CheckNotesStatus(NSFDbSetUnreadNoteTable(FHandle, user.data(), userLength, FALSE, original.Get(),
                                           table.Get()));
}

void TNotesDatabase::MarkRead(NOTEID NoteID, bool Read) {
  SetReadMarks({NoteID}, Read);
}

void TNotesDatabase::MarkAllRead(const TNotesDocumentCollection& Collection, bool Read) {
  std::vector<NOTEID> noteIDs;
  for (int i = 0; i < Collection.Count(); ++i)
    noteIDs.push_back(static_cast<NOTEID>(Collection.GetDocumentId(i)));
  SetReadMarks(noteIDs, Read);
}

std::unique_ptr<TNotesDocumentCollection> TNotesDatabase::UnreadDocuments() {
  std::string user = CanonicalLmbcsUserName();
  auto collection = std::make_unique<TNotesDocumentCollection>(*this);
  collection->SetUnread(true);
  TIdTableHandle table;
  CheckNotesStatus(NSFDbGetUnreadNoteTable(FHandle, user.data(), static_cast<WORD>(user.size()),
                                           TRUE, table.Receive()));
  if (!table) return collection;
  CheckNotesStatus(NSFDbUpdateUnread(FHandle, table.Get()));
  DWORD noteID = 0;
  for (BOOL first = TRUE; IDScan(table.Get(), first, &noteID); first = FALSE)
    collection->AddDocumentId(static_cast<int32_t>(noteID), "");
  return collection;
}
