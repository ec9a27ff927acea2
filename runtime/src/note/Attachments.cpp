#include "note/Attachments.h"

#include <errno.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "core/AtomicFile.h"
#include "core/EStatus.h"
#include "note/FileObject.h"
#include "note/ItemName.h"
#include "note/Note.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "text/TextFold.h"
#include "text/TimeConversion.h"

namespace notesrt {

namespace {

std::string ReadWholeFile(const std::string& Path) {
  std::ifstream file(Path, std::ios::binary);
  if (!file) throw EStatus(ERR_NOEXIST);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw EStatus(ERR_NOTESRT_STORAGE);
  return bytes;
}

STATUS StatusOfWrite(int Error) {
  switch (Error) {
    case ENOSPC:
    case EDQUOT:
      return ERR_NOTESRT_DISK_FULL;
    case ENOENT:
    case ENOTDIR:
      return ERR_NOEXIST;
    case ENAMETOOLONG:
      return ERR_INV_FILE_NAME;
    default:
      return ERR_NOTESRT_STORAGE;
  }
}

TIMEDATE ModifiedTimeOf(const std::string& Path) {
  struct stat info {};
  return stat(Path.c_str(), &info) == 0 ? TimeDateOf(info.st_mtim) : TIMEDATE{};
}

}  // namespace

void AttachFile(TNote& Note, std::string_view ItemName, std::string_view DiskPath,
                std::string_view StoredName, const TAttachOptions& Options) {
  std::string path = LmbcsToUtf8(DiskPath);
  auto bytes = std::make_shared<const std::string>(ReadWholeFile(path));
  if (bytes->size() > MAXDWORD) throw EStatus(ERR_NOTESRT_TOO_BIG);
  TFileObject object;
  object.Header.Header.ObjectType = OBJECT_FILE;
  object.Header.HostType = Options.Host;
  object.Header.CompressionType = Options.Compression;
  object.Header.Flags = Options.FileFlags;
  object.Header.FileSize = static_cast<DWORD>(bytes->size());
  object.Header.FileCreated = object.Header.FileModified = ModifiedTimeOf(path);
  object.Name = StoredName;
  TNoteItem& item =
      Note.Append(ItemName, Options.ItemFlags, TYPE_OBJECT, object.Serialize(), CurrentTimeDate());
  item.Object = TObjectRef{Note.SharedDatabase(), 0, std::move(bytes)};
}

TNoteItem& AttachmentItem(TNote& Note, const BLOCKID& Item) {
  TNoteItem* item = Note.FindByBlock(Item);
  if (!item) throw EStatus(ERR_ITEM_NOT_FOUND);
  if (item->Type != TYPE_OBJECT || !item->Object) throw EStatus(ERR_INVALID_ITEMUNK);
  return *item;
}

void ExtractFile(TNote& Note, const BLOCKID& Item, std::string_view Target) {
  const TObjectRef& ref = *AttachmentItem(Note, Item).Object;
  std::string bytes = ref.Bytes ? *ref.Bytes : ref.Database->Objects().Read(ref.ObjectId);
  std::string path = LmbcsToUtf8(Target);
  if (path.empty()) throw EStatus(ERR_INV_FILE_NAME);
  if (int error = WriteFileAtomically(path, bytes); error != 0) throw EStatus(StatusOfWrite(error));
}

TNoteItem* NthFileItem(TNote& Note, size_t Index) {
  for (TNoteItem& item : Note.Items()) {
    if (item.Type != TYPE_OBJECT || !SameItemName(item.Name, ITEM_NAME_ATTACHMENT)) continue;
    if (Index-- == 0) return &item;
  }
  return nullptr;
}

}  // namespace notesrt
