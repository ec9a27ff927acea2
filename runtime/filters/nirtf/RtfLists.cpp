#include "RtfLists.h"

#include <algorithm>

#include "notesapi/editods.h"

namespace nirtf {

namespace {

// RTF knows nine levels; a document defining more lists than this is no writer's.
constexpr size_t MaxLevels = 9, MaxLists = 4096;

}  // namespace

void TRtfLists::Word(const TRtfToken& Token, bool Overrides) {
  const std::string_view word = Token.Value;
  if (Overrides) {
    if (word == "listoverride") FOverrideList = 0;
    if (word == "listid") FOverrideList = Token.Param;
    if (word == "ls" && FOverrides.size() < MaxLists) FOverrides[Token.Param] = FOverrideList;
    return;
  }
  if (word == "list") {
    FLevels.clear();
  } else if (word == "listlevel" && FLevels.size() < MaxLevels) {
    FLevels.push_back(PABFLAG_BULLET);
  } else if ((word == "levelnfc" || word == "levelnfcn") && !FLevels.empty()) {
    // 23 is a bullet, 255 no marker at all; every other format counts.
    FLevels.back() =
        Token.Param == 23 || Token.Param == 255 ? PABFLAG_BULLET : PABFLAG_NUMBEREDLIST;
  } else if (word == "listid" && FLists.size() < MaxLists) {
    FLists[Token.Param] = FLevels;
  }
}

WORD TRtfLists::Kind(int32_t Override, int32_t Level) const {
  const auto list = FOverrides.find(Override);
  if (list == FOverrides.end()) return 0;
  const auto levels = FLists.find(list->second);
  if (levels == FLists.end() || levels->second.empty()) return 0;
  const size_t level = static_cast<size_t>(std::max(Level, 0));
  return levels->second[std::min(level, levels->second.size() - 1)];
}

}  // namespace nirtf
