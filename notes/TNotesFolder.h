#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TNotesView.h"

class TNotesDocument;

// A view whose design note is a folder: its documents are those put into it. Creating, copying,
// renaming, moving and deleting folders and adding and removing documents refresh the database's
// list of views; the folder objects the database handed out stay valid until it closes.
class TNotesFolder : public TNotesView {
 public:
  // Reads the entries of the folder FolderName; a view of that name raises ELnInvalidFolder.
  TNotesFolder(TNotesDatabase& Database, const std::string& FolderName);
  // Creates the folder FolderName ("Parent\Child" for a folder inside another), shared with
  // every user or private to the current one, with the columns of FormatFolder when given. The
  // new folder holds no entries.
  TNotesFolder(TNotesDatabase& Database, const std::string& FolderName, bool Shared,
               const TNotesView* FormatFolder);
  static std::unique_ptr<TNotesFolder> CreateUnloaded(TNotesDatabase& Database,
                                                      const std::string& FolderName);

  // The documents must be saved ones of this folder's database; an unsaved document or one
  // that is no document fails the whole call before the folder changes. The objects read
  // before stay as they are until Update.
  void AddDocument(const TNotesDocument& Document);
  void AddDocuments(const std::vector<const TNotesDocument*>& Documents);
  // Takes the documents out of the folder; they stay in the database.
  void DeleteDocument(const TNotesDocument& Document);
  void DeleteDocuments(const std::vector<const TNotesDocument*>& Documents);
  // Empties the folder.
  void RemoveDocuments();

  // A copy of the folder with its documents under NewName, read and owned by the caller.
  std::unique_ptr<TNotesFolder> Copy(const std::string& NewName);
  // Deletes the folder (and the folders inside it) from the database, not its documents. This
  // object stays and must still be freed by its owner.
  void Delete();
  // Puts the folder inside NewParent.
  void Move(const TNotesFolder& NewParent);
  // Renames the folder; the same name (case included) changes nothing.
  void SetName(const std::string& NewName);

 private:
  TNotesFolder(TNotesDatabase& Database, const std::string& FolderName, TUnloaded);
  using TFolderDocFunction = STATUS (*)(DBHANDLE, DBHANDLE, NOTEID, DHANDLE, DWORD);
  void ChangeDocuments(TFolderDocFunction Change,
                       const std::vector<const TNotesDocument*>& Documents);
};
