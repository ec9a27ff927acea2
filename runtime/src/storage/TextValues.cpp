#include "storage/TextValues.h"

#include "notesapi/nsfdata.h"
#include "storage/StoredValue.h"

namespace notesrt {

std::optional<std::vector<std::string_view>> TextValuesOf(WORD Type, std::string_view Data) {
  std::vector<std::string_view> values;
  if (Type == TYPE_TEXT) values.push_back(Data);
  if (Type != TYPE_TEXT_LIST) return values;
  if (Data.size() < sizeof(WORD)) return std::nullopt;
  size_t count = ReadAt<WORD>(Data, 0);
  size_t text = sizeof(WORD) * (1 + count);
  if (text > Data.size()) return std::nullopt;
  for (size_t index = 0; index < count; ++index) {
    size_t length = ReadAt<WORD>(Data, sizeof(WORD) * (1 + index));
    if (length > Data.size() - text) return std::nullopt;
    values.push_back(Data.substr(text, length));
    text += length;
  }
  return values;
}

}  // namespace notesrt
