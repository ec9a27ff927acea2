#pragma once

#include <string>

#include "NotesApi.h"

// A compound-text context that writes one field of a note from plain text. Nothing reaches the
// note before Close; a context not closed is discarded, so a failure on the way changes
// nothing.
class TCompoundText {
 public:
  // Raises ELotusNotes when Notes refuses the context.
  TCompoundText(NOTEHANDLE Note, const std::string& LmbcsName);
  ~TCompoundText();
  TCompoundText(const TCompoundText&) = delete;
  TCompoundText& operator=(const TCompoundText&) = delete;

  // LMBCS text in the default font and paragraph style, a paragraph for each CR LF line.
  void AddText(const std::string& Lmbcs);
  // Appends the field to the note.
  void Close();

 private:
  DHANDLE FHandle = NULLHANDLE;
};
