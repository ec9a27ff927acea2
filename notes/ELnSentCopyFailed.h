#pragma once

#include <string>

#include "ELotusNotes.h"

// A mail that went to the router, whose copy could not be kept in the sender's database
// afterwards. Sending it again would deliver it twice.
class VESK_API ELnSentCopyFailed : public ELotusNotes {
 public:
  // Status and Reason are those of the failed save of the copy.
  ELnSentCopyFailed(int32_t Status, const std::string& Reason);
  ~ELnSentCopyFailed() override;
};
