#include "TNotesName.h"

#include <cstring>
#include <string_view>

#include "ELotusNotes.h"
#include "NotesApi.h"
#include "NotesCharset.h"
#include "notesapi/dname.h"

namespace {

constexpr std::array<std::string_view, ncCount> Keywords = {
    "CN", "G", "S", "I", "Q", "C", "OU", "OU", "OU", "OU", "ADMD", "PRMD", "O"};

// Most specific first: the personal parts, the units from the one next to the common name
// outwards, the organisation, the X.400 domains, the country.
constexpr TNotesNameComponent CanonicalOrder[] = {ncCN,  ncG,   ncS, ncI,    ncQ,    ncOU1, ncOU2,
                                                  ncOU3, ncOU4, ncO, ncPRMD, ncADMD, ncC};

bool InRange(int Index) {
  return Index >= 0 && Index < ncCount;
}

std::string Component(const char* Text, WORD Length) {
  return Text ? Lmbcs2Native(std::string(Text, Length)) : "";
}

// "$" makes the character after it literal inside a component.
std::string Escaped(const std::string& Value) {
  std::string text;
  for (char c : Value) {
    if (c == '/' || c == '=' || c == '@' || c == '$') text += '$';
    text += c;
  }
  return text;
}

std::string Unescaped(const std::string& Value) {
  std::string text;
  for (size_t at = 0; at < Value.size(); ++at) {
    if (Value[at] == '$' && at + 1 < Value.size()) ++at;
    text += Value[at];
  }
  return text;
}

std::string UpperAscii(std::string Text) {
  for (char& c : Text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return Text;
}

}  // namespace

TNotesName::TNotesName(const std::string& Name) {
  SetName(Name);
}

// The new name is worked out before anything changes, so a name that cannot be converted
// leaves the object as it was.
void TNotesName::SetName(const std::string& Value) {
  if (Value == FName) return;
  FName = IsCanonical(Value) ? Value : TranslateName(Value, true, "");
  FParsed = false;
}

std::string TNotesName::GetNameComponent(int Index) {
  if (!InRange(Index)) return "";
  Parse();
  if (Index == ncCN && FComponents[ncCN].empty()) return FName;
  return Unescaped(FComponents[Index]);
}

void TNotesName::SetNameComponent(int Index, const std::string& Value) {
  if (!InRange(Index))
    throw ELotusNotes(-1, "Invalid name component index: " + std::to_string(Index));
  Parse();
  std::array<std::string, ncCount> components = FComponents;
  components[Index] = Escaped(Value);
  std::string name;
  for (TNotesNameComponent component : CanonicalOrder) {
    if (components[component].empty()) continue;
    if (!name.empty()) name += '/';
    name.append(Keywords[component]).append("=").append(components[component]);
  }
  if (!name.empty() && !FDomain.empty()) name.append("@").append(FDomain);
  SetName(name);
}

std::string TNotesName::GetKeyword() {
  std::string keyword = GetNameComponent(ncC);
  for (int index : {ncO, ncOU1, ncOU2, ncOU3, ncOU4}) keyword += "/" + GetNameComponent(index);
  return keyword;
}

bool TNotesName::IsHirerarchical() const {
  size_t slash = FName.find('/');
  return slash != std::string::npos && slash + 1 < FName.size();
}

bool TNotesName::IsCanonical(const std::string& Text) {
  std::string upper = UpperAscii(Text);
  for (std::string_view keyword : Keywords)
    if (upper.find("/" + std::string(keyword) + "=") != std::string::npos) return true;
  return false;
}

std::string TNotesName::TranslateName(const std::string& Text, bool ToCanonical,
                                      const std::string& Template) {
  std::string name = Native2Lmbcs(Text);
  std::string templateName = Native2Lmbcs(Template);
  char buffer[MAXUSERNAME + 1] = {};
  if (ToCanonical)
    CheckNotesStatus(DNCanonicalize(0, Template.empty() ? nullptr : templateName.c_str(),
                                    name.c_str(), buffer, sizeof buffer, nullptr));
  else
    CheckNotesStatus(DNAbbreviate(0, nullptr, name.c_str(), buffer, sizeof buffer, nullptr));
  return Lmbcs2Native(std::string(buffer, strnlen(buffer, sizeof buffer)));
}

// DNParse's components point into the LMBCS copy of the name, which lives only here: they are
// copied into owned strings at once. A name that is not canonical has no components: all of it
// is its common name.
void TNotesName::Parse() {
  if (FParsed) return;
  std::string lmbcs = Native2Lmbcs(FName);
  DN_COMPONENTS parts{};
  CheckNotesStatus(DNParse(0, nullptr, lmbcs.c_str(), &parts, sizeof parts));
  FComponents = {
      Component(parts.CN, parts.CNLength),       Component(parts.G, parts.GLength),
      Component(parts.S, parts.SLength),         Component(parts.I, parts.ILength),
      Component(parts.Q, parts.QLength),         Component(parts.C, parts.CLength),
      Component(parts.OU[0], parts.OULength[0]), Component(parts.OU[1], parts.OULength[1]),
      Component(parts.OU[2], parts.OULength[2]), Component(parts.OU[3], parts.OULength[3]),
      Component(parts.ADMD, parts.ADMDLength),   Component(parts.PRMD, parts.PRMDLength),
      Component(parts.O, parts.OLength)};
  FDomain = Component(parts.Domain, parts.DomainLength);
  if (parts.Flags & (DN_NONSTANDARD | DN_NONDISTINGUISHED)) FComponents[ncCN] = Escaped(FName);
  FParsed = true;
}
