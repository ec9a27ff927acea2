// Full-text search of TNotesDatabase.
#include <cstring>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesHandle.h"
#include "NotesLock.h"
#include "TNotesDatabase.h"
#include "TNotesDocumentCollection.h"
#include "notesapi/ft.h"

namespace {

using TSearchHandle = TNotesHandle<FTCloseSearch>;

// These make FTSearch return a collection, a bare count or an ID table instead of the results
// block read below, which would then be misread.
constexpr DWORD ResultFormOptions =
    FT_SEARCH_SET_COLL | FT_SEARCH_NUMDOCS_ONLY | FT_SEARCH_RET_IDTABLE;

// Relevance order with scores; stemming, as the library has always asked for.
constexpr DWORD AlwaysOptions = FT_SEARCH_SCORES | FT_SEARCH_STEM_WORDS;

// Header, then the note IDs. A count larger than the block is read only as far as the block
// goes.
void AddHits(TNotesDocumentCollection& Collection, DHANDLE Results) {
  DWORD size = 0;
  CheckNotesStatus(OSMemGetSize(Results, &size));
  TNotesLock lock(Results);
  if (!lock.Data() || size < sizeof(FT_SEARCH_RESULTS))
    throw ELotusNotes(-1, "Full-text search results could not be read");
  FT_SEARCH_RESULTS header;
  std::memcpy(&header, lock.Data(), sizeof header);
  const char* ids = lock.Data() + sizeof header;
  DWORD readable = (size - sizeof header) / sizeof(NOTEID);
  for (DWORD index = 0; index < header.NumHits && index < readable; ++index) {
    NOTEID id;
    std::memcpy(&id, ids + index * sizeof id, sizeof id);
    Collection.AddDocumentId(static_cast<int32_t>(id), "");
  }
}

}  // namespace

std::unique_ptr<TNotesDocumentCollection> TNotesDatabase::FTSearch(const std::string& Query,
                                                                   int32_t, uint32_t OptionsA,
                                                                   uint32_t OptionsB) {
  const DWORD options = OptionsA | OptionsB;
  if (options & ResultFormOptions)
    throw ELotusNotes(-1,
                      "Full-text search options that change the form of the results (set "
                      "collection, count only, ID table) are not supported");
  auto collection = std::make_unique<TNotesDocumentCollection>(*this);
  TSearchHandle search;
  CheckNotesStatus(FTOpenSearch(search.Receive()));
  std::string query = Native2Lmbcs(Query);
  DWORD found = 0;
  TMemoryHandle results;
  // FTSearch may hand back another search handle; the one it leaves is the one to close.
  DHANDLE handle = search.Detach();
  const STATUS status =
      ::FTSearch(FHandle, &handle, NULLHANDLE, query.data(), options | AlwaysOptions, 0, NULLHANDLE,
                 &found, nullptr, results.Receive());
  search = TSearchHandle(handle);
  // Notes reports a search without hits as an error, with no results handle.
  if (ERR(status) != ERR_FT_NOMATCHES) CheckNotesStatus(status);
  if (results) AddHits(*collection, results.Get());
  CheckNotesStatus(results.Reset());
  CheckNotesStatus(search.Reset());
  return collection;
}
