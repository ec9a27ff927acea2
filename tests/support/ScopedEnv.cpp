#include "ScopedEnv.h"

#include <stdlib.h>

#include <time.h>
#include <stdexcept>
#include <string>

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

ScopedLocale::ScopedLocale(const char* Name)
    : FLocale(newlocale(LC_ALL_MASK, Name, static_cast<locale_t>(nullptr))) {
  if (!FLocale) throw std::runtime_error(std::string("locale not available: ") + Name);
  FOld = uselocale(FLocale);
}

ScopedLocale::~ScopedLocale() {
  uselocale(FOld);
  freelocale(FLocale);
}

}  // namespace vesktest
