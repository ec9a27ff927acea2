#pragma once

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

}  // namespace vesktest
