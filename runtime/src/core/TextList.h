#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

// The published in-memory text list: [type word] LIST header, one WORD length per entry, then
// the texts. Reads tolerate odd alignment (lists sit inside item values).
class TTextList {
 public:
  // Bytes before the LIST header: the TYPE_TEXT_LIST word when the list is prefixed.
  static size_t HeaderOffset(bool Prefixed) { return Prefixed ? sizeof(WORD) : 0; }
  static WORD ReadWord(const void* At);
  static void WriteWord(void* At, WORD Value);

  // Null when Size bytes do not hold a whole list.
  static std::optional<TTextList> Parse(const char* Data, size_t Size, bool Prefixed);
  // The value of a TYPE_TEXT_LIST item holding Entries, without the type word.
  static std::string ValueOf(const std::vector<std::string>& Entries);

  size_t Count() const { return FEntries.size(); }
  const std::vector<std::string>& Entries() const { return FEntries; }
  // Index may equal Count() (append).
  void Insert(size_t Index, std::string_view Text);
  void Remove(size_t Index);
  std::string Serialize() const;

 private:
  explicit TTextList(std::optional<WORD> TypeWord) : FTypeWord(TypeWord) {}

  std::optional<WORD> FTypeWord;
  std::vector<std::string> FEntries;
};

}  // namespace notesrt
