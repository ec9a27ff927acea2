#pragma once

// The restriction Outlook's Items.Find takes, in the one form the host writes:
// "[Property] = 'value'", blanks around the parts, quotes inside the value doubled.

#include <string>

#include "Variant.h"

class TOutlookFilter {
 public:
  // Raises EOleError naming the filter when it is not of that form.
  explicit TOutlookFilter(const std::string& Filter);

  const std::string& Property() const { return FProperty; }
  const std::string& Value() const { return FValue; }

  // Date-times compare to the minute, the value read with the user's format settings (a value
  // that is no date-time matches none); anything else compares as text without regard to case.
  bool Matches(const TVariant& PropertyValue) const;

 private:
  std::string FProperty;
  std::string FValue;
};
