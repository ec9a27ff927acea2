#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Object.h"

// One entry of a document collection: a note ID and the summary text Notes returned with it.
// An entry read from a view keeps the summary buffer as Notes returned it and turns it into text
// on first use: most entries of a long view are walked, and their summaries never read.
class TIDInfo : public TObject {
 public:
  TIDInfo(int32_t NoteID, std::string SummaryText);
  // Shared, as the collection and its documents hold it: object and count in one allocation.
  static std::shared_ptr<TIDInfo> WithSummaryBuffer(int32_t NoteID, std::string Buffer);
  ~TIDInfo() override;

  const std::string& SummaryText() const;

  const int32_t NoteID;

 private:
  mutable std::string FSummaryText;
  mutable std::string FBuffer;
  mutable bool FDecoded = true;
};
