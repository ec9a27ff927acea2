#include "search/SearchNotes.h"

#include "acl/Access.h"
#include "core/SignalHandlers.h"
#include "notesapi/misc.h"
#include "notesapi/nsfnote.h"
#include "search/SearchContext.h"
#include "search/SearchScan.h"
#include "search/SearchSummary.h"
#include "search/formula/Evaluator.h"
#include "storage/Database.h"
#include "views/design/DesignNote.h"

namespace notesrt {

namespace {

// The break handler is a call into the host: often enough to stop promptly, not per note.
constexpr size_t BreakInterval = 64;

class TNoteSearch {
 public:
  TNoteSearch(TDatabase& Database, const TSearchRequest& Request)
      : FDatabase(Database), FRequest(Request), FDbId(Database.Header().DbId) {
    if (Request.Formula) FEvaluator.emplace(Request.Formula);
    if (Request.ClassMask & NOTE_CLASS_PRIVATE) FUser = design::CurrentUser();
    if (Request.Access) FVisibility.emplace(Request.Access->VisibilityIn(Database));
  }

  STATUS Run();

 private:
  bool Selected(const TScannedNote& Note);
  bool ModifiedSince(const TNoteHeader& Header) const;
  bool DesignVisible(const TScannedNote& Note) const;
  STATUS Report(const TScannedNote& Note);

  TDatabase& FDatabase;
  const TSearchRequest& FRequest;
  DBID FDbId;
  std::optional<TEvaluator> FEvaluator;
  std::optional<TVisibility> FVisibility;
  std::string FUser;
  size_t FSeen = 0;
  // Reused for every note.
  std::string FSummary;
};

STATUS TNoteSearch::Run() {
  bool summary = (FRequest.Flags & SEARCH_SUMMARY) != 0;
  bool design = (FRequest.ClassMask & NOTE_CLASS_VIEW) != 0;
  TScanFilter filter{static_cast<WORD>(FRequest.ClassMask & NOTE_CLASS_ALL), -1, false,
                     FEvaluator || summary || design};
  TNoteScan scan(FDatabase.File(), filter);
  TNoteScan::TNotes batch;
  while (scan.Next(batch)) {
    for (const TScannedNote& note : batch) {
      if (++FSeen % BreakInterval == 0)
        if (STATUS status = CheckBreak()) return status;
      if (!Selected(note)) continue;
      if (STATUS status = Report(note)) return status;
    }
  }
  return CheckBreak();
}

bool TNoteSearch::Selected(const TScannedNote& Note) {
  if (!ModifiedSince(Note.Header) || !DesignVisible(Note)) return false;
  if (FVisibility && !FVisibility->Shows(Note.Header.Id, Note.Header.Class)) return false;
  if (!FEvaluator) return true;
  TScannedNoteContext context(FDatabase, Note);
  return FEvaluator->Evaluate(context).Matches;
}

bool TNoteSearch::ModifiedSince(const TNoteHeader& Header) const {
  if (!FRequest.Since) return true;
  // At the very time too: a note saved in the hundredth the last search started is then
  // reported twice rather than missed.
  return TimeDateCompare(&Header.Modified, &*FRequest.Since) >= 0;
}

bool TNoteSearch::DesignVisible(const TScannedNote& Note) const {
  if (Note.Header.Class != NOTE_CLASS_VIEW) return true;
  design::TDesignNote view(Note.Items);
  return !view.IsPrivate() || ((FRequest.ClassMask & NOTE_CLASS_PRIVATE) && view.VisibleTo(FUser));
}

STATUS TNoteSearch::Report(const TScannedNote& Note) {
  SEARCH_MATCH match{};
  match.ID.File = FDbId;
  match.ID.Note = Note.Header.Modified;
  match.ID.NoteID = Note.Header.Id;
  match.OriginatorID = Note.Header.Oid;
  match.NoteClass = Note.Header.Class;
  match.SERetFlags = SE_FMATCH;
  if (!(FRequest.Flags & SEARCH_SUMMARY))
    return FRequest.Routine(FRequest.Parameter, &match, nullptr);
  if (TSummaryTable::WriteItems(Note.Items, MAXSUMMARYSIZE, FSummary))
    match.SERetFlags |= SE_FTRUNCATED;
  match.SummaryLength = static_cast<WORD>(FSummary.size());
  return FRequest.Routine(FRequest.Parameter, &match,
                          reinterpret_cast<ITEM_TABLE*>(FSummary.data()));
}

}  // namespace

STATUS SearchNotes(TDatabase& Database, const TSearchRequest& Request) {
  return TNoteSearch(Database, Request).Run();
}

}  // namespace notesrt
