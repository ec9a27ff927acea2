#include "TNotesView.h"

#include <cstring>
#include <typeinfo>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "TNotesDatabase.h"
#include "TNotesFolder.h"
#include "TNotesViewCollection.h"
#include "notesapi/nif.h"

namespace {

// The buffer Notes' own callers read design flags into; flags are a few letters.
constexpr WORD FlagsBufferSize = 30;

// Shared design first, then the current user's private one.
STATUS FindDesignNote(DBHANDLE Database, const std::string& Name, NOTEID& NoteID) {
  const std::string name = Native2Lmbcs(Name);
  STATUS status = NIFFindDesignNote(Database, name.c_str(), NOTE_CLASS_VIEW, &NoteID);
  if (status != NOERROR)
    status = NIFFindPrivateDesignNote(Database, name.c_str(), NOTE_CLASS_VIEW, &NoteID);
  return status;
}

}  // namespace

TNotesView::TNotesView(TNotesDatabase& Database, const std::string& ViewName)
    : TNotesView(Database, ViewName, TUnloaded{}) {
  Load();
}

TNotesView::TNotesView(TNotesDatabase& Database, const std::string& ViewName, TUnloaded)
    : TNotesDocumentCollection(Database), FName(ViewName) {}

std::unique_ptr<TNotesView> TNotesView::CreateUnloaded(TNotesDatabase& Database,
                                                       const std::string& ViewName) {
  return std::unique_ptr<TNotesView>(new TNotesView(Database, ViewName, TUnloaded{}));
}

std::unique_ptr<TNotesView> TNotesView::OpenView(TNotesDatabase& Database,
                                                 const std::string& ViewName) {
  return OpenView(Database, ViewName, GetViewID(Database, ViewName));
}

std::unique_ptr<TNotesView> TNotesView::OpenView(TNotesDatabase& Database,
                                                 const std::string& ViewName, NOTEID ViewNoteID) {
  std::unique_ptr<TNotesView> view;
  if (LoadFlags(Database, ViewNoteID).find('F') == std::string::npos)
    view = CreateUnloaded(Database, ViewName);
  else
    view = TNotesFolder::CreateUnloaded(Database, ViewName);
  view->LoadByID(ViewNoteID);
  return view;
}

NOTEID TNotesView::GetViewID(TNotesDatabase& Database, const std::string& ViewName) {
  NOTEID noteID = 0;
  STATUS status = FindDesignNote(Database.Handle(), ViewName, noteID);
  const size_t bar = ViewName.rfind('|');
  if (status != NOERROR && bar != std::string::npos)
    status = FindDesignNote(Database.Handle(), ViewName.substr(bar + 1), noteID);
  CheckNotesStatus(status);
  return noteID;
}

std::string TNotesView::LoadFlags(TNotesDatabase& Database, NOTEID ViewNoteID) {
  TNoteHandle note;
  CheckNotesStatus(
      NSFNoteOpen(Database.Handle(), ViewNoteID, OPEN_NOVERIFYDEFAULT, note.Receive()));
  char flags[FlagsBufferSize + 1] = {};
  NSFItemGetText(note.Get(), "$Flags", flags, FlagsBufferSize);
  return Lmbcs2Native(std::string(flags, strnlen(flags, FlagsBufferSize)));
}

void TNotesView::Load() {
  LoadByID(GetViewID(Database(), FName));
}

void TNotesView::LoadByID(NOTEID ViewNoteID) {
  FViewNoteID = ViewNoteID;
  FFlags = LoadFlags(Database(), ViewNoteID);
  if (!GetIsFolder() && typeid(*this) == typeid(TNotesFolder))
    throw ELnInvalidFolder(0, "Attempting to open view " + FName + " as a folder");
  TNotesViewCollection collection(Database().Handle(), ViewNoteID);
  collection.ReadAll(*this);
  CheckNotesStatus(collection.Close());
}

STATUS TNotesView::Update() {
  TNotesViewCollection collection(Database().Handle(), FViewNoteID);
  collection.Update();
  Clear();
  LoadByID(FViewNoteID);
  return collection.Close();
}

bool TNotesView::GetIsFolder() const {
  return FFlags.find('F') != std::string::npos;
}

bool TNotesView::GetIsShared() const {
  return FFlags.find('V') == std::string::npos;
}

ORIGINATORID TNotesView::GetOriginatorID() const {
  ORIGINATORID oid{};
  TIMEDATE modified{};
  WORD noteClass = 0;
  CheckNotesStatus(NSFDbGetNoteInfo(Database().Handle(), FViewNoteID, &oid, &modified, &noteClass));
  return oid;
}

UNIVERSALNOTEID TNotesView::GetUniversalID() const {
  const ORIGINATORID oid = GetOriginatorID();
  UNIVERSALNOTEID unid{};
  std::memcpy(&unid, &oid, sizeof(unid));
  return unid;
}
