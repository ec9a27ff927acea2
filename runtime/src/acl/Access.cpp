#include "acl/Access.h"

#include "acl/ReaderIndex.h"
#include "core/EStatus.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "storage/TextValues.h"
#include "text/DistinguishedName.h"
#include "text/TextFold.h"
#include "text/TextTrim.h"

namespace notesrt {

namespace {

bool IsDocument(WORD NoteClass) {
  return NoteClass == NOTE_CLASS_DOCUMENT;
}

void Refuse() {
  throw EStatus(ERR_NOACCESS);
}

}  // namespace

std::string NameKey(std::string_view Lmbcs) {
  std::string_view name = TrimBlanks(Lmbcs);
  try {
    return FoldLmbcs(TDistinguishedName(name).Canonical());
  } catch (const EStatus&) {
    return FoldLmbcs(name);
  }
}

void TNoteNames::Add(WORD Flags, WORD Type, std::string_view Value) {
  bool readers = (Flags & ITEM_READERS) != 0;
  bool authors = (Flags & ITEM_READWRITERS) != 0;
  if (!readers && !authors) return;
  HasReaders = HasReaders || readers;
  for (std::string_view name :
       TextValuesOf(Type, Value).value_or(std::vector<std::string_view>{})) {
    if (TrimBlanks(name).empty()) continue;
    std::string key = NameKey(name);
    if (authors) Authors.push_back(key);
    Readers.push_back(std::move(key));
  }
}

bool TVisibility::Shows(NOTEID Id, WORD NoteClass) const {
  if (!IsDocument(NoteClass)) return true;
  return FDocuments && !FHidden.count(Id);
}

TAccess::TAccess(WORD Level, WORD Flags, std::vector<std::string> Names, bool Server)
    : FLevel(Level), FFlags(Flags), FNames(Names.begin(), Names.end()), FServer(Server) {}

bool TAccess::Names(const std::vector<std::string>& Keys) const {
  for (const std::string& key : Keys)
    if (FNames.count(key)) return true;
  return false;
}

bool TAccess::MayRead(WORD NoteClass, const TNoteNames& Note) const {
  if (FServer || !IsDocument(NoteClass)) return true;
  return FLevel >= ACL_LEVEL_READER && (!Note.HasReaders || Names(Note.Readers));
}

void TAccess::CheckRead(WORD NoteClass, const TNoteNames& Note) const {
  if (!MayRead(NoteClass, Note)) Refuse();
}

void TAccess::CheckCreate(WORD NoteClass) const {
  if (!IsDocument(NoteClass)) {
    if (FLevel < ACL_LEVEL_DESIGNER) Refuse();
    return;
  }
  if (FLevel == ACL_LEVEL_READER) Refuse();
  if (FLevel == ACL_LEVEL_AUTHOR && (FFlags & ACL_FLAG_AUTHOR_NOCREATE)) Refuse();
}

// An Author changes only the documents whose Authors items name them; nobody changes a
// document they cannot read.
bool TAccess::MayChange(WORD NoteClass, const TNoteNames& Stored) const {
  if (!IsDocument(NoteClass)) return FLevel >= ACL_LEVEL_DESIGNER;
  if (!MayRead(NoteClass, Stored)) return false;
  if (FLevel >= ACL_LEVEL_EDITOR) return true;
  return FLevel == ACL_LEVEL_AUTHOR && Names(Stored.Authors);
}

void TAccess::CheckUpdate(WORD NoteClass, const TNoteNames& Stored) const {
  if (!MayChange(NoteClass, Stored)) Refuse();
}

void TAccess::CheckDelete(WORD NoteClass, const TNoteNames& Stored) const {
  if (IsDocument(NoteClass) && (FFlags & ACL_FLAG_NODELETE)) Refuse();
  CheckUpdate(NoteClass, Stored);
}

void TAccess::CheckStoreAcl() const {
  if (FLevel < ACL_LEVEL_MANAGER) Refuse();
}

// Designers make any folder; an Editor a shared one with "create shared folders", anyone who
// reads a private one with "create personal folders".
void TAccess::CheckCreateFolder(bool Private) const {
  if (FLevel >= ACL_LEVEL_DESIGNER) return;
  bool shared = FLevel >= ACL_LEVEL_EDITOR && (FFlags & ACL_FLAG_CREATE_FOLDER);
  bool personal = FLevel >= ACL_LEVEL_READER && (FFlags & ACL_FLAG_CREATE_PRFOLDER);
  if (!(Private ? personal || shared : shared)) Refuse();
}

// A private folder is its owner's to fill; a shared one takes documents from Authors up.
void TAccess::CheckFolderContents(bool Private) const {
  if (FLevel < (Private ? ACL_LEVEL_READER : ACL_LEVEL_AUTHOR)) Refuse();
}

TVisibility TAccess::VisibilityIn(TDatabase& Database) const {
  if (FServer) return TVisibility(true, {});
  if (FLevel < ACL_LEVEL_READER) return TVisibility(false, {});
  std::unordered_set<NOTEID> hidden;
  TReaderIndex(Database.File()).ForEach([&](NOTEID Id, const std::vector<std::string>& Keys) {
    if (!Names(Keys)) hidden.insert(Id);
  });
  return TVisibility(true, std::move(hidden));
}

void TAccess::RemoveHidden(TDatabase& Database, std::vector<NOTEID>& Ids) const {
  TVisibility visibility = VisibilityIn(Database);
  std::erase_if(Ids, [&](NOTEID Id) { return !visibility.Shows(Id, NOTE_CLASS_DOCUMENT); });
}

const TAccess* TAccess::Of(DBHANDLE Handle) {
  return Of(TDbHandle::AccessOf(Handle));
}

const TAccess* TAccess::Of(const std::shared_ptr<const IDbAccess>& Access) {
  return dynamic_cast<const TAccess*>(Access.get());
}

}  // namespace notesrt
