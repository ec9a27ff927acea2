#pragma once

#include <cstring>
#include <string>

#include "notesapi/nsfnote.h"

// The documents the helper process writes, and how a test checks that one is whole: its body
// is derived from its index, and its items come in a fixed number.
namespace childdoc {

constexpr int ItemCount = 4;

inline STATUS AppendText(NOTEHANDLE Note, const char* Name, const std::string& Text, WORD Flags) {
  return NSFItemAppend(Note, Flags, Name, static_cast<WORD>(std::strlen(Name)), TYPE_TEXT,
                       Text.data(), Text.size());
}

inline std::string ItemText(NOTEHANDLE Note, const char* Name) {
  BLOCKID value{};
  DWORD length = 0;
  if (NSFItemInfo(Note, Name, static_cast<WORD>(std::strlen(Name)), nullptr, nullptr, &value,
                  &length) != NOERROR)
    return "?";
  char* bytes = OSLockBlock(char, value);
  std::string text(bytes + sizeof(WORD), length - sizeof(WORD));
  OSUnlockBlock(value);
  return text;
}

inline int CountItems(NOTEHANDLE Note) {
  int count = 0;
  auto counter = [](WORD, WORD, char*, WORD, void*, DWORD, void* Context) -> STATUS {
    ++*static_cast<int*>(Context);
    return NOERROR;
  };
  NSFItemScan(Note, counter, &count);
  return count;
}

// Bodies vary in size (up to 40 KB) so that saves span several pages.
inline std::string BodyOf(long Index) {
  std::string body;
  size_t size = static_cast<size_t>((Index * 7919) % 40000) + 1;
  for (size_t at = 0; at < size; ++at) body += static_cast<char>('a' + (Index + at) % 26);
  return body;
}

inline STATUS Fill(NOTEHANDLE Note, long Index) {
  std::string body = BodyOf(Index);
  NUMBER index = static_cast<NUMBER>(Index);
  if (STATUS status = NSFItemSetNumber(Note, "Index", &index)) return status;
  if (STATUS status = AppendText(Note, "Subject", "doc " + std::to_string(Index), ITEM_SUMMARY))
    return status;
  if (STATUS status = AppendText(Note, "Body", body, 0)) return status;
  return AppendText(Note, "Size", std::to_string(body.size()), ITEM_SUMMARY);
}

// The index a whole document carries, or -1 when anything is missing or wrong.
inline long CheckWhole(NOTEHANDLE Note) {
  NUMBER index = -1;
  if (!NSFItemGetNumber(Note, "Index", &index) || CountItems(Note) != ItemCount) return -1;
  auto number = static_cast<long>(index);
  std::string body = BodyOf(number);
  bool whole = ItemText(Note, "Subject") == "doc " + std::to_string(number) &&
               ItemText(Note, "Body") == body &&
               ItemText(Note, "Size") == std::to_string(body.size());
  return whole ? number : -1;
}

}  // namespace childdoc
