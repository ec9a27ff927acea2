#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// A text pattern for @Matches and @Like, matched against the whole text, case-sensitively.
class TPattern {
 public:
  // @Matches: "?" any character, "*" any run, "{abc}" one of a set, "{a-z}" a range, "{!..}"
  // anything but the set, "+" any number of the element after it, "\" the next character as
  // it is.
  static TPattern Matches(std::u16string_view Pattern);
  // @Like: "%" any run, "_" any character, Escape (when not 0) the next character as it is.
  static TPattern Like(std::u16string_view Pattern, char16_t Escape);

  bool Match(std::u16string_view Text) const;

 private:
  enum class TKind { Literal, Any, Star, Set };
  struct TElement {
    TKind Kind = TKind::Literal;
    char16_t Literal = 0;
    std::u16string Ranges;  // pairs of first and last character
    bool Negated = false;
    bool Repeated = false;  // "+": zero or more of this element
  };

  static size_t ReadSet(std::u16string_view Pattern, size_t Start, TElement& Element);
  bool Accepts(const TElement& Element, char16_t C) const;

  std::vector<TElement> FElements;
};

}  // namespace notesrt
