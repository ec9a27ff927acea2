#pragma once

#include <string>

#include "NotesApi.h"

// Marks where the items of one name end in a note, so that items appended after the mark can be
// taken back when a later step fails.
class TAppendedItems {
 public:
  TAppendedItems(NOTEHANDLE Note, std::string LmbcsName);

  // Removes every item of the name that follows the mark. Failures are not reported: this runs
  // while another failure is on its way to the caller.
  void Remove() const;

 private:
  NOTEHANDLE FNote;
  std::string FLmbcsName;
  BLOCKID FLastBefore{};
};
