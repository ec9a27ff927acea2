#include "note/ItemArgs.h"

#include <algorithm>
#include <cstring>

#include "core/EStatus.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/miscerr.h"
#include "text/TimeConversion.h"

namespace notesrt {

TNote& NoteOf(DHANDLE Handle) {
  return THandleTable::Instance().Get<TNote>(Handle);
}

std::optional<std::string_view> ItemNameArg(const char* Name, WORD Length) {
  if (!Name) return std::nullopt;
  if (Length == MAXWORD) return std::string_view(Name);
  return std::string_view(Name, Length);
}

std::string_view NameArg(const char* Name) {
  if (!Name) throw EStatus(ERR_MISC_INVALID_ARGS);
  return Name;
}

std::string_view ValueArg(const BLOCKID& Value, DWORD Length) {
  auto& block = THandleTable::Instance().Get<TMemoryBlock>(Value.pool);
  std::string_view value(block.Data(), block.Size());
  value = value.substr(std::min<size_t>(Value.block, value.size()));
  return value.substr(0, std::min<size_t>(Length, value.size()));
}

TIMEDATE ItemChangeTime() {
  return CurrentTimeDate();
}

}  // namespace notesrt
