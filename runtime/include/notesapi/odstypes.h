/* ODS type numbers: which structure ODSLength, ODSWriteMemory and ODSReadMemory convert. */
#ifndef NOTESAPI_ODSTYPES_H
#define NOTESAPI_ODSTYPES_H

#define _WORD 0
#define _SHORT _WORD
#define _USHORT _WORD
#define _STATUS _WORD
#define _DWORD 1
#define _LONG _DWORD
#define _NOTEID _DWORD
#define _NUMBER 2
#define _FLOAT _NUMBER
#define _TIMEDATE 10
#define _TIMEDATE_PAIR 11
#define _LIST 13
#define _RANGE 14
#define _DBID 15
#define _ITEM 17
#define _ITEM_TABLE 18
#define _ORIGINATORID 26
#define _OBJECT_DESCRIPTOR 27
#define _UNIVERSALNOTEID 28
#define _NOTELINK 33
#define _DBREPLICAINFO 56
#define _FILEOBJECT 58
#define _CDLINK2 72
#define _CDLINKEXPORT2 97
#define _CDPARAGRAPH 109
#define _CDPABDEFINITION 110
#define _CDPABREFERENCE 111
#define _CDTEXT 113
#define _CDFONTTABLE 119
#define _CDFACE 120
#define _CDTABLEBEGIN 176
#define _CDTABLECELL 177
#define _CDTABLEEND 178
#define _CDHOTSPOTBEGIN 230
#define _CDHOTSPOTEND 231
#define _CDBAR 308

#endif
