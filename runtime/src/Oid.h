#pragma once

#include "notesapi/nsfdata.h"

namespace notesrt {

// A new originator ID: a UNID no other note has (random file part, creation time as the note
// part), sequence 0.
ORIGINATORID NewOid();
UNIVERSALNOTEID UnidOf(const ORIGINATORID& Oid);

}  // namespace notesrt
