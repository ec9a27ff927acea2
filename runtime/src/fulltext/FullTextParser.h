#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "fulltext/FullTextLexer.h"
#include "fulltext/FullTextQuery.h"

namespace notesrt {

// Reads the Notes full-text query syntax: words (all must occur), "phrases", AND/&, OR/|,
// NOT/!, parentheses, trailing wildcards, [Field] CONTAINS x and FIELD Field CONTAINS x. NOT
// binds tighter than AND, AND tighter than OR. Words holding no letter or digit are left out,
// as the index holds none of them.
class TFullTextParser {
 public:
  // Raises EStatus: ERR_NOTESRT_FT_SYNTAX, ERR_NOTESRT_FT_NO_WORDS and the lexer's statuses.
  static TFullTextNode Parse(std::string_view Utf8Query);

 private:
  explicit TFullTextParser(std::string_view Utf8Query) : FLexer(Utf8Query) {}

  using TResult = std::optional<TFullTextNode>;
  using EToken = TFullTextLexer::EToken;

  TResult ParseOr();
  TResult ParseAnd();
  TResult ParseUnary();
  TResult ParsePrimary();
  TResult ParseGroup();
  TResult ParseContains(const std::string& FieldName);
  TResult TakeTerm();
  bool StartsOperand() const;
  void Expect(EToken Token);

  // Bounds the recursion, so that a query of nested parentheses cannot exhaust the stack.
  class TNesting {
   public:
    explicit TNesting(TFullTextParser& Parser);
    ~TNesting() { --FParser.FDepth; }

   private:
    TFullTextParser& FParser;
  };

  TFullTextLexer FLexer;
  // The field of the enclosing CONTAINS, empty outside one.
  std::string FFieldKey;
  unsigned FDepth = 0;
};

}  // namespace notesrt
