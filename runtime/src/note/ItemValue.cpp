#include "note/ItemValue.h"

#include "storage/StoredValue.h"

namespace notesrt {

namespace {

// Entry Index of a text list: the WORD lengths follow the count, the texts follow them.
std::optional<std::string_view> ListEntry(std::string_view Data, size_t Index) {
  size_t count = ReadAt<WORD>(Data, 0);
  size_t offset = sizeof(WORD) + count * sizeof(WORD);
  if (Index >= count || Data.size() < offset) return std::nullopt;
  for (size_t entry = 0; entry < Index; ++entry)
    offset += ReadAt<WORD>(Data, sizeof(WORD) * (entry + 1));
  size_t length = ReadAt<WORD>(Data, sizeof(WORD) * (Index + 1));
  if (offset > Data.size() || Data.size() - offset < length) return std::nullopt;
  return Data.substr(offset, length);
}

// The first element of a single value, or of a RANGE (list count, range count, elements).
template <class T>
std::optional<T> First(WORD Type, WORD Single, WORD Range, std::string_view Data) {
  if (Type == Single && Data.size() >= sizeof(T)) return ReadAt<T>(Data, 0);
  if (Type != Range || ReadAt<WORD>(Data, 0) == 0) return std::nullopt;
  if (Data.size() < sizeof(RANGE) + sizeof(T)) return std::nullopt;
  return ReadAt<T>(Data, sizeof(RANGE));
}

}  // namespace

size_t TextEntryCount(WORD Type, std::string_view Data) {
  if (Type == TYPE_TEXT) return 1;
  if (Type != TYPE_TEXT_LIST) return 0;
  size_t count = ReadAt<WORD>(Data, 0);
  return count > 0 && ListEntry(Data, count - 1) ? count : 0;
}

std::optional<std::string_view> TextEntry(WORD Type, std::string_view Data, size_t Index) {
  if (Type == TYPE_TEXT) return Index == 0 ? std::optional(Data) : std::nullopt;
  if (Type == TYPE_TEXT_LIST) return ListEntry(Data, Index);
  return std::nullopt;
}

std::optional<NUMBER> FirstNumber(WORD Type, std::string_view Data) {
  return First<NUMBER>(Type, TYPE_NUMBER, TYPE_NUMBER_RANGE, Data);
}

std::optional<TIMEDATE> FirstTime(WORD Type, std::string_view Data) {
  return First<TIMEDATE>(Type, TYPE_TIME, TYPE_TIME_RANGE, Data);
}

}  // namespace notesrt
