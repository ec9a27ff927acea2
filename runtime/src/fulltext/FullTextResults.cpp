#include "fulltext/FullTextResults.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/ft.h"

namespace notesrt {

namespace {

struct TRanked {
  NOTEID Id;
  double Relevance;
};

bool Better(const TRanked& A, const TRanked& B) {
  return A.Relevance != B.Relevance ? A.Relevance > B.Relevance : A.Id < B.Id;
}

// Relative to the best hit; a hit that matched through NOT alone still scores 1.
BYTE ScoreOf(double Relevance, double Best) {
  if (Best <= 0) return 100;
  return static_cast<BYTE>(std::clamp(std::lround(100 * Relevance / Best), 1L, 100L));
}

}  // namespace

std::vector<TFullTextHit> RankFullTextHits(const TFullTextMatches& Matches,
                                           const std::set<NOTEID>* Within, size_t Limit) {
  std::vector<TRanked> ranked;
  for (const auto& [id, relevance] : Matches)
    if (!Within || Within->count(id)) ranked.push_back(TRanked{id, relevance});
  size_t count = Limit == 0 ? ranked.size() : std::min(Limit, ranked.size());
  std::partial_sort(ranked.begin(), ranked.begin() + static_cast<ptrdiff_t>(count), ranked.end(),
                    Better);
  std::vector<TFullTextHit> hits;
  double best = ranked.empty() ? 0 : ranked.front().Relevance;
  for (size_t index = 0; index < count; ++index)
    hits.push_back(TFullTextHit{ranked[index].Id, ScoreOf(ranked[index].Relevance, best)});
  return hits;
}

DHANDLE FullTextResultsBlock(const std::vector<TFullTextHit>& Hits, bool WithScores) {
  size_t idBytes = Hits.size() * sizeof(NOTEID);
  size_t size = sizeof(FT_SEARCH_RESULTS) + idBytes + (WithScores ? Hits.size() : 0);
  DHANDLE handle = TMemoryBlock::Allocate(size);
  char* data = THandleTable::Instance().Get<TMemoryBlock>(handle).Data();
  FT_SEARCH_RESULTS header{static_cast<DWORD>(Hits.size()),
                           static_cast<WORD>(WithScores ? FT_RESULTS_SCORES : 0), 0};
  std::memcpy(data, &header, sizeof header);
  char* ids = data + sizeof header;
  char* scores = ids + idBytes;
  for (size_t index = 0; index < Hits.size(); ++index) {
    std::memcpy(ids + index * sizeof(NOTEID), &Hits[index].Id, sizeof(NOTEID));
    if (WithScores) scores[index] = static_cast<char>(Hits[index].Score);
  }
  return handle;
}

}  // namespace notesrt
