#pragma once

#include <cstddef>
#include <set>
#include <vector>

#include "fulltext/FullTextEvaluator.h"
#include "notesapi/global.h"

namespace notesrt {

struct TFullTextHit {
  NOTEID Id = 0;
  // 1 to 100, the best hit of the search 100.
  BYTE Score = 0;
};

// The hits of a search, best first (equal relevance in note ID order): only those in Within
// when it is given, at most Limit of them when Limit is not 0.
std::vector<TFullTextHit> RankFullTextHits(const TFullTextMatches& Matches,
                                           const std::set<NOTEID>* Within, size_t Limit);

// A new memory handle holding the published FT_SEARCH_RESULTS block: the header, the note IDs,
// then with WithScores one score byte per hit (FT_RESULTS_SCORES).
DHANDLE FullTextResultsBlock(const std::vector<TFullTextHit>& Hits, bool WithScores);

}  // namespace notesrt
