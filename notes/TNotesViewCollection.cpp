#include "TNotesViewCollection.h"

#include <algorithm>
#include <utility>

#include "ELotusNotes.h"
#include "NotesHandle.h"
#include "TNotesDocumentCollection.h"

namespace {

// As many entries as one read may return; a buffer holds far fewer.
constexpr DWORD ReadCount = 65535;

}  // namespace

TNotesViewCollection::TNotesViewCollection(DBHANDLE Database, NOTEID ViewNoteID) {
  CheckNotesStatus(NIFOpenCollection(Database, Database, ViewNoteID, 0, NULLHANDLE, &FHandle,
                                     nullptr, nullptr, nullptr, nullptr));
}

TNotesViewCollection::~TNotesViewCollection() {
  Close();
}

void TNotesViewCollection::Update() {
  CheckNotesStatus(NIFUpdateCollection(FHandle));
}

void TNotesViewCollection::ReadAll(TNotesDocumentCollection& Into) {
  COLLECTIONPOSITION position{};
  WORD signals = 0;
  do {
    TMemoryHandle buffer;
    DWORD returned = 0;
    signals = 0;
    CheckNotesStatus(NIFReadEntries(FHandle, &position, NAVIGATE_NEXT, 1, NAVIGATE_NEXT, ReadCount,
                                    READ_MASK_NOTEID | READ_MASK_SUMMARY, buffer.Receive(), nullptr,
                                    nullptr, &returned, &signals));
    if (buffer)
      Into.GetCollectionByHandle(buffer.Get(),
                                 static_cast<WORD>(std::min<DWORD>(returned, MAXWORD)), true);
    // More to do without a single entry would read the same place forever.
    if ((signals & SIGNAL_MORE_TO_DO) != 0 && returned == 0)
      throw ELotusNotes(-1, "Reading the view made no progress");
  } while ((signals & SIGNAL_MORE_TO_DO) != 0);
}

STATUS TNotesViewCollection::Close() {
  const HCOLLECTION handle = std::exchange(FHandle, HCOLLECTION{NULLHANDLE});
  return handle == NULLHANDLE ? NOERROR : NIFCloseCollection(handle);
}
