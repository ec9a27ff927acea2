// The file attachments of TNotesDocument.
#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesFileObject.h"
#include "NotesLock.h"
#include "NotesUpperCase.h"
#include "SysUtils.h"
#include "TNotesAttachment.h"
#include "TNotesDocument.h"

namespace {

// The attachment's name as its "$FILE" item stores it, in full; the mail function's copy is
// cut at MAXPATH, so it serves only when the item cannot be read.
std::string StoredAttachmentName(NOTEHANDLE Note, BLOCKID ItemBID, const char* ListedName) {
  BLOCKID valueBID{};
  DWORD valueLength = 0;
  NSFItemQuery(Note, ItemBID, nullptr, 0, nullptr, nullptr, nullptr, &valueBID, &valueLength);
  TFileObjectInfo info;
  if (!ISNULLBLOCKID(valueBID)) {
    TNotesLock lock(valueBID);
    if (lock.Data() != nullptr && ReadFileObject(lock.Data(), valueLength, info))
      return info.FileName;
  }
  return ListedName;
}

}  // namespace

void TNotesDocument::ListAttachments() {
  FAttachments.Clear();
  for (WORD index = 0; index < MAXWORD; ++index) {
    BLOCKID itemBID{};
    char listedName[MAXPATH + 1] = {};
    if (!MailGetMessageAttachmentInfo(NoteHandle(), index, &itemBID, listedName, nullptr, nullptr,
                                      nullptr, nullptr, nullptr))
      break;
    const std::string name = Lmbcs2Native(StoredAttachmentName(NoteHandle(), itemBID, listedName));
    if (!name.empty())
      FAttachments.AddObject(NotesUpperCase(name), new TNotesAttachment(itemBID, name));
  }
}

const TNotesAttachment& TNotesDocument::AttachmentAt(int Index) const {
  if (Index < 0 || Index >= FAttachments.Count())
    throw ELotusNotes(-1, "There is no attachment " + IntToStr(Index));
  return *static_cast<const TNotesAttachment*>(FAttachments.Objects(Index));
}

int TNotesDocument::FindAttachment(const std::string& FileName) const {
  const std::string upper = NotesUpperCase(FileName);
  for (int i = 0; i < FAttachments.Count(); ++i)
    if (FAttachments.Strings(i) == upper) return i;
  return -1;
}

void TNotesDocument::Attach(const std::string& FileName) {
  if (!FileExists(FileName))
    throw ELotusNotes(0, "File to be attached does not exist: " + FileName);
  std::string path = Native2Lmbcs(FileName);
  std::string name = Native2Lmbcs(ExtractFileName(FileName));
  CheckNotesStatus(MailAddMessageAttachment(NoteHandle(), path.data(), name.data()));
  ItemsChanged();
}

void TNotesDocument::Detach(int Index, const std::string& FileName) const {
  const TNotesAttachment& attachment = AttachmentAt(Index);
  std::string target = FileName;
  if (target.empty()) {
    // The name came with the mail: only its last part is used, and never to leave the
    // current directory.
    target = SafeAttachmentFileName(attachment.FileName);
    if (target.empty())
      throw ELotusNotes(-1, "The attachment's name is no usable file name: " + attachment.FileName);
  }
  std::string path = Native2Lmbcs(target);
  CheckNotesStatus(MailExtractMessageAttachment(NoteHandle(), attachment.ItemBID, path.data()));
}

void TNotesDocument::DeleteAttachment(int Index) {
  if (Index < 0 || Index >= FAttachments.Count()) return;
  CheckNotesStatus(NSFNoteDetachFile(NoteHandle(), AttachmentAt(Index).ItemBID));
  FAttachments.Delete(Index);
  ItemsChanged();
}
