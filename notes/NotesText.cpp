#include "NotesText.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "SysUtils.h"

std::string UNIDtoStr(const UNIVERSALNOTEID& Unid, bool Separated) {
  char text[40];
  const char* format = Separated ? "%08X:%08X-%08X:%08X" : "%08X%08X%08X%08X";
  std::snprintf(text, sizeof(text), format, Unid.File[1], Unid.File[0], Unid.Note.Innards[1],
                Unid.Note.Innards[0]);
  return text;
}

std::string NotesToString(const char* Buffer, size_t Length) {
  std::string result;
  size_t position = 0;
  while (position < Length && (position == 0 || Buffer[position] != '\0')) {
    if (position > 0) result += "\r\n";
    const void* nul = std::memchr(Buffer + position, '\0', Length - position);
    size_t lineLength =
        nul ? static_cast<const char*>(nul) - (Buffer + position) : Length - position;
    result.append(Buffer + position, lineLength);
    position += lineLength + 1;
  }
  return result;
}

bool StringToNotes(const std::string& Text, std::vector<char>& Buffer, uint32_t& Length) {
  Buffer.clear();
  Buffer.reserve(Text.size() + 2);
  bool hadBreak = false;
  for (size_t i = 0; i < Text.size(); ++i) {
    char c = Text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
      Buffer.push_back('\0');
      hadBreak = true;
    } else {
      Buffer.push_back(c);
    }
  }
  Buffer.push_back('\0');
  if (hadBreak) Buffer.push_back('\0');
  Length = static_cast<uint32_t>(Buffer.size());
  return hadBreak;
}

namespace {

constexpr std::array<int32_t, 16> ColorTable = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0x00FFFF, 0xFFFF00,
    0x000080, 0x008000, 0x800000, 0x800080, 0x008080, 0x808000, 0x808080, 0xC0C0C0};

}  // namespace

int32_t NotesToColor(int32_t Index) {
  if (Index < 0 || Index >= static_cast<int32_t>(ColorTable.size())) return NoNotesColor;
  return ColorTable[Index];
}

int32_t ColorToNotes(int32_t Color) {
  for (size_t i = 0; i < ColorTable.size(); ++i)
    if (ColorTable[i] == Color) return static_cast<int32_t>(i);
  return NoNotesColor;
}

std::vector<std::string> CommaPieces(const std::string& Text) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= Text.size()) {
    size_t comma = Text.find(',', start);
    if (comma == std::string::npos) comma = Text.size();
    std::string piece = Trim(Text.substr(start, comma - start));
    if (!piece.empty()) pieces.push_back(std::move(piece));
    start = comma + 1;
  }
  return pieces;
}
