#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "storage/ItemCodec.h"
#include "storage/StoredNote.h"

namespace notesrt {

class TDbFile;
class TSqlQuery;

// What a note row says about a note without its items.
struct TNoteRow {
  TNoteHeader Header;
  bool Deleted = false;
};

// Every read of note rows starts with this statement text (then its WHERE clause) and reads the
// row with ReadNoteRow; the items blob is column NoteItemsColumn.
inline constexpr char NoteRowSelect[] =
    "SELECT note_id, class, flags, unid, seq, seq_time, modified, accessed, added, parent_id, "
    "deleted, profile_name, profile_user, items FROM notes ";
inline constexpr int NoteItemsColumn = 13;
TNoteRow ReadNoteRow(const TSqlQuery& Query);
// Only the first seven columns (note_id, class, flags, unid, seq, seq_time, modified), for reads
// of many notes that need no more of the header.
void ReadNoteIdentity(const TSqlQuery& Query, TNoteHeader& Header);

// The notes of one database file, each one row with its items.
class TNoteStore {
 public:
  explicit TNoteStore(TDbFile& File) : FFile(File) {}

  std::optional<TNoteRow> Row(NOTEID Id);
  // The note with its items; ERR_INVALID_NOTE when unknown, ERR_NOTE_DELETED for a stub.
  TStoredNote Load(NOTEID Id);
  // As Load, with the items as views into Blob, which the caller keeps while it uses them: opening
  // a note then copies each value once.
  TNoteHeader Load(NOTEID Id, std::string& Blob, std::vector<TItemView>& Items);
  // Only the items (as Load).
  std::vector<TStoredItem> Items(NOTEID Id);
  // 0 when no note (nor stub) has that UNID.
  NOTEID IdOfUnid(const UNIVERSALNOTEID& Unid);
  // The live note of a profile key; 0 when there is none.
  NOTEID IdOfProfile(std::string_view Name, std::string_view User);
  // Every note that is not a deletion stub, in note ID order.
  std::vector<TNoteHeader> List();
  // The documents a user can read (no design notes, stubs or profiles); with AddedAfter, only
  // those added after that change counter value.
  std::set<NOTEID> Documents(int64_t AddedAfter = -1);

  // Inside a write: adds the note (IsNew; a taken ID fails) or replaces the row and items of
  // Note.Header.Id. Counter is the database's change counter of this write; a new row records
  // it as the time it was added.
  void Store(const TStoredNote& Note, int64_t Counter, bool IsNew);
  // Inside a write: leaves a stub (or nothing when NoStub) in place of the note.
  void Delete(NOTEID Id, const TIMEDATE& Now, int64_t Counter, bool NoStub);

 private:
  TDbFile& FFile;
};

}  // namespace notesrt
