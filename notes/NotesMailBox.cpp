#include "NotesMailBox.h"

#include <cstdio>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "TNotesDatabase.h"

namespace {

const char* const MailBoxName = "MAIL.BOX";

}  // namespace

TMailBoxHandle OpenMailBox() {
  // Both names stay LMBCS from the setting to the open.
  char path[MAXPATH] = {};
  CheckNotesStatus(OSPathNetConstruct("", TNotesDatabase::MailServer().c_str(), MailBoxName, path));
  TMailBoxHandle mailBox;
  const STATUS status = NSFDbOpen(path, mailBox.Receive());
  if (ERR(status) == ERR_NOEXIST && TNotesDatabase::MailServer().empty())
    throw ELotusNotes(ERR(status),
                      "No mail server is set up (setting MailServer) and this machine has no " +
                          std::string(MailBoxName));
  CheckNotesStatus(status);
  if (!mailBox) throw ELotusNotes(-1, "User cancelled Notes session");
  return mailBox;
}

bool MailBoxHolds(DBHANDLE MailBox, const UNIVERSALNOTEID& Unid) {
  UNIVERSALNOTEID unid = Unid;
  NOTEHANDLE note = NULLHANDLE;
  const STATUS status = NSFNoteOpenByUNID(MailBox, &unid, 0, &note);
  if (status == NOERROR) NSFNoteClose(note);
  // A user who may only deposit (MAIL.BOX on a server) is refused the note, which tells that it
  // is there: a missing one is "not found" for everybody.
  if (status == NOERROR || ERR(status) == ERR_NOTE_DELETED || ERR(status) == ERR_NOACCESS)
    return true;
  if (ERR(status) == ERR_NOT_FOUND) return false;
  CheckNotesStatus(status);
  return false;
}

std::optional<UNIVERSALNOTEID> UnidOfText(const std::string& Text) {
  unsigned words[4] = {};
  int length = 0;
  if (Text.size() != 32 ||
      std::sscanf(Text.c_str(), "%8X%8X%8X%8X%n", &words[0], &words[1], &words[2], &words[3],
                  &length) != 4 ||
      length != 32)
    return std::nullopt;
  UNIVERSALNOTEID unid{};
  unid.File[1] = words[0];
  unid.File[0] = words[1];
  unid.Note.Innards[1] = words[2];
  unid.Note.Innards[0] = words[3];
  return unid;
}

TNotePlace TNotePlace::Of(NOTEHANDLE Note) {
  TNotePlace place;
  NSFNoteGetInfo(Note, _NOTE_DB, &place.Database);
  NSFNoteGetInfo(Note, _NOTE_ID, &place.NoteID);
  NSFNoteGetInfo(Note, _NOTE_OID, &place.Originator);
  return place;
}

void TNotePlace::MoveTo(NOTEHANDLE Note) const {
  TNotePlace place = *this;
  NSFNoteSetInfo(Note, _NOTE_DB, &place.Database);
  NSFNoteSetInfo(Note, _NOTE_ID, NoteID == 0 ? nullptr : &place.NoteID);
  NSFNoteSetInfo(Note, _NOTE_OID, &place.Originator);
}

void DepositNote(NOTEHANDLE Note, DBHANDLE MailBox, const ORIGINATORID& Originator) {
  const TNotePlace home = TNotePlace::Of(Note);
  TNotePlace{MailBox, 0, Originator}.MoveTo(Note);
  if (const STATUS status = NSFNoteUpdate(Note, UPDATE_NOCOMMIT); status != NOERROR) {
    home.MoveTo(Note);
    CheckNotesStatus(status);
  }
}
