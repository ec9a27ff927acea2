#include "TNotesFolder.h"

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "notesapi/foldman.h"

namespace {

// A folder name crossing to Notes in LMBCS, with its length as the folder functions take it.
class TFolderName {
 public:
  explicit TFolderName(const std::string& Name) : FText(Native2Lmbcs(Name)) {
    if (FText.size() > MAXWORD) throw ELotusNotes(-1, "The folder name is too long: " + Name);
  }
  char* Text() { return FText.data(); }
  WORD Length() const { return static_cast<WORD>(FText.size()); }

 private:
  std::string FText;
};

}  // namespace

TNotesFolder::TNotesFolder(TNotesDatabase& Database, const std::string& FolderName)
    : TNotesFolder(Database, FolderName, TUnloaded{}) {
  Load();
}

TNotesFolder::TNotesFolder(TNotesDatabase& Database, const std::string& FolderName, TUnloaded)
    : TNotesView(Database, FolderName, TUnloaded{}) {}

TNotesFolder::TNotesFolder(TNotesDatabase& Database, const std::string& FolderName, bool Shared,
                           const TNotesView* FormatFolder)
    : TNotesFolder(Database, FolderName, TUnloaded{}) {
  FFlags = Shared ? "F" : "FV";
  TFolderName name(FolderName);
  CheckNotesStatus(FolderCreate(
      Database.Handle(), NULLHANDLE, FormatFolder ? FormatFolder->ViewNoteID() : 0,
      FormatFolder ? FormatFolder->Database().Handle() : NULLHANDLE, name.Text(), name.Length(),
      Shared ? DESIGN_TYPE_SHARED : DESIGN_TYPE_PRIVATE_DATABASE, 0, &FViewNoteID));
  Database.UpdateViews();
}

std::unique_ptr<TNotesFolder> TNotesFolder::CreateUnloaded(TNotesDatabase& Database,
                                                           const std::string& FolderName) {
  return std::unique_ptr<TNotesFolder>(new TNotesFolder(Database, FolderName, TUnloaded{}));
}

void TNotesFolder::ChangeDocuments(TFolderDocFunction Change,
                                   const std::vector<const TNotesDocument*>& Documents) {
  TIdTableHandle table;
  CheckNotesStatus(IDCreateTable(sizeof(NOTEID), table.Receive()));
  for (const TNotesDocument* document : Documents)
    CheckNotesStatus(IDInsert(table.Get(), document->NoteID(), nullptr));
  CheckNotesStatus(Change(Database().Handle(), NULLHANDLE, FViewNoteID, table.Get(), 0));
}

void TNotesFolder::AddDocument(const TNotesDocument& Document) {
  AddDocuments({&Document});
}

void TNotesFolder::AddDocuments(const std::vector<const TNotesDocument*>& Documents) {
  ChangeDocuments(FolderDocAdd, Documents);
}

void TNotesFolder::DeleteDocument(const TNotesDocument& Document) {
  DeleteDocuments({&Document});
}

void TNotesFolder::DeleteDocuments(const std::vector<const TNotesDocument*>& Documents) {
  ChangeDocuments(FolderDocRemove, Documents);
}

void TNotesFolder::RemoveDocuments() {
  CheckNotesStatus(FolderDocRemoveAll(Database().Handle(), NULLHANDLE, FViewNoteID, 0));
}

std::unique_ptr<TNotesFolder> TNotesFolder::Copy(const std::string& NewName) {
  TFolderName name(NewName);
  NOTEID copyID = 0;
  CheckNotesStatus(FolderCopy(Database().Handle(), NULLHANDLE, FViewNoteID, name.Text(),
                              name.Length(), 0, &copyID));
  Database().UpdateViews();
  return std::make_unique<TNotesFolder>(Database(), NewName);
}

void TNotesFolder::Delete() {
  CheckNotesStatus(FolderDelete(Database().Handle(), NULLHANDLE, FViewNoteID, 0));
  Database().UpdateViews();
}

void TNotesFolder::Move(const TNotesFolder& NewParent) {
  CheckNotesStatus(FolderMove(Database().Handle(), NULLHANDLE, FViewNoteID, NULLHANDLE,
                              NewParent.ViewNoteID(), 0));
  Database().UpdateViews();
}

void TNotesFolder::SetName(const std::string& NewName) {
  if (NewName == FName) return;
  TFolderName name(NewName);
  CheckNotesStatus(
      FolderRename(Database().Handle(), NULLHANDLE, FViewNoteID, name.Text(), name.Length(), 0));
  FName = NewName;
  Database().UpdateViews();
}
