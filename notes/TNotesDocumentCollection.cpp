#include "TNotesDocumentCollection.h"

#include <algorithm>
#include <cstring>

#include "Classes.h"
#include "ELotusNotes.h"
#include "NotesLock.h"
#include "NotesSummary.h"
#include "SysUtils.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"

namespace {

// View rows that are no documents: categories and totals.
constexpr uint32_t NonDocumentRow = 0x80000000u | 0x40000000u;

}  // namespace

TNotesDocumentCollection::TNotesDocumentCollection(TNotesDatabase& Database)
    : FDatabase(Database) {}

TNotesDocumentCollection::~TNotesDocumentCollection() = default;

int TNotesDocumentCollection::AddDocumentId(int32_t NoteID, const std::string& SummaryText) {
  if (NoteID == 0) return -1;
  FEntries.push_back(std::make_shared<TIDInfo>(NoteID, SummaryText));
  return Count() - 1;
}

const TIDInfo& TNotesDocumentCollection::Entry(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
  return *FEntries[Index];
}

void TNotesDocumentCollection::DeleteDocumentID(int Index) {
  Entry(Index);
  FEntries.erase(FEntries.begin() + Index);
}

int32_t TNotesDocumentCollection::GetDocumentId(int Index) const {
  return Entry(Index).NoteID;
}

const std::string& TNotesDocumentCollection::GetSummaryValues(int Index) const {
  return Entry(Index).SummaryText();
}

std::unique_ptr<TNotesDocument> TNotesDocumentCollection::GetDocument(int Index) const {
  const TIDInfo& entry = Entry(Index);
  auto document = std::make_unique<TNotesDocument>(FDatabase, static_cast<NOTEID>(entry.NoteID));
  if (FUnread) document->AssumeIsRead(false);
  document->SetSummarySource(FEntries[Index]);
  return document;
}

void TNotesDocumentCollection::Clear() {
  while (!FEntries.empty()) FEntries.pop_back();
}

void TNotesDocumentCollection::MarkAllRead(bool Read) {
  FDatabase.MarkAllRead(*this, Read);
}

void TNotesDocumentCollection::GetCollectionByHandle(DHANDLE Buffer, WORD Count,
                                                     bool WithSummaries) {
  DWORD size = 0;
  CheckNotesStatus(OSMemGetSize(Buffer, &size));
  TNotesLock lock(Buffer);
  if (lock.Data() == nullptr) return;
  const char* data = lock.Data();
  size_t position = 0;
  for (WORD i = 0; i < Count && position + sizeof(NOTEID) <= size; ++i) {
    NOTEID noteID;
    std::memcpy(&noteID, data + position, sizeof(noteID));
    position += sizeof(noteID);
    std::string summary;
    if (WithSummaries) {
      const size_t total = SummarySize(data + position, size - position);
      // A summary claiming less than its own header cannot be stepped over.
      if (total < 2 * sizeof(WORD)) break;
      summary.assign(data + position, std::min(total, size - position));
      position += total;
    }
    if ((noteID & NonDocumentRow) != 0 || noteID == 0) continue;
    if (WithSummaries)
      FEntries.push_back(
          TIDInfo::WithSummaryBuffer(static_cast<int32_t>(noteID), std::move(summary)));
    else
      AddDocumentId(static_cast<int32_t>(noteID), summary);
  }
}
