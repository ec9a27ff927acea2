#pragma once

#include <string>
#include <string_view>

namespace notesrt {

// Splits a full-text query (UTF-8) into the tokens of the Notes query syntax. Raises EStatus
// with ERR_NOTESRT_FT_SYNTAX (unterminated quote or bracket), ERR_NOTESRT_FT_OPERATOR
// (operators this runtime does not offer) and ERR_NOTESRT_FT_WILDCARD.
class TFullTextLexer {
 public:
  enum class EToken { End, Open, Close, And, Or, Not, Field, Contains, FieldName, Phrase, Word };

  explicit TFullTextLexer(std::string_view Query) : FQuery(Query) {}

  // Moves to the next token.
  void Next();
  EToken Token() const { return FToken; }
  // Word, Phrase and FieldName: the text without quotes, brackets or trailing wildcards.
  const std::string& Text() const { return FText; }
  // Word: it ended in wildcards.
  bool Prefix() const { return FPrefix; }

 private:
  void SkipBlanks();
  void ReadEnclosed(char Closing, EToken Token);
  void ReadWord();
  void TakeWildcards();
  void Classify();

  std::string_view FQuery;
  size_t FPosition = 0;
  EToken FToken = EToken::End;
  std::string FText;
  bool FPrefix = false;
};

}  // namespace notesrt
