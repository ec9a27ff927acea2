#include "note/ItemArgs.h"

#include <cstring>

#include "core/EStatus.h"
#include "core/HandleTable.h"
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

TIMEDATE ItemChangeTime() {
  return CurrentTimeDate();
}

}  // namespace notesrt
