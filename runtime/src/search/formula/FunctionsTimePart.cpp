// Parts of times: @Year .. @Second, @Weekday. A part the value lacks (the clock of a date-only
// value, the date of a time-only one) is -1.
#include <array>

#include "search/formula/Call.h"
#include "search/formula/Elementwise.h"
#include "search/formula/FunctionTable.h"
#include "search/formula/LocalTime.h"

namespace notesrt {

namespace {

template <int TLocalTime::*Part>
TValue PartOf(TCall& Call) {
  const TValue& value = Call.Arg(0);
  if (value.Kind() != TValueKind::Time) return WrongType();
  TValue::TNumbers parts;
  for (const TTimeEntry& entry : value.AsTimes()) {
    std::optional<TLocalTime> local = LocalTimeOf(entry.Lower);
    if (!local) return InvalidArgument();
    parts.push_back((*local).*Part);
  }
  return TValue::Numbers(std::move(parts));
}

constexpr std::array Specs{
    TFunctionSpec{u"YEAR", 1, 1, 0, PartOf<&TLocalTime::Year>},
    TFunctionSpec{u"MONTH", 1, 1, 0, PartOf<&TLocalTime::Month>},
    TFunctionSpec{u"DAY", 1, 1, 0, PartOf<&TLocalTime::Day>},
    TFunctionSpec{u"HOUR", 1, 1, 0, PartOf<&TLocalTime::Hour>},
    TFunctionSpec{u"MINUTE", 1, 1, 0, PartOf<&TLocalTime::Minute>},
    TFunctionSpec{u"SECOND", 1, 1, 0, PartOf<&TLocalTime::Second>},
    TFunctionSpec{u"WEEKDAY", 1, 1, 0, PartOf<&TLocalTime::Weekday>},
};

}  // namespace

std::span<const TFunctionSpec> TimePartFunctions() {
  return Specs;
}

}  // namespace notesrt
