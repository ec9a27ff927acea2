#include "text/DistinguishedName.h"

#include <algorithm>
#include <bitset>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"
#include "text/DistinguishedNameText.h"

namespace notesrt {

namespace {

// The keywords in canonical order, most specific first: the personal parts, the units (OU[0]
// next to the common name), the organisation, the X.400 domains, the country.
struct TKeywordField {
  std::string_view Name;
  TDnKeyword Keyword;
  std::string_view TDnComponents::*Field;  // null for OU, which has several
};

constexpr TKeywordField Keywords[] = {{"CN", TDnKeyword::CN, &TDnComponents::CN},
                                      {"G", TDnKeyword::G, &TDnComponents::G},
                                      {"S", TDnKeyword::S, &TDnComponents::S},
                                      {"I", TDnKeyword::I, &TDnComponents::I},
                                      {"Q", TDnKeyword::Q, &TDnComponents::Q},
                                      {"OU", TDnKeyword::OU, nullptr},
                                      {"O", TDnKeyword::O, &TDnComponents::O},
                                      {"PRMD", TDnKeyword::PRMD, &TDnComponents::PRMD},
                                      {"ADMD", TDnKeyword::ADMD, &TDnComponents::ADMD},
                                      {"C", TDnKeyword::C, &TDnComponents::C}};

bool SameAscii(std::string_view A, std::string_view B) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(), [&](char a, char b) { return upper(a) == b; });
}

TDnKeyword KeywordOf(std::string_view Text) {
  for (const TKeywordField& keyword : Keywords)
    if (SameAscii(Text, keyword.Name)) return keyword.Keyword;
  return TDnKeyword::Unknown;
}

bool IsLabel(TDnKeyword Keyword) {
  return Keyword != TDnKeyword::None && Keyword != TDnKeyword::Unknown;
}

// The keywords the abbreviated form leaves out.
bool IsDropped(TDnKeyword Keyword) {
  return Keyword == TDnKeyword::CN || Keyword == TDnKeyword::OU || Keyword == TDnKeyword::O ||
         Keyword == TDnKeyword::C;
}

std::string_view* SlotOf(TDnComponents& Name, TDnKeyword Keyword) {
  for (const TKeywordField& keyword : Keywords)
    if (keyword.Keyword == Keyword && keyword.Field) return &(Name.*keyword.Field);
  return nullptr;
}

std::string Format(const TDnComponents& Name) {
  std::string text;
  auto add = [&text](std::string_view Keyword, std::string_view Value) {
    if (Value.empty()) return;
    if (!text.empty()) text += '/';
    text.append(Keyword).append("=").append(Value);
  };
  for (const TKeywordField& keyword : Keywords) {
    if (keyword.Field) add(keyword.Name, Name.*keyword.Field);
    for (size_t unit = 0; !keyword.Field && unit < Name.OUCount; ++unit) add("OU", Name.OU[unit]);
  }
  if (!Name.Domain.empty()) text.append("@").append(Name.Domain);
  return text;
}

}  // namespace

TDistinguishedName::TDistinguishedName(std::string_view Text) : FText(Text) {
  std::string_view body = SplitDomain(TDistinguishedNameText(Text).Trimmed());
  if (!body.empty())
    for (std::string_view piece : TDistinguishedNameText(body).Split('/'))
      FParts.push_back(ReadPart(piece));
  FForm = Classify();
}

std::optional<TDnComponents> TDistinguishedName::Components() const {
  if (FForm != TForm::Canonical) return std::nullopt;
  TDnComponents name;
  name.Domain = FDomain;
  std::bitset<16> seen;
  for (const TPart& part : FParts) {
    if (part.Keyword == TDnKeyword::OU) {
      if (name.OUCount == DN_OUNITS) return std::nullopt;
      name.OU[name.OUCount++] = part.Value;
      continue;
    }
    std::string_view* slot = SlotOf(name, part.Keyword);
    auto bit = static_cast<size_t>(part.Keyword);
    if (!slot || seen[bit]) return std::nullopt;
    seen[bit] = true;
    *slot = part.Value;
  }
  return name;
}

std::string TDistinguishedName::Canonical(const TDistinguishedName* Template) const {
  switch (FForm) {
    case TForm::Empty:
      return "";
    case TForm::Canonical:
      return Joined([](const TPart& Part) { return Part.Text; });
    case TForm::Abbreviated:
      return Format(Labelled());
    case TForm::Flat:
    case TForm::Partial:
      if (std::optional<TDnComponents> completed = CompletedBy(Template)) return Format(*completed);
      if (FForm == TForm::Flat) return Joined([](const TPart& Part) { return Part.Text; });
      break;
    case TForm::Malformed:
      break;
  }
  return std::string(FText);
}

std::string TDistinguishedName::Abbreviated() const {
  if (FForm == TForm::Empty) return "";
  if (FForm != TForm::Canonical) return std::string(FText);
  return Joined([](const TPart& Part) { return IsDropped(Part.Keyword) ? Part.Value : Part.Text; });
}

TDistinguishedName::TPart TDistinguishedName::ReadPart(std::string_view Text) {
  size_t equals = TDistinguishedNameText(Text).FindFirst('=');
  if (equals == std::string_view::npos) return {TDnKeyword::None, Text, Text};
  std::string_view key = TDistinguishedNameText(Text.substr(0, equals)).Trimmed();
  std::string_view value = TDistinguishedNameText(Text.substr(equals + 1)).Trimmed();
  return {KeywordOf(key), Text, value};
}

// A domain follows the last "@" and has no "/" or "=" of its own; otherwise the "@" belongs to
// a part (an Internet address as a common name). Returns the text before the domain.
std::string_view TDistinguishedName::SplitDomain(std::string_view Text) {
  size_t at = TDistinguishedNameText(Text).FindLast('@');
  if (at == std::string_view::npos) return Text;
  TDistinguishedNameText domain(Text.substr(at + 1));
  std::string_view before = TDistinguishedNameText(Text.substr(0, at)).Trimmed();
  bool plain = domain.FindFirst('/') == std::string_view::npos &&
               domain.FindFirst('=') == std::string_view::npos;
  if (!plain || before.empty() || domain.Trimmed().empty()) return Text;
  FDomain = domain.Trimmed();
  return before;
}

TDistinguishedName::TForm TDistinguishedName::Classify() const {
  auto any = [this](auto Test) { return std::any_of(FParts.begin(), FParts.end(), Test); };
  if (FParts.empty()) return TForm::Empty;
  if (any([](const TPart& Part) { return IsLabel(Part.Keyword); })) return TForm::Canonical;
  if (any([](const TPart& Part) { return Part.Keyword == TDnKeyword::Unknown; }))
    return TForm::Malformed;
  if (FParts.size() == 2 && !FParts[0].Text.empty() && FParts[1].Text.empty())
    return TForm::Partial;
  if (any([](const TPart& Part) { return Part.Text.empty(); })) return TForm::Malformed;
  return FParts.size() == 1 ? TForm::Flat : TForm::Abbreviated;
}

// First part CN; last part O, or C when there are three or more parts and it has exactly two
// characters, with O before it; the parts in between are the units, OU[0] next to CN.
TDnComponents TDistinguishedName::Labelled() const {
  TDnComponents name;
  name.Domain = FDomain;
  name.CN = FParts.front().Value;
  size_t last = FParts.size() - 1;
  if (FParts.size() >= 3 && TDistinguishedNameText(FParts[last].Value).CharacterCount() == 2)
    name.C = FParts[last--].Value;
  name.O = FParts[last].Value;
  name.OUCount = last - 1;
  if (name.OUCount > DN_OUNITS) throw EStatus(ERR_NOTESRT_TOO_MANY_OUS);
  for (size_t unit = 0; unit < name.OUCount; ++unit) name.OU[unit] = FParts[1 + unit].Value;
  return name;
}

// The common name with the template's units, organisation and country; nullopt when there is no
// template or it has no organisation to give.
std::optional<TDnComponents> TDistinguishedName::CompletedBy(
    const TDistinguishedName* Template) const {
  std::optional<TDnComponents> source = Template ? Template->Components() : std::nullopt;
  if (!source || (source->O.empty() && source->C.empty() && source->OUCount == 0))
    return std::nullopt;
  TDnComponents name;
  name.CN = FParts.front().Value;
  name.OU = source->OU;
  name.OUCount = source->OUCount;
  name.O = source->O;
  name.C = source->C;
  name.Domain = FDomain;
  return name;
}

std::string TDistinguishedName::Joined(TPieceOf PieceOf) const {
  std::string text;
  for (const TPart& part : FParts) {
    if (&part != &FParts.front()) text += '/';
    text.append(PieceOf(part));
  }
  if (!FDomain.empty()) text.append("@").append(FDomain);
  return text;
}

}  // namespace notesrt
