#pragma once

#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/HandleObject.h"
#include "note/NoteItem.h"
#include "notesapi/notesrt.h"
#include "notesapi/pool.h"
#include "storage/ItemCodec.h"
#include "storage/StoredNote.h"

namespace notesrt {

class IDbAccess;
class TDatabase;

// A note open in memory: its header and items, read from the database on open (the stored bytes
// are kept, and items read their values there until they change) and written back by
// NSFNoteUpdate. It keeps its database alive, so it works on after the database handle
// it came from is closed. Freeing the note frees every memory handle of its items, also those
// of deleted items (kept until then so that a stale BLOCKID never names reused memory).
// FByBlock knows the items whose BLOCKIDs were handed out; the others have none yet.
class TNote : public THandleObject {
 public:
  static constexpr WORD KindId = NOTESRT_HANDLE_NOTE;
  using TItems = std::list<TNoteItem>;

  TNote(std::shared_ptr<TDatabase> Database, DBHANDLE DbHandle, TNoteHeader Header);
  ~TNote() override;
  WORD Kind() const override { return KindId; }

  TNoteHeader& Header() { return FHeader; }
  const TNoteHeader& Header() const { return FHeader; }
  TDatabase& Database() const { return *FDatabase; }
  const std::shared_ptr<TDatabase>& SharedDatabase() const { return FDatabase; }
  DBHANDLE DbHandle() const { return FDbHandle; }
  // What the user of the handle the note came from may do (DbAccess.h); kept with the note,
  // which may be saved after that handle is closed.
  const std::shared_ptr<const IDbAccess>& Access() const { return FAccess; }
  void Retarget(DBHANDLE DbHandle, std::shared_ptr<TDatabase> Database);

  // Raises ERR_NOTESRT_TOO_BIG for a non-composite value over 65,535 bytes.
  TNoteItem& Append(std::string_view Name, WORD Flags, WORD Type, std::string_view Value,
                    const TIMEDATE& Changed);
  void Load(const std::vector<TStoredItem>& Items);
  // Items is a decoding of Stored, which a newly made note keeps: the items read their values there
  // until they change.
  void Load(std::string&& Stored, const std::vector<TItemView>& Items);
  // The first item of Name in note order; without a name, the first item of the note.
  TNoteItem* Find(const std::optional<std::string_view>& Name);
  // The next item after After, of Name or of any name; null when After is not an item of this
  // note (a null or stale BLOCKID) or nothing follows.
  TNoteItem* FindNext(const BLOCKID& After, const std::optional<std::string_view>& Name);
  TNoteItem* FindByBlock(const BLOCKID& Item);
  // The item's BLOCKIDs, its memory blocks made on the first request.
  BLOCKID ItemBlockOf(TNoteItem& Item);
  BLOCKID ValueBlockOf(TNoteItem& Item);
  // Whether Item is still an item of this note: a scan that calls out checks what it kept.
  bool Holds(const TNoteItem* Item, uint64_t Serial) const;
  // Counts the items removed so far, so that a scan checks what it kept only after a removal.
  uint64_t Removals() const { return FRemovals; }
  // Removes every item of Name; false when there was none.
  bool DeleteAll(std::string_view Name);
  void Delete(const TNoteItem& Item);
  // Takes over a memory block the caller handed to the runtime (MailAddRecipientsItem): it is
  // marked runtime-owned, so the caller cannot free it, and freed with the note.
  void Adopt(DHANDLE Block);
  const TItems& Items() const { return FItems; }
  TItems& Items() { return FItems; }

  // The value with its type word, as the value block holds it now.
  static std::string_view ValueOf(TNoteItem& Item);
  // Only the value, without the type word.
  static std::string_view DataOf(const TNoteItem& Item);
  // The value's bytes for changing in place (same size).
  static char* WritableValue(TNoteItem& Item);

 private:
  TNoteItem& Add(std::string_view Name, WORD Flags, WORD Type, std::string_view Value,
                 const TIMEDATE& Changed, bool Copy);
  // Gives a loaded item a value of its own.
  static void Own(TNoteItem& Item);
  // The value with its type word, of an item that has a value of its own.
  static std::string_view OwnValueOf(const TNoteItem& Item);
  void Retire(TItems::iterator Item);
  TItems::iterator PositionOf(const TNoteItem& Item);

  std::shared_ptr<TDatabase> FDatabase;
  DBHANDLE FDbHandle;
  std::shared_ptr<const IDbAccess> FAccess;
  TNoteHeader FHeader;
  std::string FStored;  // what the note was loaded from, if it was
  TItems FItems;
  std::unordered_map<DHANDLE, TItems::iterator> FByBlock;
  std::vector<DHANDLE> FRetired;
  uint64_t FLastSerial = 0;
  uint64_t FRemovals = 0;
};

}  // namespace notesrt
