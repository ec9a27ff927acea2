// Texts and lists of texts: @Explode, @Implode, @Replace, @ReplaceSubstring.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"

namespace notesrt {

namespace {

using TTexts = TValue::TTexts;

std::optional<bool> FlagArg(const TCall& Call, size_t Index, bool Default) {
  if (Call.Count() <= Index) return Default;
  if (Call.Arg(Index).Kind() != TValueKind::Number) return std::nullopt;
  return Call.Arg(Index).IsTrue();
}

void SplitInto(const std::u16string& Text, const std::u16string& Separators, bool KeepEmpty,
               TTexts& Parts) {
  size_t start = 0;
  for (size_t i = 0; i <= Text.size(); ++i) {
    if (i < Text.size() && Separators.find(Text[i]) == std::u16string::npos) continue;
    if (KeepEmpty || i > start) Parts.push_back(Text.substr(start, i - start));
    start = i + 1;
  }
}

// @Explode(text; separators " ,;"; keep empty parts 0; split at line breaks 1).
TValue Explode(TCall& Call) {
  if (Call.Arg(0).Kind() != TValueKind::Text) return WrongType();
  std::u16string separators = u" ,;";
  if (Call.Count() > 1) {
    if (Call.Arg(1).Kind() != TValueKind::Text) return WrongType();
    separators = Call.Arg(1).AsTexts()[0];
  }
  std::optional<bool> keepEmpty = FlagArg(Call, 2, false);
  std::optional<bool> lines = FlagArg(Call, 3, true);
  if (!keepEmpty || !lines) return WrongType();
  if (*lines) separators += u"\r\n";
  TTexts parts;
  for (const std::u16string& text : Call.Arg(0).AsTexts())
    SplitInto(text, separators, *keepEmpty, parts);
  return TValue::Texts(std::move(parts));
}

TValue Implode(TCall& Call) {
  if (Call.Arg(0).Kind() != TValueKind::Text) return WrongType();
  std::u16string separator = u" ";
  if (Call.Count() > 1) {
    if (Call.Arg(1).Kind() != TValueKind::Text) return WrongType();
    separator = Call.Arg(1).AsTexts()[0];
  }
  const TTexts& texts = Call.Arg(0).AsTexts();
  size_t size = 0;
  for (const std::u16string& text : texts) size += text.size() + separator.size();
  if (size > TValue::MaxTextUnits) return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
  std::u16string joined;
  for (size_t i = 0; i < texts.size(); ++i) joined += (i ? separator : u"") + texts[i];
  return TValue::Text(std::move(joined));
}

// Elements equal to From[i] become To[i]; without a To[i] they become "".
TValue Replace(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Text, TValueKind::Text})) return WrongType();
  const TTexts& from = Call.Arg(1).AsTexts();
  const TTexts& to = Call.Arg(2).AsTexts();
  return MapTexts(Call.Arg(0), [&](const std::u16string& text) {
    for (size_t i = 0; i < from.size(); ++i)
      if (text == from[i]) return i < to.size() ? to[i] : std::u16string();
    return text;
  });
}

// Left to right: at each position the first From[i] found there is replaced by To[i] (the last
// To when there are fewer), and the scan goes on after it, so replacements are not replaced.
std::u16string ReplacedIn(const std::u16string& Text, const TTexts& From, const TTexts& To) {
  std::u16string result;
  size_t i = 0;
  while (i < Text.size()) {
    size_t match = From.size();
    for (size_t f = 0; f < From.size() && match == From.size(); ++f)
      if (!From[f].empty() && std::u16string_view(Text).substr(i).starts_with(From[f])) match = f;
    if (match == From.size()) {
      result.push_back(Text[i++]);
      continue;
    }
    result += To[std::min(match, To.size() - 1)];
    i += From[match].size();
    if (result.size() > TValue::MaxTextUnits) break;
  }
  return result;
}

TValue ReplaceSubstring(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Text, TValueKind::Text})) return WrongType();
  const TTexts& from = Call.Arg(1).AsTexts();
  const TTexts& to = Call.Arg(2).AsTexts();
  TTexts results;
  size_t units = 0;
  for (const std::u16string& text : Call.Arg(0).AsTexts()) {
    results.push_back(ReplacedIn(text, from, to));
    units += results.back().size();
    if (units > TValue::MaxTextUnits) return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
  }
  return TValue::Texts(std::move(results));
}

constexpr std::array Specs{
    TFunctionSpec{u"EXPLODE", 1, 4, 0, Explode},
    TFunctionSpec{u"IMPLODE", 1, 2, 0, Implode},
    TFunctionSpec{u"REPLACE", 3, 3, 0, Replace},
    TFunctionSpec{u"REPLACESUBSTRING", 3, 3, 0, ReplaceSubstring},
};

}  // namespace

std::span<const TFunctionSpec> TextListFunctions() {
  return Specs;
}

}  // namespace notesrt
