#include "MailListText.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "StringList.h"
#include "TerminalText.h"
#include "TextTable.h"

namespace {

constexpr size_t FieldCount = 6;
using TRow = std::array<std::string, FieldCount>;

const TRow Header = {"ID", "Date", "From", "To", "Subject", "Att"};
// The widest each column may get, in characters; 0 leaves it as wide as its widest text.
constexpr std::array<size_t, FieldCount> MaxWidths = {0, 0, 24, 24, 40, 0};

// "CN=John Smith/O=Demo" reads "John Smith/Demo".
std::string AbbreviatedName(const std::string& Name) {
  if (Name.rfind("CN=", 0) != 0) return Name;
  std::string Result;
  size_t Start = 0;
  while (Start <= Name.size()) {
    size_t End = Name.find('/', Start);
    if (End == std::string::npos) End = Name.size();
    std::string Part = Name.substr(Start, End - Start);
    const size_t Equals = Part.find('=');
    if (Equals != std::string::npos && Equals <= 2) Part.erase(0, Equals + 1);
    Result += (Start == 0 ? "" : "/") + Part;
    Start = End + 1;
  }
  return Result;
}

// Every name of a comma-separated list abbreviated, the separators kept.
std::string Abbreviated(const std::string& Names) {
  std::string Result;
  for (size_t Start = 0; Start <= Names.size();) {
    const size_t End = std::min(Names.find(',', Start), Names.size());
    const size_t NameStart = std::min(Names.find_first_not_of(' ', Start), End);
    Result += Names.substr(Start, NameStart - Start) +
              AbbreviatedName(Names.substr(NameStart, End - NameStart));
    if (End < Names.size()) Result += ',';
    Start = End + 1;
  }
  return Result;
}

TRow RowOf(const std::string& HostLine) {
  const std::string Line = TerminalText(HostLine);
  TRow Row;
  size_t Start = 0;
  for (size_t Field = 0; Field < FieldCount; ++Field) {
    size_t End = Field + 1 == FieldCount ? std::string::npos : Line.find('|', Start);
    if (End == std::string::npos) End = Line.size();
    Row[Field] = Line.substr(std::min(Start, Line.size()), End - std::min(Start, Line.size()));
    Start = End + 1;
  }
  Row[2] = Abbreviated(Row[2]);
  Row[3] = Abbreviated(Row[3]);
  for (size_t Field = 0; Field < FieldCount; ++Field)
    Row[Field] = Shortened(Row[Field], MaxWidths[Field]);
  return Row;
}

}  // namespace

void WriteMailList(const TStringList& Lines, bool Raw, std::ostream& Out) {
  if (Raw) {
    for (int I = 0; I < Lines.Count(); ++I) Out << TerminalText(Lines.Strings(I)) << "\n";
    return;
  }
  std::vector<std::vector<std::string>> Rows{{Header.begin(), Header.end()}};
  for (int I = 0; I < Lines.Count(); ++I) {
    TRow Row = RowOf(Lines.Strings(I));
    Rows.emplace_back(Row.begin(), Row.end());
  }
  WriteTable(Rows, Out);
  Out << Lines.Count() << (Lines.Count() == 1 ? " mail\n" : " mails\n");
}
