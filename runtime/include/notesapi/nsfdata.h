/* Note identity, data types and value headers. */
#ifndef NOTESAPI_NSFDATA_H
#define NOTESAPI_NSFDATA_H
#include "global.h"

typedef DHANDLE DBHANDLE;
typedef DHANDLE NOTEHANDLE;
typedef DHANDLE FORMULAHANDLE;
typedef DWORD NOTEID;
typedef TIMEDATE DBID;

#define TYPE_INVALID_OR_UNKNOWN 0x0000
#define TYPE_COMPOSITE 0x0001
#define TYPE_COLLATION 0x0002
#define TYPE_OBJECT 0x0003
#define TYPE_NOTEREF_LIST 0x0004
#define TYPE_VIEW_FORMAT 0x0005
#define TYPE_ICON 0x0006
#define TYPE_NOTELINK_LIST 0x0007
#define TYPE_SIGNATURE 0x0008
#define TYPE_SEAL 0x0009
#define TYPE_SEALDATA 0x000A
#define TYPE_SEAL_LIST 0x000B
#define TYPE_HIGHLIGHTS 0x000C
#define TYPE_USERDATA 0x000E
#define TYPE_HTML 0x0015
#define TYPE_CALENDAR_FORMAT 0x0018
#define TYPE_MIME_PART 0x0019
#define TYPE_ERROR 0x0100
#define TYPE_UNAVAILABLE 0x0200
#define TYPE_NUMBER 0x0300
#define TYPE_NUMBER_RANGE 0x0301
#define TYPE_TIME 0x0400
#define TYPE_TIME_RANGE 0x0401
#define TYPE_TEXT 0x0500
#define TYPE_TEXT_LIST 0x0501
#define TYPE_RFC822_TEXT 0x0502
#define TYPE_FORMULA 0x0600
#define TYPE_USERID 0x0700

#pragma pack(push, 1)
typedef struct {
  DWORD File[2];
  TIMEDATE Note;
} UNIVERSALNOTEID;

typedef struct {
  DWORD File[2];
  TIMEDATE Note;
  DWORD Sequence;
  TIMEDATE SequenceTime;
} ORIGINATORID;

/* A link to a database (replica ID), a view and a note: the entries of "$Links"
   (TYPE_NOTELINK_LIST) and the target of CDLINKEXPORT2. Zero UNIDs leave view or note out. */
typedef struct {
  TIMEDATE File;
  UNIVERSALNOTEID View;
  UNIVERSALNOTEID Note;
} NOTELINK;

typedef struct {
  USHORT ListEntries;
} LIST;

typedef struct {
  USHORT ListEntries;
  USHORT RangeEntries;
} RANGE;

typedef struct {
  NUMBER Lower;
  NUMBER Upper;
} NUMBER_PAIR;
#pragma pack(pop)

#define UNID UNIVERSALNOTEID
#define OID ORIGINATORID

#endif
