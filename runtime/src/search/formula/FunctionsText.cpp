// Text tests and case: @Contains, @Begins, @Ends, @Matches, @Like, @Length and the case
// functions. Tests are true when any element of the text matches any element of the other
// argument; all comparisons respect case.
#include <algorithm>
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/Pattern.h"
#include "search/formula/TextTools.h"

namespace notesrt {

namespace {

template <class TTest>
TValue AnyPair(const TCall& Call, TTest Test) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Text})) return WrongType();
  for (const std::u16string& text : Call.Arg(0).AsTexts())
    for (const std::u16string& other : Call.Arg(1).AsTexts())
      if (Test(std::u16string_view(text), std::u16string_view(other))) return TValue::Boolean(true);
  return TValue::Boolean(false);
}

TValue Contains(TCall& Call) {
  return AnyPair(Call, [](auto text, auto part) { return text.find(part) != text.npos; });
}

TValue Begins(TCall& Call) {
  return AnyPair(Call, [](auto text, auto part) { return text.starts_with(part); });
}

TValue Ends(TCall& Call) {
  return AnyPair(Call, [](auto text, auto part) { return text.ends_with(part); });
}

TValue Matches(TCall& Call) {
  return AnyPair(Call,
                 [](auto text, auto pattern) { return TPattern::Matches(pattern).Match(text); });
}

TValue Like(TCall& Call) {
  char16_t escape = 0;
  if (Call.Count() > 2) {
    if (Call.Arg(2).Kind() != TValueKind::Text) return WrongType();
    const std::u16string& escapes = Call.Arg(2).AsTexts()[0];
    if (escapes.size() != 1) return InvalidArgument();
    escape = escapes[0];
  }
  return AnyPair(
      Call, [&](auto text, auto pattern) { return TPattern::Like(pattern, escape).Match(text); });
}

TValue Length(TCall& Call) {
  return MapTextsToNumbers(
      Call.Arg(0), [](const std::u16string& text) { return static_cast<double>(text.size()); });
}

TValue Upper(TCall& Call) {
  return MapTexts(Call.Arg(0), [](const std::u16string& text) { return UpperCase(text); });
}

TValue Lower(TCall& Call) {
  return MapTexts(Call.Arg(0), [](const std::u16string& text) { return LowerCase(text); });
}

TValue Proper(TCall& Call) {
  return MapTexts(Call.Arg(0), [](const std::u16string& text) { return ProperCase(text); });
}

constexpr std::array Specs{
    TFunctionSpec{u"CONTAINS", 2, 2, 0, Contains}, TFunctionSpec{u"BEGINS", 2, 2, 0, Begins},
    TFunctionSpec{u"ENDS", 2, 2, 0, Ends},         TFunctionSpec{u"MATCHES", 2, 2, 0, Matches},
    TFunctionSpec{u"LIKE", 2, 3, 0, Like},         TFunctionSpec{u"LENGTH", 1, 1, 0, Length},
    TFunctionSpec{u"UPPERCASE", 1, 1, 0, Upper},   TFunctionSpec{u"LOWERCASE", 1, 1, 0, Lower},
    TFunctionSpec{u"PROPERCASE", 1, 1, 0, Proper},
};

}  // namespace

std::span<const TFunctionSpec> TextFunctions() {
  return Specs;
}

}  // namespace notesrt
