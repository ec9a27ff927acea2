// Notes: create, open, close, update, delete, header members.
#include <cstring>

#include "acl/Access.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "note/Note.h"
#include "note/NoteAccess.h"
#include "note/NoteWriter.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"

using notesrt::EStatus;
using notesrt::TAccess;
using notesrt::TDatabase;
using notesrt::TDbHandle;
using notesrt::THandleTable;
using notesrt::TNote;
using notesrt::TNoteHeader;
using notesrt::TNoteNames;

namespace {

TNote& NoteOf(NOTEHANDLE Handle) {
  return THandleTable::Instance().Get<TNote>(Handle);
}

// Design notes open like documents; IDs of deleted notes and unknown IDs do not.
STATUS OpenById(DBHANDLE DbHandle, NOTEID Id, NOTEHANDLE* Result) {
  if (!Result) return ERR_MISC_INVALID_ARGS;
  std::shared_ptr<TDatabase> database = TDbHandle::DatabaseOf(DbHandle);
  std::string blob;
  std::vector<notesrt::TItemView> items;
  TNoteHeader header = database->LoadForOpen(Id, blob, items);
  if (const TAccess* access = TAccess::Of(DbHandle))
    access->CheckRead(header.Class, TNoteNames::Of(items));
  auto note = std::make_unique<TNote>(std::move(database), DbHandle, std::move(header));
  note->Load(std::move(blob), items);
  *Result = THandleTable::Instance().Add(std::move(note));
  return NOERROR;
}

void CheckDelete(DBHANDLE DbHandle, NOTEID Id) {
  const TAccess* access = TAccess::Of(DbHandle);
  if (!access) return;
  TDatabase& database = *TDbHandle::DatabaseOf(DbHandle);
  std::optional<notesrt::TNoteRow> row = database.Notes().Row(Id);
  if (!row || row->Deleted) return;
  notesrt::TStoredNote stored = database.Notes().Load(Id);
  access->CheckDelete(stored.Header.Class, TNoteNames::Of(stored.Items));
}

template <class T>
void Put(void* Target, const T& Value) {
  std::memcpy(Target, &Value, sizeof Value);
}

template <class T>
T Take(const void* Source) {
  T value{};
  if (Source) std::memcpy(&value, Source, sizeof value);
  return value;
}

void GetMember(const TNote& Note, WORD Member, void* Value) {
  const TNoteHeader& header = Note.Header();
  switch (Member) {
    case _NOTE_DB:
      return Put(Value, Note.DbHandle());
    case _NOTE_ID:
      return Put(Value, header.Id);
    case _NOTE_OID:
      return Put(Value, header.Oid);
    case _NOTE_CLASS:
      return Put(Value, header.Class);
    case _NOTE_MODIFIED:
      return Put(Value, header.Modified);
    case _NOTE_FLAGS:
      return Put(Value, header.Flags);
    case _NOTE_ACCESSED:
      return Put(Value, header.Accessed);
    case _NOTE_PARENT_NOTEID:
      return Put(Value, header.Parent);
    case _NOTE_ADDED_TO_FILE:
      return Put(Value, header.Added);
    default:
      return;
  }
}

// _NOTE_DB moves the note to another open database; a handle that names none is ignored.
void SetMember(TNote& Note, WORD Member, const void* Value) {
  TNoteHeader& header = Note.Header();
  switch (Member) {
    case _NOTE_DB: {
      auto handle = Take<DBHANDLE>(Value);
      return Note.Retarget(handle, TDbHandle::DatabaseOf(handle));
    }
    case _NOTE_ID:
      header.Id = Take<NOTEID>(Value);
      return;
    case _NOTE_OID:
      header.Oid = Take<ORIGINATORID>(Value);
      return;
    case _NOTE_CLASS:
      header.Class = Take<WORD>(Value);
      return;
    case _NOTE_MODIFIED:
      header.Modified = Take<TIMEDATE>(Value);
      return;
    case _NOTE_FLAGS:
      header.Flags = Take<WORD>(Value);
      return;
    case _NOTE_ACCESSED:
      header.Accessed = Take<TIMEDATE>(Value);
      return;
    default:
      return;
  }
}

}  // namespace

// The new note has its UNID at once and note ID 0 until its first update.
STATUS LNPUBLIC NSFNoteCreate(DBHANDLE db_handle, NOTEHANDLE* note_handle) {
  if (note_handle) *note_handle = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!note_handle) return ERR_MISC_INVALID_ARGS;
    TNoteHeader header;
    header.Oid = TDbHandle::DatabaseOf(db_handle)->NewOid();
    header.Class = NOTE_CLASS_DOCUMENT;
    *note_handle = THandleTable::Instance().Add(
        std::make_unique<TNote>(TDbHandle::DatabaseOf(db_handle), db_handle, header));
    return NOERROR;
  });
}

// Every item is read into memory whatever the flags ask: a note opened with OPEN_SUMMARY and
// then updated keeps all its items.
STATUS LNPUBLIC NSFNoteOpen(DBHANDLE db_handle, NOTEID note_id, WORD, NOTEHANDLE* note_handle) {
  if (note_handle) *note_handle = NULLHANDLE;
  return notesrt::ApiStatusCall([&] { return OpenById(db_handle, note_id, note_handle); });
}

STATUS LNPUBLIC NSFNoteOpenByUNID(DBHANDLE hDB, UNIVERSALNOTEID* pUNID, WORD,
                                  NOTEHANDLE* rethNote) {
  if (rethNote) *rethNote = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!pUNID) return ERR_MISC_INVALID_ARGS;
    NOTEID id = TDbHandle::DatabaseOf(hDB)->Notes().IdOfUnid(*pUNID);
    if (id == 0) return ERR_NOT_FOUND;
    return OpenById(hDB, id, rethNote);
  });
}

STATUS LNPUBLIC NSFNoteClose(NOTEHANDLE note_handle) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    return THandleTable::Instance().Remove(note_handle, TNote::KindId) ? NOERROR
                                                                       : ERR_NOTESRT_INVALID_HANDLE;
  });
}

// Always committed at once: UPDATE_NOCOMMIT would only have spared a flush, and a save that a
// crash can lose is worth less than the flush.
STATUS LNPUBLIC NSFNoteUpdate(NOTEHANDLE note_handle, WORD) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = NoteOf(note_handle);
    notesrt::CheckSave(note);
    notesrt::SaveNote(note);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFNoteDelete(DBHANDLE db_handle, NOTEID note_id, WORD update_flags) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    CheckDelete(db_handle, note_id);
    TDbHandle::DatabaseOf(db_handle)->DeleteNote(note_id, (update_flags & UPDATE_NOSTUB) != 0);
    return NOERROR;
  });
}

void LNPUBLIC NSFNoteGetInfo(NOTEHANDLE note_handle, WORD note_member, void* value_ptr) {
  notesrt::ApiVoidCall([&] {
    TNote* note = THandleTable::Instance().Find<TNote>(note_handle);
    if (note && value_ptr) GetMember(*note, note_member, value_ptr);
  });
}

// A null value clears the member (for _NOTE_ID: the next update creates a new note).
void LNPUBLIC NSFNoteSetInfo(NOTEHANDLE note_handle, WORD note_member, void* value_ptr) {
  notesrt::ApiVoidCall([&] {
    TNote* note = THandleTable::Instance().Find<TNote>(note_handle);
    if (note) SetMember(*note, note_member, value_ptr);
  });
}
