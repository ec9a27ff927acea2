// Parts of texts: @Left, @Right, @LeftBack, @RightBack, @Middle, @Word. Each works on every
// element of its first argument; a count or a text to look for comes as the second. A text
// that is not found gives "".
#include <algorithm>
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"

namespace notesrt {

namespace {

using TView = std::u16string_view;

// The second argument: a count (whole, not negative) or a text.
struct TBound {
  bool IsCount = false;
  size_t Count = 0;
  std::u16string Text;
};

std::optional<TBound> BoundOf(const TValue& Value) {
  TBound bound;
  if (Value.Kind() == TValueKind::Text) {
    bound.Text = Value.AsTexts()[0];
    return bound;
  }
  std::optional<long long> count = WholeNumber(Value);
  if (!count) return std::nullopt;
  bound.IsCount = true;
  bound.Count = static_cast<size_t>(std::max(0LL, *count));
  return bound;
}

// Applies Part(text, bound) to each element of argument 0.
template <class TPart>
TValue WithBound(const TCall& Call, TPart Part) {
  std::optional<TBound> bound = BoundOf(Call.Arg(1));
  if (!bound) return WrongType();
  return MapTexts(Call.Arg(0), [&](const std::u16string& text) {
    return std::u16string(Part(TView(text), *bound));
  });
}

TValue Left(TCall& Call) {
  return WithBound(Call, [](TView text, const TBound& bound) {
    if (bound.IsCount) return text.substr(0, bound.Count);
    size_t at = text.find(bound.Text);
    return at == text.npos ? TView() : text.substr(0, at);
  });
}

TValue Right(TCall& Call) {
  return WithBound(Call, [](TView text, const TBound& bound) {
    if (bound.IsCount) return text.substr(text.size() - std::min(bound.Count, text.size()));
    size_t at = text.find(bound.Text);
    return at == text.npos ? TView() : text.substr(at + bound.Text.size());
  });
}

TValue LeftBack(TCall& Call) {
  return WithBound(Call, [](TView text, const TBound& bound) {
    if (bound.IsCount) return text.substr(0, text.size() - std::min(bound.Count, text.size()));
    size_t at = text.rfind(bound.Text);
    return at == text.npos ? TView() : text.substr(0, at);
  });
}

TValue RightBack(TCall& Call) {
  return WithBound(Call, [](TView text, const TBound& bound) {
    if (bound.IsCount) return text.substr(std::min(bound.Count, text.size()));
    size_t at = text.rfind(bound.Text);
    return at == text.npos ? TView() : text.substr(at + bound.Text.size());
  });
}

// Where @Middle starts: an offset from the beginning, or just after a text.
std::optional<size_t> MiddleStart(TView Text, const TValue& Start, size_t& Before) {
  if (Start.Kind() == TValueKind::Text) {
    const std::u16string& after = Start.AsTexts()[0];
    size_t at = Text.find(after);
    if (at == Text.npos) return std::nullopt;
    Before = at;
    return at + after.size();
  }
  std::optional<long long> offset = WholeNumber(Start);
  auto start = static_cast<size_t>(
      std::clamp<long long>(offset.value_or(0), 0, static_cast<long long>(Text.size())));
  Before = start;
  return start;
}

// A count of characters (negative: that many before the start) or up to a text.
TView MiddlePart(TView Text, size_t Start, size_t Before, const TValue& End) {
  if (End.Kind() == TValueKind::Text) {
    size_t at = Text.find(End.AsTexts()[0], Start);
    return at == Text.npos ? TView() : Text.substr(Start, at - Start);
  }
  long long count = WholeNumber(End).value_or(0);
  if (count >= 0) return Text.substr(Start, static_cast<size_t>(count));
  size_t back = std::min(static_cast<size_t>(-count), Before);
  return Text.substr(Before - back, back);
}

TValue Middle(TCall& Call) {
  const TValue& start = Call.Arg(1);
  const TValue& end = Call.Arg(2);
  bool usable = (start.Kind() == TValueKind::Text || WholeNumber(start)) &&
                (end.Kind() == TValueKind::Text || WholeNumber(end));
  if (!usable) return WrongType();
  return MapTexts(Call.Arg(0), [&](const std::u16string& text) {
    size_t before = 0;
    std::optional<size_t> from = MiddleStart(text, start, before);
    return from ? std::u16string(MiddlePart(text, *from, before, end)) : std::u16string();
  });
}

// Word N (1-based; negative counts from the end) between any of the separator characters.
TValue Word(TCall& Call) {
  if (!Call.HasKinds({TValueKind::Text, TValueKind::Text})) return WrongType();
  std::optional<long long> wanted = WholeNumber(Call.Arg(2));
  if (!wanted) return WrongType();
  const std::u16string& separators = Call.Arg(1).AsTexts()[0];
  return MapTexts(Call.Arg(0), [&](const std::u16string& text) {
    std::vector<TView> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && separators.find(text[i]) == std::u16string::npos) continue;
      words.push_back(TView(text).substr(start, i - start));
      start = i + 1;
    }
    auto count = static_cast<long long>(words.size());
    long long index = *wanted > 0 ? *wanted - 1 : count + *wanted;
    return index >= 0 && index < count ? std::u16string(words[static_cast<size_t>(index)])
                                       : std::u16string();
  });
}

constexpr std::array Specs{
    TFunctionSpec{u"LEFT", 2, 2, 0, Left},         TFunctionSpec{u"RIGHT", 2, 2, 0, Right},
    TFunctionSpec{u"LEFTBACK", 2, 2, 0, LeftBack}, TFunctionSpec{u"RIGHTBACK", 2, 2, 0, RightBack},
    TFunctionSpec{u"MIDDLE", 3, 3, 0, Middle},     TFunctionSpec{u"WORD", 3, 3, 0, Word},
};

}  // namespace

std::span<const TFunctionSpec> SubstringFunctions() {
  return Specs;
}

}  // namespace notesrt
