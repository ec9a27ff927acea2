#include "AddressListText.h"

#include <string>

#include "StringList.h"
#include "TerminalText.h"

namespace {

constexpr int LinesPerPerson = 4;

std::string PersonLine(const TStringList& Lines, int First) {
  const std::string FirstName = TerminalText(Lines.Strings(First));
  const std::string LastName = TerminalText(Lines.Strings(First + 1));
  const std::string Company = TerminalText(Lines.Strings(First + 2));
  const std::string Address = TerminalText(Lines.Strings(First + 3));
  std::string Line = FirstName;
  if (!Line.empty() && !LastName.empty()) Line += " ";
  Line += LastName;
  if (!Company.empty()) Line += (Line.empty() ? "" : ", ") + Company;
  if (!Address.empty()) Line += (Line.empty() ? "<" : " <") + Address + ">";
  return Line;
}

}  // namespace

void WriteAddressList(const TStringList& Lines, bool Raw, std::ostream& Out) {
  if (Raw) {
    for (int I = 0; I < Lines.Count(); ++I) Out << TerminalText(Lines.Strings(I)) << "\n";
    return;
  }
  for (int First = 0; First + LinesPerPerson <= Lines.Count(); First += LinesPerPerson)
    Out << PersonLine(Lines, First) << "\n";
}
