// File attachments of a note: attach, list, extract, detach.
#include "core/ApiCall.h"
#include "note/Attachments.h"
#include "note/FileObject.h"
#include "note/ItemArgs.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/names.h"
#include "notesapi/nsfnote.h"
#include "text/BufferText.h"

using notesrt::TNote;
using notesrt::TNoteItem;

namespace {}  // namespace

// Stored with the given name part, on this machine's host type and uncompressed.
STATUS LNPUBLIC MailAddMessageAttachment(DHANDLE hMessage, char* FileName, char* OriginalFileName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    if (!FileName || !OriginalFileName) return ERR_MISC_INVALID_ARGS;
    notesrt::AttachFile(note, ITEM_NAME_ATTACHMENT, FileName, OriginalFileName,
                        {0, HOST_LOCAL, COMPRESS_NONE, 0});
    return NOERROR;
  });
}

// Contents are kept uncompressed whatever the encoding asks; host and compression are recorded
// as given so that readers see what the caller set.
STATUS LNPUBLIC NSFNoteAttachFile(NOTEHANDLE note_handle, const char* item_name,
                                  WORD item_name_length, const char* file_name,
                                  const char* orig_path_name, WORD encoding_type) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(note_handle);
    std::optional<std::string_view> name = notesrt::ItemNameArg(item_name, item_name_length);
    if (!name || name->empty() || !file_name || !orig_path_name) return ERR_MISC_INVALID_ARGS;
    WORD fileFlags = (encoding_type & EFLAGS_INDOC) ? FILEFLAG_INDOC : 0;
    notesrt::AttachFile(note, *name, file_name, orig_path_name,
                        {ITEM_SIGN | ITEM_SEAL, static_cast<WORD>(encoding_type & HOST_MASK),
                         static_cast<WORD>(encoding_type & 0x00FF), fileFlags});
    return NOERROR;
  });
}

// The name buffer is MAXPATH bytes, as the callers pass; every output may be null.
BOOL LNPUBLIC MailGetMessageAttachmentInfo(DHANDLE hMessage, WORD Num, BLOCKID* bhItem,
                                           char* FileName, DWORD* FileSize, WORD* FileAttributes,
                                           WORD* FileHostType, TIMEDATE* FileCreated,
                                           TIMEDATE* FileModified) {
  notesrt::CopyToBuffer("", FileName, MAXPATH);
  return notesrt::ApiValueCall<BOOL>(FALSE, [&]() -> BOOL {
    TNote& note = notesrt::NoteOf(hMessage);
    TNoteItem* item = notesrt::NthFileItem(note, Num);
    if (!item) return FALSE;
    auto object = notesrt::TFileObject::Parse(TNote::DataOf(*item));
    if (bhItem) *bhItem = note.ItemBlockOf(*item);
    notesrt::CopyToBuffer(object.Name, FileName, MAXPATH);
    notesrt::SetIfGiven(FileSize, object.Header.FileSize);
    notesrt::SetIfGiven(FileAttributes, object.Header.FileAttributes);
    notesrt::SetIfGiven(FileHostType, object.Header.HostType);
    notesrt::SetIfGiven(FileCreated, object.Header.FileCreated);
    notesrt::SetIfGiven(FileModified, object.Header.FileModified);
    return TRUE;
  });
}

STATUS LNPUBLIC MailExtractMessageAttachment(DHANDLE hMessage, BLOCKID bhItem, char* FileName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hMessage);
    if (!FileName) return ERR_MISC_INVALID_ARGS;
    notesrt::ExtractFile(note, bhItem, FileName);
    return NOERROR;
  });
}

// Encrypted attachments do not exist here, so the key is never needed.
STATUS LNPUBLIC NSFNoteExtractFile(NOTEHANDLE note_handle, BLOCKID item_blockid,
                                   const char* file_name, ENCRYPTION_KEY*) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(note_handle);
    if (!file_name) return ERR_MISC_INVALID_ARGS;
    notesrt::ExtractFile(note, item_blockid, file_name);
    return NOERROR;
  });
}

// The object is freed when the note is next updated; other attachment BLOCKIDs stay valid.
STATUS LNPUBLIC NSFNoteDetachFile(NOTEHANDLE note_handle, BLOCKID item_blockid) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(note_handle);
    note.Delete(notesrt::AttachmentItem(note, item_blockid));
    return NOERROR;
  });
}
