#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "NotesApi.h"
#include "TIDInfo.h"

class TNotesDatabase;
class TNotesDocument;

// An ordered list of note IDs of one database, each with the summary text Notes returned for
// it. The result of the database's finders; views and folders derive from it. The collection
// must not outlive its database.
class TNotesDocumentCollection {
 public:
  explicit TNotesDocumentCollection(TNotesDatabase& Database);
  virtual ~TNotesDocumentCollection();
  TNotesDocumentCollection(const TNotesDocumentCollection&) = delete;
  TNotesDocumentCollection& operator=(const TNotesDocumentCollection&) = delete;

  TNotesDatabase& Database() const { return FDatabase; }
  // Set for the user's unread documents: the documents handed out are then known to be unread.
  bool Unread() const { return FUnread; }
  void SetUnread(bool Value) { FUnread = Value; }

  int Count() const { return static_cast<int>(FEntries.size()); }
  // Appends an entry and returns its index; a note ID of 0 adds nothing and gives -1.
  int AddDocumentId(int32_t NoteID, const std::string& SummaryText);
  // Indexes outside the list raise EStringListError.
  void DeleteDocumentID(int Index);
  int32_t GetDocumentId(int Index) const;
  const std::string& GetSummaryValues(int Index) const;
  // Opens the entry's note as a new document owned by the caller, carrying the entry's summary
  // lines. Its read state is known for an unread collection; otherwise it is asked for when
  // first needed.
  std::unique_ptr<TNotesDocument> GetDocument(int Index) const;
  virtual void Clear();
  void MarkAllRead(bool Read);

  // Appends the entries of a buffer read from a view: per entry a 32-bit note ID, then with
  // summaries a summary buffer. Category and total rows (the top bits of the ID) are skipped.
  // Reading stops at the end of the buffer, however many entries Count claims.
  void GetCollectionByHandle(DHANDLE Buffer, WORD Count, bool WithSummaries);

 private:
  const TIDInfo& Entry(int Index) const;

  TNotesDatabase& FDatabase;
  bool FUnread = false;
  std::vector<std::shared_ptr<const TIDInfo>> FEntries;
};
