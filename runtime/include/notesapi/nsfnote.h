/* Notes in memory, their items and file attachments. */
#ifndef NOTESAPI_NSFNOTE_H
#define NOTESAPI_NSFNOTE_H
#include "nsfdata.h"
#include "pool.h"

#define NOTE_CLASS_DOCUMENT 0x0001
#define NOTE_CLASS_DATA NOTE_CLASS_DOCUMENT
#define NOTE_CLASS_INFO 0x0002
#define NOTE_CLASS_FORM 0x0004
#define NOTE_CLASS_VIEW 0x0008
#define NOTE_CLASS_ICON 0x0010
#define NOTE_CLASS_DESIGN 0x0020
#define NOTE_CLASS_ACL 0x0040
#define NOTE_CLASS_HELP_INDEX 0x0080
#define NOTE_CLASS_HELP 0x0100
#define NOTE_CLASS_FILTER 0x0200
#define NOTE_CLASS_FIELD 0x0400
#define NOTE_CLASS_REPLFORMULA 0x0800
#define NOTE_CLASS_PRIVATE 0x1000
#define NOTE_CLASS_DEFAULT 0x8000
#define NOTE_CLASS_NONE 0x0000
#define NOTE_CLASS_ALL 0x7FFF
#define NOTE_CLASS_ALLNONDATA 0x7FFE

#define NOTE_ID_SPECIAL 0xFFFF0000u

#define OPEN_SUMMARY 0x0001
#define OPEN_NOVERIFYDEFAULT 0x0002
#define OPEN_EXPAND 0x0004
#define OPEN_NOOBJECTS 0x0008
#define OPEN_SHARE 0x0020
#define OPEN_CANONICAL 0x0040
#define OPEN_MARK_READ 0x0100
#define OPEN_ABSTRACT 0x0200
#define OPEN_RESPONSE_ID_TABLE 0x1000

#define UPDATE_FORCE 0x0001
#define UPDATE_NAME_KEY_WARNING 0x0002
#define UPDATE_NOCOMMIT 0x0004
#define UPDATE_NOREVISION 0x0100
#define UPDATE_NOSTUB 0x0200
#define UPDATE_INCREMENTAL 0x4000
#define UPDATE_DELETED 0x8000

#define _NOTE_DB 0
#define _NOTE_ID 1
#define _NOTE_OID 2
#define _NOTE_CLASS 3
#define _NOTE_MODIFIED 4
#define _NOTE_PRIVILEGES 5
#define _NOTE_FLAGS 7
#define _NOTE_ACCESSED 8
#define _NOTE_PARENT_NOTEID 10
#define _NOTE_RESPONSE_COUNT 11
#define _NOTE_RESPONSES 12
#define _NOTE_ADDED_TO_FILE 13

#define NOTE_FLAG_READONLY 0x0001
#define NOTE_FLAG_ABSTRACTED 0x0002

#define ITEM_SIGN 0x0001
#define ITEM_SEAL 0x0002
#define ITEM_SUMMARY 0x0004
#define ITEM_READWRITERS 0x0020
#define ITEM_NAMES 0x0040
#define ITEM_PLACEHOLDER 0x0100
#define ITEM_PROTECTED 0x0200
#define ITEM_READERS 0x0400
#define ITEM_UNCHANGED 0x1000

#define ITEM_NAME_ATTACHMENT "$FILE"
#define ITEM_NAME_TEMPLATE_NAME "$TITLE"
#define FIELD_TITLE "$TITLE"
#define FIELD_FORM "Form"
#define ITEM_NAME_NOTEREF "$REF"
#define ITEM_NAME_FONTS "$Fonts"
#define ITEM_NAME_LINK "$Links"
#define DESIGN_FLAGS "$Flags"

/* File attachments: FILEOBJECT in a TYPE_OBJECT value. */
#define OBJECT_FILE 0
#define COMPRESS_NONE 0
#define COMPRESS_HUFF 1
#define COMPRESS_LZ1 2
#define HOST_MASK 0x0F00
#define HOST_MSDOS 0x0000
#define HOST_OLE 0x0100
#define HOST_MAC 0x0200
#define HOST_UNKNOWN 0x0300
#define HOST_HPFS 0x0400
#define HOST_LOCAL 0x0F00
#define EFLAGS_MASK 0xF000
#define EFLAGS_INDOC 0x1000
#define EFLAGS_KEEPPATH 0x2000
#define FILEFLAG_SIGN 0x0001
#define FILEFLAG_INDOC 0x0002
#define ATTRIB_READONLY 0x0001
#define ATTRIB_PRIVATE 0x0002

#pragma pack(push, 1)
typedef struct {
  WORD ObjectType;
  DWORD RRV;
} OBJECT_DESCRIPTOR;

typedef struct {
  OBJECT_DESCRIPTOR Header;
  WORD FileNameLength;
  WORD HostType;
  WORD CompressionType;
  WORD FileAttributes;
  WORD Flags;
  DWORD FileSize;
  TIMEDATE FileCreated;
  TIMEDATE FileModified;
  /* followed by the file name, FileNameLength bytes of LMBCS, not terminated */
} FILEOBJECT;

typedef struct {
  WORD Type;
  BYTE Key[16];
} ENCRYPTION_KEY;
#pragma pack(pop)

typedef STATUS(LNCALLBACKPTR NSFITEMSCANPROC)(WORD Spare, WORD ItemFlags, char* Name,
                                              WORD NameLength, void* Value, DWORD ValueLength,
                                              void* RoutineParameter);
typedef WORD(LNCALLBACKPTR CWF_ERROR_PROC)(const void* pCDField, WORD phase, STATUS error,
                                           DHANDLE ErrorText, WORD wErrorTextSize, void* ctx);

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC NSFNoteCreate(DBHANDLE db_handle, NOTEHANDLE* note_handle);
STATUS LNPUBLIC NSFNoteOpen(DBHANDLE db_handle, NOTEID note_id, WORD open_flags,
                            NOTEHANDLE* note_handle);
STATUS LNPUBLIC NSFNoteOpenByUNID(DBHANDLE hDB, UNIVERSALNOTEID* pUNID, WORD flags,
                                  NOTEHANDLE* rethNote);
STATUS LNPUBLIC NSFNoteClose(NOTEHANDLE note_handle);
STATUS LNPUBLIC NSFNoteUpdate(NOTEHANDLE note_handle, WORD update_flags);
STATUS LNPUBLIC NSFNoteDelete(DBHANDLE db_handle, NOTEID note_id, WORD update_flags);
void LNPUBLIC NSFNoteGetInfo(NOTEHANDLE note_handle, WORD note_member, void* value_ptr);
void LNPUBLIC NSFNoteSetInfo(NOTEHANDLE note_handle, WORD note_member, void* value_ptr);
STATUS LNPUBLIC NSFNoteSign(NOTEHANDLE hNote);
STATUS LNPUBLIC NSFNoteVerifySignature(NOTEHANDLE hNote, char* SignatureItemName,
                                       TIMEDATE* retWhenSigned, char* retSigner,
                                       char* retCertifier);
STATUS LNPUBLIC NSFNoteComputeWithForm(NOTEHANDLE hNote, NOTEHANDLE hFormNote, DWORD dwFlags,
                                       CWF_ERROR_PROC ErrorRoutine, void* CallersContext);
STATUS LNPUBLIC NSFProfileOpen(DBHANDLE hDB, const char* ProfileName, WORD ProfileNameLength,
                               const char* UserName, WORD UserNameLength, BOOL CopyProfile,
                               NOTEHANDLE* rethProfileNote);
STATUS LNPUBLIC NSFProfileUpdate(NOTEHANDLE hProfile, const char* ProfileName,
                                 WORD ProfileNameLength, const char* UserName, WORD UserNameLength);

STATUS LNPUBLIC NSFNoteAttachFile(NOTEHANDLE note_handle, const char* item_name,
                                  WORD item_name_length, const char* file_name,
                                  const char* orig_path_name, WORD encoding_type);
STATUS LNPUBLIC NSFNoteExtractFile(NOTEHANDLE note_handle, BLOCKID item_blockid,
                                   const char* file_name, ENCRYPTION_KEY* DecryptionKey);
STATUS LNPUBLIC NSFNoteDetachFile(NOTEHANDLE note_handle, BLOCKID item_blockid);

STATUS LNPUBLIC NSFItemAppend(NOTEHANDLE note_handle, WORD item_flags, const char* item_name,
                              WORD name_len, WORD item_type, const void* item_value,
                              DWORD value_len);
STATUS LNPUBLIC NSFItemDelete(NOTEHANDLE note_handle, const char* item_name, WORD name_len);
/* Removes the one item item_blockid names (from NSFItemInfo, NSFItemInfoNext); other items of
   its name stay. ERR_ITEM_NOT_FOUND when it is not an item of the note. */
STATUS LNPUBLIC NSFItemDeleteByBLOCKID(NOTEHANDLE note_handle, BLOCKID item_blockid);
STATUS LNPUBLIC NSFItemInfo(NOTEHANDLE note_handle, const char* item_name, WORD name_len,
                            BLOCKID* item_blockid, WORD* value_datatype, BLOCKID* value_blockid,
                            DWORD* value_len);
STATUS LNPUBLIC NSFItemInfoNext(NOTEHANDLE note_handle, BLOCKID NextItem, const char* item_name,
                                WORD name_len, BLOCKID* item_blockid_ptr, WORD* value_type_ptr,
                                BLOCKID* value_blockid_ptr, DWORD* value_len_ptr);
void LNPUBLIC NSFItemQuery(NOTEHANDLE note_handle, BLOCKID item_bid, char* item_name,
                           WORD return_buf_len, WORD* name_len_ptr, WORD* item_flags_ptr,
                           WORD* value_datatype_ptr, BLOCKID* value_bid_ptr, DWORD* value_len_ptr);
STATUS LNPUBLIC NSFItemScan(NOTEHANDLE note_handle, NSFITEMSCANPROC ActionRoutine,
                            void* func_param);
STATUS LNPUBLIC NSFItemGetModifiedTime(NOTEHANDLE hNote, const char* ItemName, WORD ItemNameLength,
                                       DWORD Flags, TIMEDATE* retTime);
WORD LNPUBLIC NSFItemGetText(NOTEHANDLE note_handle, const char* item_name, char* item_text,
                             WORD text_len);
WORD LNPUBLIC NSFItemGetTextListEntries(NOTEHANDLE note_handle, const char* item_name);
WORD LNPUBLIC NSFItemGetTextListEntry(NOTEHANDLE note_handle, const char* item_name,
                                      WORD entry_position, char* entry_text, WORD text_len);
BOOL LNPUBLIC NSFItemGetNumber(NOTEHANDLE hNote, const char* ItemName, NUMBER* retNumber);
STATUS LNPUBLIC NSFItemSetNumber(NOTEHANDLE hNote, const char* ItemName, const NUMBER* Number);
BOOL LNPUBLIC NSFItemGetTime(NOTEHANDLE note_handle, const char* td_item_name,
                             TIMEDATE* td_item_value);
STATUS LNPUBLIC NSFItemSetTime(NOTEHANDLE note_handle, const char* td_item_name,
                               const TIMEDATE* td_item_ptr);
STATUS LNPUBLIC NSFItemSetText(NOTEHANDLE hNote, const char* ItemName, const char* ItemText,
                               WORD TextLength);
WORD LNPUBLIC NSFItemConvertToText(NOTEHANDLE note_handle, const char* item_name_ptr,
                                   char* text_buf_ptr, WORD text_buf_len, char separator);
WORD LNPUBLIC NSFItemConvertValueToText(WORD value_type, BLOCKID value_bid, DWORD value_len,
                                        char* text_buf_ptr, WORD text_buf_len, char separator);
NOTESAPI_END_DECLS

#endif
