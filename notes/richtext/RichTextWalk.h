#pragma once

#include <functional>

#include "NotesApi.h"

// Sees one CD record of a walk: the record (header first), its signature as EnumCompositeBuffer
// hands it over (SIG_CD_...) and its length (header included, pad byte not). A non-zero status
// ends the walk.
using TRecordVisitor = std::function<STATUS(const char* Record, WORD Signature, DWORD Length)>;

// Walks the records of one rich-text value (the type word first; Length counts it) with
// EnumCompositeBuffer and returns its status. No exception crosses the C API: one thrown by
// Visit ends the walk and is thrown on after EnumCompositeBuffer has returned.
STATUS WalkRecords(BLOCKID Value, DWORD Length, const TRecordVisitor& Visit);
