#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "NotesApi.h"
#include "TNotesRichTextItem.h"

// Readers of CD records and link tables, which come from outside in mail: every read stays
// inside the record or value it is given, a record shorter than its fixed part is not read,
// and a string without its NUL ends at the bound.

// Up to Count NUL-terminated strings back to back in Data (Length bytes); fewer when the bytes
// run out.
std::vector<std::string> CutStrings(const char* Data, size_t Length, size_t Count);

// The structure of ODS type OdsType at the start of Record, in host form. False, with Structure
// untouched, when the record is shorter than the structure.
bool ReadStructure(const char* Record, DWORD Length, WORD OdsType, void* Structure);

// A file hotspot's names (LMBCS): the attachment's internal name and the name shown. False for
// a hotspot of another type or a record too short for its fixed part. The names lie within
// the hotspot's data and the record both.
bool ReadFileHotspot(const char* Record, DWORD Length, std::string& Internal, std::string& Shown);

// The link a CDLINK2 or CDLINKEXPORT2 record holds, its strings converted to native, with its
// kind as far as the record tells. False for other records and short ones.
bool ReadLinkRecord(const char* Record, WORD Signature, DWORD Length, LinkDefI& Link);

// The kind of link a target is: document, view or database.
BYTE LinkKindOf(const NOTELINK& Target);

// The entries of a "$Links" value (the type word first; Length counts it) that lie wholly
// inside it, whatever count it claims; none unless it is a TYPE_NOTELINK_LIST.
std::vector<NOTELINK> ReadLinkTable(const char* Value, size_t Length);
