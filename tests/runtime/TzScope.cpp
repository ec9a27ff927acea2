#include "TzScope.h"

#include <stdlib.h>

#include <ctime>

namespace runtimetest {

TzScope::TzScope(const char* Zone) {
  if (const char* old = getenv("TZ")) FOld = old;
  setenv("TZ", Zone, 1);
  tzset();
}

TzScope::~TzScope() {
  if (FOld)
    setenv("TZ", FOld->c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

}  // namespace runtimetest
