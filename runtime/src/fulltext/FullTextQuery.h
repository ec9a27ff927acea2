#pragma once

#include <string>
#include <vector>

namespace notesrt {

// One parsed full-text query: words and phrases (Term), optionally limited to one field, under
// AND, OR and NOT.
struct TFullTextNode {
  enum class EKind { Term, And, Or, Not };

  EKind Kind = EKind::Term;
  // Term: the words as the user wrote them (UTF-8), searched as one phrase.
  std::string Text;
  // Term: the last word is a prefix (it ended in a wildcard).
  bool Prefix = false;
  // Term: FullTextFieldKey of the field to search in, empty for every field.
  std::string FieldKey;
  // And and Or: two or more; Not: one.
  std::vector<TFullTextNode> Children;
};

}  // namespace notesrt
