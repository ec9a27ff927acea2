#pragma once

#include <map>
#include <optional>
#include <set>
#include <vector>

#include "fulltext/FullTextQuery.h"
#include "notesapi/nsfdata.h"

namespace notesrt {

class TFullTextIndex;
class TNoteStore;

// Matching documents with their relevance (0 or more, higher is better).
using TFullTextMatches = std::map<NOTEID, double>;

// Works out which documents a parsed query selects: each term is one index look-up, AND, OR
// and NOT combine their results. A term's relevance is its FTS5 rank; AND and OR add up the
// relevance of the terms a document matched, NOT adds none.
class TFullTextEvaluator {
 public:
  TFullTextEvaluator(TFullTextIndex& Index, TNoteStore& Notes) : FIndex(Index), FNotes(Notes) {}

  TFullTextMatches Evaluate(const TFullTextNode& Node);

 private:
  TFullTextMatches Term(const TFullTextNode& Node);
  TFullTextMatches All(const std::vector<TFullTextNode>& Operands);
  TFullTextMatches Any(const std::vector<TFullTextNode>& Operands);
  TFullTextMatches Complement(const TFullTextNode& Operand);
  // Every document, for NOT without a positive term beside it; read once per search.
  TFullTextMatches Everything();

  TFullTextIndex& FIndex;
  TNoteStore& FNotes;
  std::optional<std::set<NOTEID>> FDocuments;
};

}  // namespace notesrt
