// Profile notes: one note per (profile name, user), both compared without regard to case,
// hidden from document searches and unread tables.
#include "acl/Access.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "note/ItemArgs.h"
#include "note/Note.h"
#include "note/NoteAccess.h"
#include "note/NoteWriter.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"

using notesrt::TDatabase;
using notesrt::TNote;

namespace {

struct TProfileKey {
  std::string Name;
  std::string User;
};

TProfileKey KeyOf(const char* Name, WORD NameLength, const char* User, WORD UserLength) {
  if (!Name || NameLength == 0) throw notesrt::EStatus(ERR_MISC_INVALID_ARGS);
  TProfileKey key{notesrt::FoldLmbcs(std::string_view(Name, NameLength)), ""};
  if (User && UserLength > 0) {
    std::string user(User, UserLength);
    key.User = notesrt::FoldLmbcs(notesrt::TDistinguishedName(user).Canonical());
  }
  return key;
}

std::unique_ptr<TNote> NewProfile(DBHANDLE DbHandle, const TProfileKey& Key) {
  notesrt::TNoteHeader header;
  const std::shared_ptr<TDatabase>& database = notesrt::TDbHandle::DatabaseOf(DbHandle);
  header.Oid = database->NewOid();
  header.Class = NOTE_CLASS_DOCUMENT;
  header.ProfileName = Key.Name;
  header.ProfileUser = Key.User;
  return std::make_unique<TNote>(database, DbHandle, header);
}

}  // namespace

// A missing profile is created and stored at once, so that it has a note ID from the start;
// for a user who may not create it, it stays unsaved until NSFProfileUpdate refuses it.
STATUS LNPUBLIC NSFProfileOpen(DBHANDLE hDB, const char* ProfileName, WORD ProfileNameLength,
                               const char* UserName, WORD UserNameLength, BOOL,
                               NOTEHANDLE* rethProfileNote) {
  if (rethProfileNote) *rethProfileNote = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    TProfileKey key = KeyOf(ProfileName, ProfileNameLength, UserName, UserNameLength);
    if (!rethProfileNote) return ERR_MISC_INVALID_ARGS;
    std::unique_ptr<TNote> note;
    if (NOTEID id = database.Notes().IdOfProfile(key.Name, key.User)) {
      notesrt::TStoredNote stored = database.Notes().Load(id);
      if (const notesrt::TAccess* access = notesrt::TAccess::Of(hDB))
        access->CheckRead(stored.Header.Class, notesrt::TNoteNames::Of(stored.Items));
      note = std::make_unique<TNote>(notesrt::TDbHandle::DatabaseOf(hDB), hDB, stored.Header);
      note->Load(stored.Items);
    } else {
      note = NewProfile(hDB, key);
      if (notesrt::MaySave(*note)) notesrt::SaveNote(*note);
    }
    *rethProfileNote = notesrt::THandleTable::Instance().Add(std::move(note));
    return NOERROR;
  });
}

// Saves the note as the profile of that name and user, taking the place of the stored one.
STATUS LNPUBLIC NSFProfileUpdate(NOTEHANDLE hProfile, const char* ProfileName,
                                 WORD ProfileNameLength, const char* UserName,
                                 WORD UserNameLength) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hProfile);
    TProfileKey key = KeyOf(ProfileName, ProfileNameLength, UserName, UserNameLength);
    notesrt::TNoteHeader& header = note.Header();
    NOTEID stored = note.Database().Notes().IdOfProfile(key.Name, key.User);
    if (stored != 0 && stored != header.Id) header.Id = stored;
    header.ProfileName = key.Name;
    header.ProfileUser = key.User;
    notesrt::CheckSave(note);
    notesrt::SaveNote(note);
    return NOERROR;
  });
}
