#pragma once

#include <locale.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace vesktest {

// Sets (or, with a null value, removes) one environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* Name, const char* Value) : FName(Name) {
    if (const char* old = getenv(Name)) FOld = old;
    Set(Name, Value ? std::optional<std::string>(Value) : std::nullopt);
  }
  ~ScopedEnv() { Set(FName.c_str(), FOld); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  static void Set(const char* Name, const std::optional<std::string>& Value) {
    if (Value)
      setenv(Name, Value->c_str(), 1);
    else
      unsetenv(Name);
  }

  std::string FName;
  std::optional<std::string> FOld;
};

// Runs the process in another time zone for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* Zone) : FTz(std::in_place, "TZ", Zone) { tzset(); }
  ~ScopedTimeZone() {
    FTz.reset();
    tzset();
  }

 private:
  std::optional<ScopedEnv> FTz;
};

// Runs the calling thread in another locale (every category) for the life of the object, so that
// what a test expects does not depend on the environment it runs in.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* Name)
      : FLocale(newlocale(LC_ALL_MASK, Name, static_cast<locale_t>(nullptr))) {
    if (!FLocale) throw std::runtime_error(std::string("locale not available: ") + Name);
    FOld = uselocale(FLocale);
  }
  ~ScopedLocale() {
    uselocale(FOld);
    freelocale(FLocale);
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  locale_t FLocale;
  locale_t FOld;
};

}  // namespace vesktest
