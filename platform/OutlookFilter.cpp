#include "OutlookFilter.h"

#include <cmath>

#include "AnsiCompare.h"
#include "DateUtils.h"
#include "OutlookModel.h"
#include "SysUtils.h"

namespace {

// Reads the filter left to right; any departure from the form ends the read.
class TFilterReader {
 public:
  explicit TFilterReader(const std::string& Text) : FText(Text) {}

  bool Read(std::string& Property, std::string& Value) {
    SkipBlanks();
    if (!Take('[')) return false;
    size_t Close = FText.find(']', FPos);
    if (Close == std::string::npos || Close == FPos) return false;
    Property = FText.substr(FPos, Close - FPos);
    FPos = Close + 1;
    SkipBlanks();
    if (!Take('=')) return false;
    SkipBlanks();
    if (!Take('\'') || !ReadQuoted(Value)) return false;
    SkipBlanks();
    return FPos == FText.size();
  }

 private:
  void SkipBlanks() {
    while (FPos < FText.size() && FText[FPos] == ' ') ++FPos;
  }
  bool Take(char C) {
    if (FPos >= FText.size() || FText[FPos] != C) return false;
    ++FPos;
    return true;
  }
  // After the opening quote; a doubled quote is one quote of the value.
  bool ReadQuoted(std::string& Value) {
    while (FPos < FText.size()) {
      char C = FText[FPos++];
      if (C != '\'') {
        Value += C;
      } else if (Take('\'')) {
        Value += '\'';
      } else {
        return true;
      }
    }
    return false;
  }

  const std::string& FText;
  size_t FPos = 0;
};

// Through whole milliseconds first: a day fraction is rarely exact, and 10:15:00 must not read
// as 10:14:59.999.
int64_t WholeMinutes(TDateTime Value) {
  constexpr double MSecsPerMin = SecsPerMin * MSecsPerSec;
  return static_cast<int64_t>(std::floor(std::round(Value * MSecsPerDay) / MSecsPerMin));
}

}  // namespace

TOutlookFilter::TOutlookFilter(const std::string& Filter) {
  if (!TFilterReader(Filter).Read(FProperty, FValue))
    throw EOleError(Format("Cannot parse condition. Error at \"%s\".", Filter.c_str()));
}

bool TOutlookFilter::Matches(const TVariant& PropertyValue) const {
  if (PropertyValue.VarType() == varDate) {
    TDateTime Wanted;
    return TryStrToDateTime(FValue, Wanted) &&
           WholeMinutes(Wanted) == WholeMinutes(PropertyValue.AsDateTime());
  }
  if (PropertyValue.IsNull() || PropertyValue.IsArray()) return false;
  return AnsiCompareText(PropertyValue.AsString(), FValue) == 0;
}
