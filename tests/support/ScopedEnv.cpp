#include "ScopedEnv.h"

#include <stdlib.h>
#include <time.h>

namespace vesktest {

ScopedEnv::ScopedEnv(const char* Name, const char* Value) : FName(Name) {
  if (const char* old = getenv(Name)) FOld = old;
  if (Value)
    setenv(Name, Value, 1);
  else
    unsetenv(Name);
}

ScopedEnv::~ScopedEnv() {
  if (FOld)
    setenv(FName.c_str(), FOld->c_str(), 1);
  else
    unsetenv(FName.c_str());
}

ScopedTimeZone::ScopedTimeZone(const char* Zone) {
  FTz.emplace("TZ", Zone);
  tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  FTz.reset();
  tzset();
}

}  // namespace vesktest
