#pragma once

#include <locale.h>

#include <optional>
#include <string>

namespace vesktest {

// Sets (or, with a null value, removes) one environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* Name, const char* Value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string FName;
  std::optional<std::string> FOld;
};

// Runs the process in another time zone for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* Zone);
  ~ScopedTimeZone();

 private:
  std::optional<ScopedEnv> FTz;
};

// Runs the calling thread in another locale (every category) for the life of the object, so that
// what a test expects does not depend on the environment it runs in.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* Name);
  ~ScopedLocale();
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  locale_t FLocale;
  locale_t FOld;
};

}  // namespace vesktest
