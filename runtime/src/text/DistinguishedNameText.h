#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace notesrt {

// An LMBCS name seen as characters. The data bytes of a multibyte LMBCS character may look like
// ASCII ("/", "=", a blank), so delimiters count only at character starts; "$" makes the
// character after it literal. Results are views into the text, which must outlive the object.
class TDistinguishedNameText {
 public:
  explicit TDistinguishedNameText(std::string_view Text);

  // The text without unescaped blanks at either end.
  std::string_view Trimmed() const { return Span(0, FChars.size()); }
  // The trimmed pieces between unescaped Delimiters; one piece for a text without any.
  std::vector<std::string_view> Split(char Delimiter) const;
  // Byte offset of the first or the last unescaped Delimiter; npos when there is none.
  size_t FindFirst(char Delimiter) const;
  size_t FindLast(char Delimiter) const;
  size_t CharacterCount() const { return FChars.size(); }

 private:
  struct TChar {
    size_t Offset;
    size_t Size;
    bool Escaped;
  };

  void AddChar(size_t Offset, size_t Size);
  bool Is(size_t Index, char Ascii) const;
  bool IsBlank(size_t Index) const { return Is(Index, ' ') || Is(Index, '\t'); }
  // The characters [From, To) without blanks at either end.
  std::string_view Span(size_t From, size_t To) const;

  std::string_view FText;
  std::vector<TChar> FChars;
};

}  // namespace notesrt
