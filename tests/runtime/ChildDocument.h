#pragma once

#include <string>

#include "notesapi/nsfnote.h"

// The documents the helper process writes, and how a test checks that one is whole: its body
// is derived from its index, and its items come in a fixed number.
namespace childdoc {

constexpr int ItemCount = 4;

std::string BodyOf(long Index);
STATUS Fill(NOTEHANDLE Note, long Index);
// The index a whole document carries, or -1 when anything is missing or wrong.
long CheckWhole(NOTEHANDLE Note);

}  // namespace childdoc
