#pragma once

#include <string>
#include <vector>

#include "DateUtils.h"

// A FormatDateTime format read once and then applied to many values: a list that writes a date
// on every line reads its format once, not per line. Settings must outlive the object (the
// month and day names are taken from it when a value is written).
class TDateTimeFormat {
 public:
  TDateTimeFormat(const std::string& Format, const TFormatSettings& Settings);

  // Appends DateTime, written in this format, to Text.
  void AppendTo(std::string& Text, TDateTime DateTime) const;
  std::string Format(TDateTime DateTime) const;

 private:
  enum class TKind {
    Literal,
    Number,          // Field, zero-padded to Digits
    MonthName,       // Names: short or long month names
    DayName,         // Names: short or long day names
    AmPm,            // Literal before noon, Alternative from noon on
    SkipAtMidnight,  // the next Skip steps are left out when the time is exactly midnight
  };
  // The order of the fields AppendTo decodes.
  enum class TField { Year2, Year4, Month, Day, Hour24, Hour12, Minute, Second, MSec };
  struct TStep {
    TKind Kind = TKind::Literal;
    std::string Literal;
    std::string Alternative;
    TField Field = TField::Year4;
    int Digits = 0;
    const std::string* Names = nullptr;
    size_t Skip = 0;
  };
  class TReader;

  void AddLiteral(const std::string& Text);
  void AddStep(TStep Step);

  const TFormatSettings& FSettings;
  std::vector<TStep> FSteps;
  // Literals are joined, but not across the edge of a range that may be left out.
  size_t FJoinFrom = 0;
  bool FNeedsWeekday = false;
};
