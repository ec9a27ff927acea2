#include "core/TextList.h"

#include <cstring>

namespace notesrt {

WORD TTextList::ReadWord(const void* At) {
  WORD value;
  std::memcpy(&value, At, sizeof value);
  return value;
}

void TTextList::WriteWord(void* At, WORD Value) {
  std::memcpy(At, &Value, sizeof Value);
}

std::optional<TTextList> TTextList::Parse(const char* Data, size_t Size, bool Prefixed) {
  size_t header = HeaderOffset(Prefixed);
  if (Size < header + sizeof(LIST)) return std::nullopt;
  TTextList list(Prefixed ? std::optional<WORD>(ReadWord(Data)) : std::nullopt);
  size_t count = ReadWord(Data + header);
  size_t lengths = header + sizeof(LIST);
  size_t text = lengths + count * sizeof(WORD);
  if (text > Size) return std::nullopt;
  for (size_t index = 0; index < count; ++index) {
    size_t length = ReadWord(Data + lengths + index * sizeof(WORD));
    if (text + length > Size) return std::nullopt;
    list.FEntries.emplace_back(Data + text, length);
    text += length;
  }
  return list;
}

std::string TTextList::ValueOf(const std::vector<std::string>& Entries) {
  TTextList list(std::nullopt);
  list.FEntries = Entries;
  return list.Serialize();
}

void TTextList::Insert(size_t Index, std::string_view Text) {
  FEntries.insert(FEntries.begin() + static_cast<std::ptrdiff_t>(Index), std::string(Text));
}

void TTextList::Remove(size_t Index) {
  FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(Index));
}

std::string TTextList::Serialize() const {
  std::string bytes;
  auto appendWord = [&bytes](size_t value) {
    char word[sizeof(WORD)];
    WriteWord(word, static_cast<WORD>(value));
    bytes.append(word, sizeof word);
  };
  if (FTypeWord) appendWord(*FTypeWord);
  appendWord(FEntries.size());
  for (const std::string& entry : FEntries) appendWord(entry.size());
  for (const std::string& entry : FEntries) bytes += entry;
  return bytes;
}

}  // namespace notesrt
