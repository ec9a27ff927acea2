#include "fulltext/FullTextLexer.h"

#include <array>
#include <utility>

#include "core/EStatus.h"
#include "notesapi/fterr.h"

namespace notesrt {

namespace {

using EToken = TFullTextLexer::EToken;

constexpr std::string_view Specials = "()&|!\"[]=<>";
// Field comparisons ([Date] > x): the index holds words, not typed values.
constexpr std::string_view Comparisons = "=<>";
constexpr std::string_view Wildcards = "*?";

bool IsBlank(char C) {
  return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\f' || C == '\v';
}

bool IsSpecial(char C) {
  return Specials.find(C) != std::string_view::npos;
}

bool SameWord(std::string_view Text, std::string_view Keyword) {
  if (Text.size() != Keyword.size()) return false;
  for (size_t index = 0; index < Text.size(); ++index) {
    char c = Text[index];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != Keyword[index]) return false;
  }
  return true;
}

constexpr std::array Punctuation{
    std::pair{'(', EToken::Open}, std::pair{')', EToken::Close}, std::pair{'&', EToken::And},
    std::pair{'|', EToken::Or},   std::pair{'!', EToken::Not},
};

constexpr std::array Keywords{
    std::pair<std::string_view, EToken>{"AND", EToken::And},
    std::pair<std::string_view, EToken>{"OR", EToken::Or},
    std::pair<std::string_view, EToken>{"NOT", EToken::Not},
    std::pair<std::string_view, EToken>{"FIELD", EToken::Field},
    std::pair<std::string_view, EToken>{"CONTAINS", EToken::Contains},
};

// Notes operators whose meaning the index cannot give (word weights, proximity within
// sentences or paragraphs, exact case): refused rather than searched for as plain words.
constexpr std::array Unsupported{std::string_view("TERMWEIGHT"), std::string_view("PARAGRAPH"),
                                 std::string_view("SENTENCE"), std::string_view("EXACTCASE")};

}  // namespace

void TFullTextLexer::Next() {
  SkipBlanks();
  FText.clear();
  FPrefix = false;
  if (FPosition == FQuery.size()) {
    FToken = EToken::End;
    return;
  }
  char symbol = FQuery[FPosition];
  for (const auto& [punctuation, token] : Punctuation) {
    if (symbol != punctuation) continue;
    ++FPosition;
    FToken = token;
    return;
  }
  if (symbol == '"') return ReadEnclosed('"', EToken::Phrase);
  if (symbol == '[') return ReadEnclosed(']', EToken::FieldName);
  if (symbol == ']') throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  if (Comparisons.find(symbol) != std::string_view::npos) throw EStatus(ERR_NOTESRT_FT_OPERATOR);
  ReadWord();
}

void TFullTextLexer::SkipBlanks() {
  while (FPosition < FQuery.size() && IsBlank(FQuery[FPosition])) ++FPosition;
}

void TFullTextLexer::ReadEnclosed(char Closing, EToken Token) {
  size_t end = FQuery.find(Closing, FPosition + 1);
  if (end == std::string_view::npos) throw EStatus(ERR_NOTESRT_FT_SYNTAX);
  FText = FQuery.substr(FPosition + 1, end - FPosition - 1);
  FPosition = end + 1;
  FToken = Token;
}

void TFullTextLexer::ReadWord() {
  size_t start = FPosition;
  while (FPosition < FQuery.size() && !IsBlank(FQuery[FPosition]) && !IsSpecial(FQuery[FPosition]))
    ++FPosition;
  FText = FQuery.substr(start, FPosition - start);
  FToken = EToken::Word;
  TakeWildcards();
  Classify();
}

// Only a word's end may be wild: the index finds words by their beginning.
void TFullTextLexer::TakeWildcards() {
  size_t literal = FText.find_last_not_of(Wildcards);
  size_t length = literal == std::string::npos ? 0 : literal + 1;
  FPrefix = length < FText.size();
  FText.resize(length);
  if (FText.empty() || FText.find_first_of(Wildcards) != std::string::npos)
    throw EStatus(ERR_NOTESRT_FT_WILDCARD);
}

void TFullTextLexer::Classify() {
  if (FPrefix) return;
  for (const auto& [keyword, token] : Keywords) {
    if (SameWord(FText, keyword)) {
      FToken = token;
      return;
    }
  }
  for (std::string_view keyword : Unsupported)
    if (SameWord(FText, keyword)) throw EStatus(ERR_NOTESRT_FT_OPERATOR);
}

}  // namespace notesrt
