#pragma once

#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "views/design/DesignBuilder.h"

namespace notesrt {

class TDatabase;

// The folder operations of foldman.h on one database. Names are LMBCS; "\" separates the
// levels of a cascaded folder. Every operation is one transaction: it happens whole or not at
// all. Another user's private folder is ERR_VIEW_NOACCESS, a view ERR_NOTESRT_NOT_FOLDER.
class TFolders {
 public:
  explicit TFolders(std::shared_ptr<TDatabase> Database) : FDatabase(std::move(Database)) {}

  // Missing parent levels are made as folders of the same kind. Format gives the columns.
  NOTEID Create(std::string_view Name, bool Private, const design::TViewSpec& Format);
  // The design, the membership and the sub-folders; returns the copy of Folder itself.
  NOTEID Copy(NOTEID Folder, std::string_view Name);
  // Name replaces the whole title; sub-folders follow.
  void Rename(NOTEID Folder, std::string_view Name);
  // Below Parent (0: to the top), keeping the last level of the name and the alias.
  void Move(NOTEID Folder, NOTEID Parent);
  void Delete(NOTEID Folder);
  // Only documents; one that is not rejects the whole call before anything changes.
  void AddDocuments(NOTEID Folder, const std::set<NOTEID>& Ids);
  void RemoveDocuments(NOTEID Folder, const std::set<NOTEID>& Ids);
  void RemoveAll(NOTEID Folder);

  // Whether Folder, which the current user sees, is a private one.
  bool IsPrivate(NOTEID Folder);

  // The columns and settings of a view or folder, to format a new folder by.
  design::TViewSpec SpecOf(NOTEID View);
  // The columns of a folder made without a format.
  static design::TViewSpec DefaultSpec();

 private:
  // The title of a folder the current user may change.
  std::string FolderTitle(NOTEID Folder);
  struct TFolderInfo {
    std::string Title;
    bool Private = false;
  };
  TFolderInfo FolderInfo(NOTEID Folder);
  void CheckFree(std::string_view Name, NOTEID Except);
  void Retitle(NOTEID Folder, const std::string& Title);
  void SetTitle(NOTEID Note, const std::string& Title);
  NOTEID CopyOne(NOTEID Folder, const std::string& Title);

  std::shared_ptr<TDatabase> FDatabase;
};

// A folder name as the API passes it: LMBCS, Length MAXWORD for NUL-terminated. Raises
// ERR_NOTESRT_FOLDER_NAME for an empty level or a level over DESIGN_FOLDER_MAX_NAME bytes.
std::string FolderName(const char* Name, WORD Length);

}  // namespace notesrt
