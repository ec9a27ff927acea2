#pragma once

#include <string>

#include "NotesApi.h"
#include "Object.h"

// A file attachment of an open note: where its "$FILE" item lies and its name as stored
// (native, case kept), for the document's list of attachments.
class TNotesAttachment : public TObject {
 public:
  TNotesAttachment(BLOCKID ItemBID, std::string FileName)
      : ItemBID(ItemBID), FileName(std::move(FileName)) {}
  ~TNotesAttachment() override;

  BLOCKID ItemBID;
  std::string FileName;
};
