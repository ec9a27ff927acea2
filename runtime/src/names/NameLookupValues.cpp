#include "names/NameLookupValues.h"

#include "note/ItemText.h"
#include "notesapi/nsfdata.h"
#include "storage/StoredValue.h"

namespace notesrt {

std::optional<std::string> TextMemberOf(WORD Type, std::string_view Data, size_t Member,
                                        bool& Convertible) {
  Convertible = true;
  if (Type == TYPE_TEXT || Type == TYPE_TEXT_LIST) {
    std::optional<std::vector<std::string_view>> values = TextValuesOf(Type, Data);
    if (!values || Member >= values->size()) return std::nullopt;
    return std::string((*values)[Member]);
  }
  bool numberOrTime = Type == TYPE_NUMBER || Type == TYPE_NUMBER_RANGE || Type == TYPE_TIME ||
                      Type == TYPE_TIME_RANGE;
  Convertible = numberOrTime;
  if (!numberOrTime || Member > 0) return std::nullopt;
  return ValueToText(Type, Data, ';');
}

}  // namespace notesrt
