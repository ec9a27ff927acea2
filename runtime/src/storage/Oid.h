#pragma once

#include <random>

#include "notesapi/nsfdata.h"

namespace notesrt {

// A new originator ID: a UNID no other note has (random file part, creation time as the note
// part), sequence 0.
ORIGINATORID NewOid(std::mt19937_64& Random);
UNIVERSALNOTEID UnidOf(const ORIGINATORID& Oid);

}  // namespace notesrt
