#pragma once

#include <string>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "notesapi/notesrt.h"

// The process acts as Name (a person, or a server whose administration acts with the server's
// own identity) while the object lives, as switching to that ID would make it; the stand-in has
// no ID files, so the runtime's user switch stands in. An empty Name changes nothing.
class TActingAs {
 public:
  explicit TActingAs(const std::string& Name) : FActing(!Name.empty()) {
    if (FActing) CheckNotesStatus(NotesRTSwitchUser(Native2Lmbcs(Name).c_str()));
  }
  ~TActingAs() {
    if (FActing) NotesRTSwitchUser(nullptr);
  }
  TActingAs(const TActingAs&) = delete;
  TActingAs& operator=(const TActingAs&) = delete;

 private:
  bool FActing;
};
