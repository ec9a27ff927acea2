#include "TextTable.h"

#include <algorithm>

size_t TextWidth(const std::string& Text) {
  return static_cast<size_t>(
      std::count_if(Text.begin(), Text.end(), [](char C) { return (C & 0xC0) != 0x80; }));
}

std::string Shortened(const std::string& Text, size_t MaxWidth) {
  if (MaxWidth == 0 || TextWidth(Text) <= MaxWidth) return Text;
  std::string Result;
  size_t Characters = 0;
  for (char C : Text) {
    if ((C & 0xC0) != 0x80 && ++Characters > MaxWidth - 3) break;
    Result += C;
  }
  return Result + "...";
}

void WriteTable(const std::vector<std::vector<std::string>>& Rows, std::ostream& Out) {
  std::vector<size_t> Widths;
  for (const auto& Row : Rows) {
    Widths.resize(std::max(Widths.size(), Row.size()), 0);
    for (size_t Column = 0; Column < Row.size(); ++Column)
      Widths[Column] = std::max(Widths[Column], TextWidth(Row[Column]));
  }
  for (const auto& Row : Rows) {
    std::string Line;
    for (size_t Column = 0; Column < Row.size(); ++Column) {
      if (Column > 0) Line += "  ";
      Line += Row[Column];
      if (Column + 1 < Row.size())
        Line += std::string(Widths[Column] - TextWidth(Row[Column]), ' ');
    }
    Out << Line << "\n";
  }
}
