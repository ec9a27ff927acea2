// Hierarchical names: @Name([CN] | [Abbreviate] | [Canonicalize]; names).
#include <array>

#include "core/EStatus.h"
#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FormulaText.h"
#include "search/formula/FunctionTable.h"
#include "text/DistinguishedName.h"

namespace notesrt {

namespace {

constexpr std::array<std::u16string_view, 3> NameKeywords{u"CN", u"ABBREVIATE", u"CANONICALIZE"};

// The common name of a hierarchical name; a flat name is its own common name.
std::string CommonName(const std::string& Name) {
  std::string canonical = TDistinguishedName(Name).Canonical();
  std::optional<TDnComponents> parts = TDistinguishedName(canonical).Components();
  return parts && !parts->CN.empty() ? std::string(parts->CN) : Name;
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
      return TextOfLmbcs(Canonicalized(name, user));
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
