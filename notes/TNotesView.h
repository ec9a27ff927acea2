#pragma once

#include <memory>
#include <string>

#include "NotesApi.h"
#include "TNotesDocumentCollection.h"

// The documents a view or folder of a database shows, in view order, each with the values of
// the view's columns as its summary text. The view's design note is found by name: its whole
// title, a title with an alias ("Inbox|($Inbox)") or the alias alone, shared or the current
// user's private one. The view must not outlive its database.
class TNotesView : public TNotesDocumentCollection {
 public:
  // Reads the entries of the view ViewName.
  TNotesView(TNotesDatabase& Database, const std::string& ViewName);
  // The view object alone; LoadByID reads the entries.
  static std::unique_ptr<TNotesView> CreateUnloaded(TNotesDatabase& Database,
                                                    const std::string& ViewName);
  // A TNotesFolder for a folder's design note, else a TNotesView, read and owned by the caller.
  static std::unique_ptr<TNotesView> OpenView(TNotesDatabase& Database,
                                              const std::string& ViewName);
  // The same for a design note already found.
  static std::unique_ptr<TNotesView> OpenView(TNotesDatabase& Database, const std::string& ViewName,
                                              NOTEID ViewNoteID);
  // The note ID of the design note of ViewName; raises ELotusNotes when there is none.
  static NOTEID GetViewID(TNotesDatabase& Database, const std::string& ViewName);
  // The design flags ("$Flags") of a view's design note.
  static std::string LoadFlags(TNotesDatabase& Database, NOTEID ViewNoteID);

  const std::string& Name() const { return FName; }
  NOTEID ViewNoteID() const { return FViewNoteID; }
  const std::string& Flags() const { return FFlags; }

  // Reads the entries by name, after those already held.
  void Load();
  // Reads the entries of the design note ViewNoteID, after those already held. A view's design
  // note read into a TNotesFolder raises ELnInvalidFolder.
  void LoadByID(NOTEID ViewNoteID);
  // Brings the view's index up to date and reads its entries afresh. Returns the status of
  // closing the collection.
  STATUS Update();

  bool GetIsFolder() const;
  bool GetIsShared() const;
  ORIGINATORID GetOriginatorID() const;
  UNIVERSALNOTEID GetUniversalID() const;

 protected:
  struct TUnloaded {};
  TNotesView(TNotesDatabase& Database, const std::string& ViewName, TUnloaded);

  std::string FName;
  NOTEID FViewNoteID = 0;
  std::string FFlags;
};
