// Texts and lists of texts: @Explode, @Implode, @Replace, @ReplaceSubstring, @Repeat.
#include <algorithm>
#include <array>
#include <cmath>

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

// Each pair in turn, on what the pairs before it left: every occurrence of From[i], left to
// right, becomes To[i] (the last To when there are fewer). Nothing when the text grows too large.
std::optional<std::u16string> ReplacedIn(std::u16string Text, const TTexts& From,
                                         const TTexts& To) {
  for (size_t pair = 0; pair < From.size(); ++pair) {
    const std::u16string& from = From[pair];
    if (from.empty()) continue;
    const std::u16string& to = To[std::min(pair, To.size() - 1)];
    std::u16string result;
    size_t start = 0;
    for (size_t at = Text.find(from); at != Text.npos; at = Text.find(from, start)) {
      result.append(Text, start, at - start).append(to);
      start = at + from.size();
      if (result.size() > TValue::MaxTextUnits) return std::nullopt;
    }
    Text = std::move(result.append(Text, start));
  }
  return Text;
}

TValue ReplaceSubstring(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Text, TValueKind::Text})) return WrongType();
  TTexts results;
  size_t units = 0;
  for (const std::u16string& text : Call.Arg(0).AsTexts()) {
    std::optional<std::u16string> replaced =
        ReplacedIn(text, Call.Arg(1).AsTexts(), Call.Arg(2).AsTexts());
    units += replaced ? replaced->size() : 0;
    if (!replaced || units > TValue::MaxTextUnits) return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
    results.push_back(std::move(*replaced));
  }
  return TValue::Texts(std::move(results));
}

// @Repeat(text; times; at most this many characters): each element repeated.
TValue Repeat(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Number})) return WrongType();
  double times = std::max(0.0, std::trunc(Call.Arg(1).AsNumbers()[0]));
  double limit = HUGE_VAL;
  if (Call.Count() > 2) {
    if (Call.Arg(2).Kind() != TValueKind::Number) return WrongType();
    limit = std::max(0.0, std::trunc(Call.Arg(2).AsNumbers()[0]));
  }
  TTexts results;
  double units = 0;
  for (const std::u16string& text : Call.Arg(0).AsTexts()) {
    double length = std::min(times * static_cast<double>(text.size()), limit);
    units += length;
    if (units > TValue::MaxTextUnits) return TValue::Error(ERR_FORMULA_VALUE_TOO_BIG);
    std::u16string repeated;
    repeated.reserve(static_cast<size_t>(length));
    while (static_cast<double>(repeated.size()) < length)
      repeated.append(text, 0, static_cast<size_t>(length) - repeated.size());
    results.push_back(std::move(repeated));
  }
  return TValue::Texts(std::move(results));
}

constexpr std::array Specs{
    TFunctionSpec{u"EXPLODE", 1, 4, 0, Explode},
    TFunctionSpec{u"IMPLODE", 1, 2, 0, Implode},
    TFunctionSpec{u"REPLACE", 3, 3, 0, Replace},
    TFunctionSpec{u"REPLACESUBSTRING", 3, 3, 0, ReplaceSubstring},
    TFunctionSpec{u"REPEAT", 2, 3, 0, Repeat},
};

}  // namespace

std::span<const TFunctionSpec> TextListFunctions() {
  return Specs;
}

}  // namespace notesrt
