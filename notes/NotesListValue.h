#pragma once

#include <vector>

#include "NotesApi.h"
#include "Variant.h"

// A list value ready to append (without its type word) and the Notes type it has.
struct TListValue {
  WORD DataType = TYPE_TEXT_LIST;
  std::vector<char> Bytes;
};

// Builds the stored form of a one-dimensional array: numbers and Booleans as a number range,
// date-times as a time range, strings as a text list, in array order whatever the lower bound.
// An array of variants takes the kind its elements share. Raises ELotusNotes for elements
// that Notes cannot store in one list, so that nothing is removed for a value that cannot be
// written.
TListValue BuildListValue(const TVariant& Array);
