#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "RtfToken.h"
#include "notesapi/global.h"

namespace nirtf {

// The list table and the list override table: which kind of list (PABFLAG_BULLET or
// PABFLAG_NUMBEREDLIST) a paragraph's \lsN and \ilvlN name.
class TRtfLists {
 public:
  // A word of {\*\listtable} (Overrides false) or of {\*\listoverridetable}.
  void Word(const TRtfToken& Token, bool Overrides);
  // The kind of list, 0 when the tables do not say.
  WORD Kind(int32_t Override, int32_t Level) const;

 private:
  std::vector<WORD> FLevels;                    // of the list being read
  std::map<int32_t, std::vector<WORD>> FLists;  // by \listid
  int32_t FOverrideList = 0;                    // the \listid of the override being read
  std::map<int32_t, int32_t> FOverrides;        // \ls to \listid
};

}  // namespace nirtf
