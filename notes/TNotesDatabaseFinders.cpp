// Finding notes of TNotesDatabase by selection formula.
#include <cstring>
#include <exception>

#include "ELotusNotes.h"
#include "NotesApiErrors.h"
#include "NotesSummary.h"
#include "NotesTime.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesDocumentCollection.h"
#include "TNotesFormula.h"
#include "notesapi/nsfsearc.h"

namespace {

struct TSearchContext {
  TNotesDocumentCollection& Collection;
  // A failure inside the callback must not unwind through Notes; it stops the search and is
  // raised once NSFSearch has returned.
  std::exception_ptr Error;
};

std::string SummaryText(const ITEM_TABLE* Summary, WORD Length) {
  std::string text;
  if (Summary != nullptr)
    DecodeSummary(Summary, Length, [&](const std::string& Name, const TVariant& Value) {
      AppendSummaryText(Name, Value, text);
    });
  return text;
}

STATUS LNCALLBACK AddMatch(void* Parameter, SEARCH_MATCH* Match, ITEM_TABLE* Summary) {
  auto& context = *static_cast<TSearchContext*>(Parameter);
  // The match may lie unaligned in the search buffer.
  SEARCH_MATCH match;
  std::memcpy(&match, Match, sizeof(match));
  if ((match.SERetFlags & SE_FMATCH) == 0) return NOERROR;
  try {
    context.Collection.AddDocumentId(static_cast<int32_t>(match.ID.NoteID),
                                     SummaryText(Summary, match.SummaryLength));
  } catch (...) {
    context.Error = std::current_exception();
    return ERR_CANCEL;
  }
  return NOERROR;
}

}  // namespace

std::unique_ptr<TNotesDocumentCollection> TNotesDatabase::FindNotes(const std::string& Formula,
                                                                    TDateTime Since, WORD NoteClass,
                                                                    bool WithSummary) {
  auto collection = std::make_unique<TNotesDocumentCollection>(*this);
  const TNotesFormula formula(Formula.empty() ? "@All" : Formula);
  TIMEDATE since = DateTimeToNotes(Since);
  TSearchContext context{*collection, nullptr};
  const STATUS status =
      NSFSearch(FHandle, formula.Handle(), nullptr, WithSummary ? SEARCH_SUMMARY : 0, NoteClass,
                Since == 0 ? nullptr : &since, AddMatch, &context, nullptr);
  if (context.Error) std::rethrow_exception(context.Error);
  CheckNotesStatus(status);
  return collection;
}

std::unique_ptr<TNotesDocumentCollection> TNotesDatabase::Search(const std::string& Formula,
                                                                 TDateTime Since, int32_t) {
  return FindNotes(Formula, Since, NOTE_CLASS_DOCUMENT, true);
}

std::unique_ptr<TNotesDocument> TNotesDatabase::FindDocument(const std::string& Formula) {
  auto found = Search(Formula, 0, 1);
  if (found->Count() == 0) return nullptr;
  return found->GetDocument(0);
}
