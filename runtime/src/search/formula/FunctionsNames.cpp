// Hierarchical names: @Name([CN] | [Abbreviate] | [Canonicalize] | a component; names). A
// component keyword ([C], [O], [OU1] .. [OU4], [G], [S], [I], [Q], [A], [P]) picks that part
// of the canonical name, "" when the name has none.
#include <array>

#include "core/EStatus.h"
#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FormulaText.h"
#include "search/formula/FunctionTable.h"
#include "text/DistinguishedName.h"

namespace notesrt {

namespace {

using TPick = std::string_view (*)(const TDnComponents& Parts);

struct TComponent {
  std::u16string_view Keyword;
  TPick Pick;
};

// OU1 is the unit next to the common name.
constexpr std::array Components{
    TComponent{u"C", [](const TDnComponents& p) { return p.C; }},
    TComponent{u"O", [](const TDnComponents& p) { return p.O; }},
    TComponent{u"OU1", [](const TDnComponents& p) { return p.OU[0]; }},
    TComponent{u"OU2", [](const TDnComponents& p) { return p.OU[1]; }},
    TComponent{u"OU3", [](const TDnComponents& p) { return p.OU[2]; }},
    TComponent{u"OU4", [](const TDnComponents& p) { return p.OU[3]; }},
    TComponent{u"G", [](const TDnComponents& p) { return p.G; }},
    TComponent{u"S", [](const TDnComponents& p) { return p.S; }},
    TComponent{u"I", [](const TDnComponents& p) { return p.I; }},
    TComponent{u"Q", [](const TDnComponents& p) { return p.Q; }},
    TComponent{u"A", [](const TDnComponents& p) { return p.ADMD; }},
    TComponent{u"P", [](const TDnComponents& p) { return p.PRMD; }},
};

constexpr auto NameKeywords = [] {
  std::array<std::u16string_view, 3 + Components.size()> keywords{u"CN", u"ABBREVIATE",
                                                                  u"CANONICALIZE"};
  for (size_t i = 0; i < Components.size(); ++i) keywords[3 + i] = Components[i].Keyword;
  return keywords;
}();

// A part of the canonical form of a name; "" when it has no such part (or no canonical form).
std::string PartOf(const std::string& Name, TPick Pick) {
  std::string canonical = TDistinguishedName(Name).Canonical();
  std::optional<TDnComponents> parts = TDistinguishedName(canonical).Components();
  return parts ? std::string(Pick(*parts)) : std::string();
}

// The common name of a hierarchical name; a flat name is its own common name.
std::string CommonName(const std::string& Name) {
  std::string common = PartOf(Name, [](const TDnComponents& p) { return p.CN; });
  return common.empty() ? Name : common;
}

// Completed with the current user's organisation, as Notes does for a name typed without one.
std::string Canonicalized(const std::string& Name, const std::string& User) {
  if (User.empty()) return TDistinguishedName(Name).Canonical();
  TDistinguishedName user(User);
  return TDistinguishedName(Name).Canonical(&user);
}

TValue Name(TCall& Call) {
  if (Call.Arg(1).Kind() != TValueKind::Text) return WrongType();
  const std::u16string& keyword = Call.Arg(0).AsTexts()[0];
  std::string user = keyword == u"CANONICALIZE" ? Call.Context().UserName() : "";
  try {
    return MapTexts(Call.Arg(1), [&](const std::u16string& text) {
      std::string name = LmbcsOf(text);
      if (keyword == u"CN") return TextOfLmbcs(CommonName(name));
      if (keyword == u"ABBREVIATE") return TextOfLmbcs(TDistinguishedName(name).Abbreviated());
      if (keyword == u"CANONICALIZE") return TextOfLmbcs(Canonicalized(name, user));
      for (const TComponent& component : Components)
        if (keyword == component.Keyword) return TextOfLmbcs(PartOf(name, component.Pick));
      return std::u16string();
    });
  } catch (const EStatus&) {
    // A name with more organisational units than Notes allows has no canonical form.
    return InvalidArgument();
  }
}

constexpr std::array Specs{
    TFunctionSpec{u"NAME", 2, 2, 0, Name, 0, NameKeywords},
};

}  // namespace

std::span<const TFunctionSpec> NameFunctions() {
  return Specs;
}

}  // namespace notesrt
