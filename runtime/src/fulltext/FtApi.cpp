// Full-text search: FTOpenSearch, FTSearch, FTCloseSearch and FTIndex over the database's FTS5
// index.
#include "acl/Access.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/IdTable.h"
#include "fulltext/FullTextEvaluator.h"
#include "fulltext/FullTextIndex.h"
#include "fulltext/FullTextParser.h"
#include "fulltext/FullTextResults.h"
#include "fulltext/FullTextSearchHandle.h"
#include "notesapi/ft.h"
#include "notesapi/fterr.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "text/TextFold.h"

using notesrt::TFullTextSearchHandle;
using notesrt::THandleTable;

namespace {

// What this runtime honours. Every other bit would change the form of the results (a
// collection, a count, an ID table) or ask for an order or a widening it does not offer, and
// is refused rather than silently ignored.
constexpr DWORD SupportedOptions =
    FT_SEARCH_REFINE | FT_SEARCH_SCORES | FT_SEARCH_TOP_SCORES | FT_SEARCH_STEM_WORDS;

// The index is always stemmed and without regard to case; asking for that, or for the options
// the database has, is fine. Other index options are refused.
constexpr WORD SupportedIndexOptions =
    FT_INDEX_REINDEX | FT_INDEX_STEM_INDEX | FT_INDEX_AUTOOPTIONS;

const std::set<NOTEID>* RefiningIds(DHANDLE hIDTable) {
  if (hIDTable == NULLHANDLE) return nullptr;
  return &THandleTable::Instance().Get<notesrt::TIdTable>(hIDTable).Ids();
}

// One write transaction: the index is built first if the database has none, and every look-up
// of the query sees the same state of the database.
std::vector<notesrt::TFullTextHit> Search(notesrt::TDatabase& Database,
                                          const notesrt::TFullTextNode& Query,
                                          const std::set<NOTEID>* Within, WORD Limit) {
  return Database.Write([&] {
    notesrt::TFullTextIndex index(Database.File());
    index.Ensure();
    notesrt::TFullTextEvaluator evaluator(index, Database.Notes());
    return notesrt::RankFullTextHits(evaluator.Evaluate(Query), Within, Limit);
  });
}

// The hits the user may read, at most Limit of them (0: all): hidden ones are dropped before
// the limit counts.
std::vector<notesrt::TFullTextHit> VisibleHits(DBHANDLE hDB, notesrt::TDatabase& Database,
                                               const notesrt::TFullTextNode& Query,
                                               const std::set<NOTEID>* Within, WORD Limit) {
  const notesrt::TAccess* access = notesrt::TAccess::Of(hDB);
  if (!access) return Search(Database, Query, Within, Limit);
  std::vector<notesrt::TFullTextHit> hits = Search(Database, Query, Within, 0);
  notesrt::TVisibility visibility = access->VisibilityIn(Database);
  std::erase_if(hits, [&](const notesrt::TFullTextHit& Hit) {
    return !visibility.Shows(Hit.Id, NOTE_CLASS_DOCUMENT);
  });
  if (Limit && hits.size() > Limit) hits.resize(Limit);
  return hits;
}

}  // namespace

STATUS LNPUBLIC FTOpenSearch(DHANDLE* rethSearch) {
  if (rethSearch) *rethSearch = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethSearch) return ERR_MISC_INVALID_ARGS;
    *rethSearch = THandleTable::Instance().Add(std::make_unique<TFullTextSearchHandle>());
    return NOERROR;
  });
}

// No hits is ERR_FT_NOMATCHES with no results handle and a count of 0, as published.
STATUS LNPUBLIC FTSearch(DBHANDLE hDB, DHANDLE* phSearch, HCOLLECTION hColl, char* Query,
                         DWORD Options, WORD Limit, DHANDLE hIDTable, DWORD* retNumDocs, DHANDLE*,
                         DHANDLE* rethResults) {
  if (retNumDocs) *retNumDocs = 0;
  if (rethResults) *rethResults = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!phSearch || !Query) return ERR_MISC_INVALID_ARGS;
    if (Options & ~SupportedOptions) return ERR_NOTESRT_FT_OPTIONS;
    if (hColl != NULLHANDLE) return ERR_NOTESRT_FT_COLLECTION;
    THandleTable::Instance().Get<TFullTextSearchHandle>(*phSearch);
    const std::shared_ptr<notesrt::TDatabase>& database = notesrt::TDbHandle::DatabaseOf(hDB);
    const std::set<NOTEID>* within = RefiningIds(hIDTable);
    notesrt::TFullTextNode query = notesrt::TFullTextParser::Parse(notesrt::LmbcsToUtf8(Query));
    std::vector<notesrt::TFullTextHit> hits = VisibleHits(hDB, *database, query, within, Limit);
    if (hits.empty()) return ERR_FT_NOMATCHES;
    if (retNumDocs) *retNumDocs = static_cast<DWORD>(hits.size());
    if (rethResults)
      *rethResults = notesrt::FullTextResultsBlock(hits, (Options & FT_SEARCH_SCORES) != 0);
    return NOERROR;
  });
}

// The index is kept current inside every note's own transaction, so bringing it up to date
// only makes it when the database has none (or again with FT_INDEX_REINDEX). The statistics
// give the documents the index holds as added. The stop-word file is not used.
STATUS LNPUBLIC FTIndex(DBHANDLE hDB, WORD Options, char*, FT_INDEX_STATS* retStats) {
  if (retStats) *retStats = FT_INDEX_STATS{};
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (Options & ~SupportedIndexOptions) return ERR_NOTESRT_FT_OPTIONS;
    notesrt::TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    const size_t documents = database.Write([&] {
      notesrt::TFullTextIndex index(database.File());
      if (Options & FT_INDEX_REINDEX)
        index.Rebuild();
      else
        index.Ensure();
      return database.Notes().Documents().size();
    });
    if (retStats) retStats->DocsAdded = static_cast<DWORD>(documents);
    return NOERROR;
  });
}

STATUS LNPUBLIC FTCloseSearch(DHANDLE hSearch) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    return THandleTable::Instance().Remove(hSearch, TFullTextSearchHandle::KindId)
               ? NOERROR
               : ERR_NOTESRT_INVALID_HANDLE;
  });
}
