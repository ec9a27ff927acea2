#pragma once

#include <cstdint>
#include <string>

#include "Object.h"

// One entry of a document collection: a note ID and the summary text Notes returned with it.
class TIDInfo : public TObject {
 public:
  TIDInfo(int32_t NoteID, std::string SummaryText)
      : NoteID(NoteID), SummaryText(std::move(SummaryText)) {}
  ~TIDInfo() override;

  int32_t NoteID;
  std::string SummaryText;
};
