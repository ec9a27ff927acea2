#pragma once

#include "NotesApi.h"
#include "notesapi/nif.h"

class TNotesDocumentCollection;

// One open collection (the index) of a view or folder, closed when the object goes.
class TNotesViewCollection {
 public:
  TNotesViewCollection(DBHANDLE Database, NOTEID ViewNoteID);
  ~TNotesViewCollection();
  TNotesViewCollection(const TNotesViewCollection&) = delete;
  TNotesViewCollection& operator=(const TNotesViewCollection&) = delete;

  // Brings the index up to date with the database.
  void Update();
  // Appends the documents of the view, in view order, with their column values; category and
  // total rows are left out.
  void ReadAll(TNotesDocumentCollection& Into);
  // Closes the collection now and reports Notes' answer.
  STATUS Close();

 private:
  HCOLLECTION FHandle = NULLHANDLE;
};
