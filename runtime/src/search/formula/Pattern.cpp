#include "search/formula/Pattern.h"

namespace notesrt {

TPattern TPattern::Matches(std::u16string_view Pattern) {
  TPattern pattern;
  bool repeat = false;
  for (size_t i = 0; i < Pattern.size(); ++i) {
    TElement element;
    char16_t c = Pattern[i];
    if (c == u'+' && !repeat) {
      repeat = true;
      continue;
    }
    if (c == u'?') {
      element.Kind = TKind::Any;
    } else if (c == u'*') {
      element.Kind = TKind::Star;
    } else if (c == u'{') {
      i = ReadSet(Pattern, i + 1, element);
    } else {
      if (c == u'\\' && i + 1 < Pattern.size()) c = Pattern[++i];
      element.Literal = c;
    }
    element.Repeated = repeat;
    repeat = false;
    pattern.FElements.push_back(std::move(element));
  }
  return pattern;
}

// At the character after "{"; returns the index of the closing "}" (or the last index).
size_t TPattern::ReadSet(std::u16string_view Pattern, size_t Start, TElement& Element) {
  Element.Kind = TKind::Set;
  size_t i = Start;
  if (i < Pattern.size() && Pattern[i] == u'!') {
    Element.Negated = true;
    ++i;
  }
  for (; i < Pattern.size() && Pattern[i] != u'}'; ++i) {
    char16_t first = Pattern[i];
    char16_t last = first;
    if (i + 2 < Pattern.size() && Pattern[i + 1] == u'-' && Pattern[i + 2] != u'}') {
      last = Pattern[i + 2];
      i += 2;
    }
    Element.Ranges.push_back(first);
    Element.Ranges.push_back(last);
  }
  return i < Pattern.size() ? i : Pattern.size() - 1;
}

TPattern TPattern::Like(std::u16string_view Pattern, char16_t Escape) {
  TPattern pattern;
  for (size_t i = 0; i < Pattern.size(); ++i) {
    TElement element;
    char16_t c = Pattern[i];
    if (Escape && c == Escape && i + 1 < Pattern.size()) {
      element.Literal = Pattern[++i];
    } else if (c == u'%') {
      element.Kind = TKind::Star;
    } else if (c == u'_') {
      element.Kind = TKind::Any;
    } else {
      element.Literal = c;
    }
    pattern.FElements.push_back(std::move(element));
  }
  return pattern;
}

bool TPattern::Accepts(const TElement& Element, char16_t C) const {
  switch (Element.Kind) {
    case TKind::Literal:
      return C == Element.Literal;
    case TKind::Any:
    case TKind::Star:
      return true;
    case TKind::Set:
      break;
  }
  bool inSet = false;
  for (size_t r = 0; r + 1 < Element.Ranges.size() && !inSet; r += 2)
    inSet = C >= Element.Ranges[r] && C <= Element.Ranges[r + 1];
  return inSet != Element.Negated;
}

// Dynamic programming over the pattern from its end, one row per text position from the end:
// time grows with text times pattern, memory only with the pattern.
bool TPattern::Match(std::u16string_view Text) const {
  size_t count = FElements.size();
  std::vector<char> next(count + 1, 0);  // row for text position i + 1
  std::vector<char> row(count + 1, 0);
  for (size_t i = Text.size() + 1; i-- > 0;) {
    bool atEnd = i == Text.size();
    row[count] = atEnd;
    for (size_t j = count; j-- > 0;) {
      const TElement& element = FElements[j];
      bool consumes = !atEnd && Accepts(element, Text[i]);
      if (element.Kind == TKind::Star || element.Repeated)
        row[j] = row[j + 1] || (consumes && next[j]);
      else
        row[j] = consumes && next[j + 1];
    }
    std::swap(row, next);
  }
  return next[0];
}

}  // namespace notesrt
