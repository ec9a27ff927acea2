#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDatabase;

namespace router {

class TRoutedMail;

inline constexpr char NonDeliveryForm[] = "NonDelivery Report";

struct TFailure {
  std::string Name;
  std::string Reason;
};

// The report that tells Sender which recipients of Mail could not be reached: form
// "NonDelivery Report", Subject "DELIVERY FAILURE: " and the first reason, FailureReason and
// IntendedRecipient (one entry per failed recipient, in the same order) and the original
// "Body" items. Made in Source, the mailbox Mail is in, under Oid.
TRoutedMail NonDeliveryReport(const std::shared_ptr<TDatabase>& Source, const TRoutedMail& Mail,
                              const std::vector<TFailure>& Failures, std::string_view Sender,
                              const ORIGINATORID& Oid);

}  // namespace router

}  // namespace notesrt
