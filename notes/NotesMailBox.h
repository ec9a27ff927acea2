#pragma once

#include <optional>
#include <string>

#include "NotesApi.h"
#include "NotesHandle.h"

// The router mailbox that sent mail is deposited in, shared by sending and by completing sends
// that were stopped half-way.

using TMailBoxHandle = TNotesHandle<NSFDbClose>;

// A kept copy of a sent mail carries this item from before its mail goes into the mailbox
// until the mail is there: the UNID the mail has in the mailbox, as 32 hexadecimal digits.
inline constexpr char PendingDepositItem[] = "$PendingDeposit";

// The router mailbox of the mail server, or the local one when no mail server is set.
TMailBoxHandle OpenMailBox();
// Whether MailBox holds the note Unid (or a deletion stub of it). A mail the router has taken
// out is not there any more: depositing it again delivers nothing twice, since every mail file
// and mailbox it reached records it under that UNID.
bool MailBoxHolds(DBHANDLE MailBox, const UNIVERSALNOTEID& Unid);
// The UNID of the 32 hexadecimal digits of UNIDtoStr; nothing for any other text.
std::optional<UNIVERSALNOTEID> UnidOfText(const std::string& Text);

// Where a note belongs: database, note ID and originator ID.
struct TNotePlace {
  DBHANDLE Database = NULLHANDLE;
  NOTEID NoteID = 0;
  ORIGINATORID Originator{};

  static TNotePlace Of(NOTEHANDLE Note);
  void MoveTo(NOTEHANDLE Note) const;
};

// Writes Note into MailBox as a new note under Originator; on failure the note is put back
// where it was and the failure raised.
void DepositNote(NOTEHANDLE Note, DBHANDLE MailBox, const ORIGINATORID& Originator);
