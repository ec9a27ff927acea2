#include "note/NoteWriter.h"

#include <cstring>
#include <map>
#include <set>

#include "core/EStatus.h"
#include "note/ItemName.h"
#include "note/Note.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/Oid.h"
#include "storage/StoredValue.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

// The object ID sits after the object type word of an OBJECT_DESCRIPTOR.
constexpr size_t ObjectIdOffset = sizeof(WORD);

struct TPendingSave {
  TStoredNote Stored;
  bool IsNew = false;
  // New object IDs by item position, applied to the items once the write committed.
  std::map<size_t, DWORD> NewObjects;
};

NOTEID ParentOf(TDatabase& Database, const TNote& Note) {
  for (const TNoteItem& item : Note.Items()) {
    if (item.Type != TYPE_NOTEREF_LIST || !SameItemName(item.Name, ITEM_NAME_NOTEREF)) continue;
    std::string_view data = TNote::DataOf(item);
    if (ReadAt<WORD>(data, 0) == 0) return 0;
    auto parent = ReadAt<UNIVERSALNOTEID>(data, sizeof(WORD));
    return Database.Notes().IdOfUnid(parent);
  }
  return 0;
}

// Which note the save writes: the note's own ID, or for ID 0 the note with its UNID (a copy
// coming back) or else a new one.
NOTEID TargetId(TDatabase& Database, const TNoteHeader& Header, bool& IsNew) {
  IsNew = false;
  if (Header.Id != 0) {
    std::optional<TNoteRow> row = Database.Notes().Row(Header.Id);
    if (!row) throw EStatus(ERR_INVALID_NOTE);
    if (row->Deleted) throw EStatus(ERR_NOTE_DELETED);
    return Header.Id;
  }
  if (NOTEID existing = Database.Notes().IdOfUnid(UnidOf(Header.Oid))) return existing;
  IsNew = true;
  return Database.AllocateNoteId();
}

// Keeps an object the note already owns in this database; copies every other one in. A
// descriptor naming no object (copied raw from elsewhere) is stored as it is.
std::optional<DWORD> StoreObject(TDatabase& Database, NOTEID Id, const TObjectRef& Ref,
                                 std::set<DWORD>& Keep) {
  if (!Ref.Bytes && Ref.Database.get() == &Database &&
      Database.Objects().IsOwnedBy(Ref.ObjectId, Id)) {
    Keep.insert(Ref.ObjectId);
    return std::nullopt;
  }
  std::optional<std::string> data = Ref.Bytes ? std::optional<std::string>(*Ref.Bytes)
                                              : Ref.Database->Objects().Find(Ref.ObjectId);
  if (!data) return std::nullopt;
  DWORD objectId = Database.Objects().Add(Id, *data);
  Keep.insert(objectId);
  return objectId;
}

void StoreObjects(TDatabase& Database, const TNote& Note, TPendingSave& Save) {
  std::set<DWORD> keep;
  size_t position = 0;
  for (const TNoteItem& item : Note.Items()) {
    if (item.Object) {
      std::optional<DWORD> stored =
          StoreObject(Database, Save.Stored.Header.Id, *item.Object, keep);
      std::string& value = Save.Stored.Items[position].Value;
      if (stored && value.size() >= ObjectIdOffset + sizeof(DWORD)) {
        std::memcpy(value.data() + ObjectIdOffset, &*stored, sizeof(DWORD));
        Save.NewObjects[position] = *stored;
      }
    }
    ++position;
  }
  Database.Objects().DropUnreferenced(Save.Stored.Header.Id, keep);
}

TPendingSave Prepare(const TNote& Note, const TIMEDATE& Now) {
  TPendingSave save;
  save.Stored.Header = Note.Header();
  for (const TNoteItem& item : Note.Items())
    save.Stored.Items.push_back(TStoredItem{item.Name, item.Flags, item.Type,
                                            std::string(TNote::DataOf(item)), item.Changed});
  TNoteHeader& header = save.Stored.Header;
  header.Oid.Sequence += 1;
  header.Oid.SequenceTime = Now;
  header.Modified = Now;
  header.Accessed = Now;
  return save;
}

void Write(TDatabase& Database, const TNote& Note, TPendingSave& Save, const TIMEDATE& Now) {
  TNoteHeader& header = Save.Stored.Header;
  header.Id = TargetId(Database, header, Save.IsNew);
  if (Save.IsNew) header.Added = Now;
  header.Parent = ParentOf(Database, Note);
  StoreObjects(Database, Note, Save);
  Database.Notes().Store(Save.Stored, Database.BumpCounter(Now), Save.IsNew);
  Database.Observers().NoteStored(Save.Stored);
  bool document = header.Class == NOTE_CLASS_DOCUMENT && header.ProfileName.empty();
  if (Save.IsNew && document) Database.Unread().AddDocument(header.Id);
}

void Apply(TNote& Note, const TPendingSave& Save) {
  Note.Header() = Save.Stored.Header;
  size_t position = 0;
  for (TNoteItem& item : Note.Items()) {
    auto stored = Save.NewObjects.find(position++);
    if (stored == Save.NewObjects.end()) continue;
    item.Object = TObjectRef{Note.SharedDatabase(), stored->second, nullptr};
    std::memcpy(TNote::WritableValue(item) + sizeof(WORD) + ObjectIdOffset, &stored->second,
                sizeof(DWORD));
  }
}

}  // namespace

void SaveNote(TNote& Note) {
  TDatabase& database = Note.Database();
  TIMEDATE now = CurrentTimeDate();
  TPendingSave save = Prepare(Note, now);
  database.Write([&] { Write(database, Note, save, now); });
  Apply(Note, save);
}

}  // namespace notesrt
