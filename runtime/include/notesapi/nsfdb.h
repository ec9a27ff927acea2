/* Databases: open, create, copy, identity, information buffer, unread marks. */
#ifndef NOTESAPI_NSFDB_H
#define NOTESAPI_NSFDB_H
#include "nsfdata.h"

#define NSF_INFO_SIZE 128
#define INFOPARSE_TITLE 0
#define INFOPARSE_CATEGORIES 1
#define INFOPARSE_CLASS 2
#define INFOPARSE_DESIGN_CLASS 3

#define DBCLASS_BY_EXTENSION 0
#define DBCLASS_NSFTESTFILE 0xFF00
#define DBCLASS_NOTEFILE 0xFF01
#define DBCLASS_DESKTOP 0xFF02
#define DBCLASS_NOTECLIPBOARD 0xFF03

#define DB_LOADED 1
#define DB_DIRECTORY 2

#define DBCOPY_REPLICA 0x00000001

#define REPLFLG_DISABLE 0x0004

#pragma pack(push, 1)
typedef struct {
  TIMEDATE ID;
  WORD Flags;
  WORD CutoffInterval;
  TIMEDATE Cutoff;
} DBREPLICAINFO;

typedef struct {
  DWORD WarningThreshold;
  DWORD SizeLimit;
  DWORD CurrentDbSize;
  DWORD MaxDbSize;
} DBQUOTAINFO;
#pragma pack(pop)

NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC NSFDbOpen(const char* PathName, DBHANDLE* rethDB);
STATUS LNPUBLIC NSFDbClose(DBHANDLE hDB);
STATUS LNPUBLIC NSFDbCloseSession(DBHANDLE hDB);
STATUS LNPUBLIC NSFDbModeGet(DBHANDLE hDB, USHORT* retMode);
STATUS LNPUBLIC NSFDbCreate(const char* PathName, USHORT DbClass, BOOL ForceCreation);
STATUS LNPUBLIC NSFDbCreateAndCopy(const char* srcDb, const char* dstDb, WORD NoteClass, WORD limit,
                                   DWORD flags, DBHANDLE* retHandle);
STATUS LNPUBLIC NSFDbCopy(DBHANDLE hSrcDB, DBHANDLE hDstDB, TIMEDATE Since, WORD NoteClassMask);
STATUS LNPUBLIC NSFDbCopyNote(DBHANDLE hSrcDB, DBID* SrcDbID, DBID* SrcReplicaID, NOTEID SrcNoteID,
                              DBHANDLE hDstDB, DBID* DstDbID, DBID* DstReplicaID,
                              NOTEID* retDstNoteID, WORD* retNoteClass);
STATUS LNPUBLIC NSFDbIDGet(DBHANDLE hDB, DBID* retDbID);
STATUS LNPUBLIC NSFDbReplicaInfoGet(DBHANDLE hDB, DBREPLICAINFO* retReplicationInfo);
STATUS LNPUBLIC NSFDbReplicaInfoSet(DBHANDLE hDB, DBREPLICAINFO* ReplicationInfo);
STATUS LNPUBLIC NSFDbQuotaGet(const char* Filename, DBQUOTAINFO* retQuotaInfo);
STATUS LNPUBLIC NSFDbGetBuildVersion(DBHANDLE hDB, WORD* retVersion);
STATUS LNPUBLIC NSFDbGenerateOID(DBHANDLE hDB, ORIGINATORID* retOID);
STATUS LNPUBLIC NSFDbGetNoteInfo(DBHANDLE hDb, NOTEID NoteID, ORIGINATORID* retNoteOID,
                                 TIMEDATE* retModified, WORD* retNoteClass);
STATUS LNPUBLIC NSFDbInfoGet(DBHANDLE hDB, char* retBuffer);
STATUS LNPUBLIC NSFDbInfoSet(DBHANDLE hDB, char* Buffer);
void LNPUBLIC NSFDbInfoParse(char* Info, WORD What, char* Buffer, WORD Length);
void LNPUBLIC NSFDbInfoModify(char* Info, WORD What, const char* Buffer);
STATUS LNPUBLIC NSFDbGetUnreadNoteTable(DBHANDLE hDB, char* UserName, WORD UserNameLength,
                                        BOOL fCreateIfNotAvailable, DHANDLE* rethUnreadList);
STATUS LNPUBLIC NSFDbUpdateUnread(DBHANDLE hDataDB, DHANDLE hUnreadList);
STATUS LNPUBLIC NSFDbSetUnreadNoteTable(DBHANDLE hDB, char* UserName, WORD UserNameLength,
                                        BOOL fFlushToDisk, DHANDLE hOriginalUnreadList,
                                        DHANDLE hUnreadUnreadList);
/* The list is read into memory whole (an ACL handle, see acl.h) and stored back whole. A
   database never given a list reads as one with only -Default- at Manager. NSFDbStoreACL takes
   ObjectID 0 and Method 0 (a list read from a database) or 1 (one from ACLCreate). */
STATUS LNPUBLIC NSFDbReadACL(DBHANDLE hDB, DHANDLE* rethACL);
STATUS LNPUBLIC NSFDbStoreACL(DBHANDLE hDB, DHANDLE hACL, DWORD ObjectID, WORD Method);
/* The current user's effective access level (ACL_LEVEL_xxx) and flags (ACL_FLAG_xxx) in the
   database, as decided when it was opened. A server's database enforces its list; a local one
   does not, so it reports Manager. */
STATUS LNPUBLIC NSFDbAccessGet(DBHANDLE hDB, WORD* retAccessLevel, WORD* retAccessFlag);
NOTESAPI_END_DECLS

#endif
