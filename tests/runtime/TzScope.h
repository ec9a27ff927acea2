#pragma once

#include <optional>
#include <string>

namespace runtimetest {

// Switches the process to another time zone for as long as it lives.
class TzScope {
 public:
  explicit TzScope(const char* Zone);
  ~TzScope();
  TzScope(const TzScope&) = delete;
  TzScope& operator=(const TzScope&) = delete;

 private:
  std::optional<std::string> FOld;
};

}  // namespace runtimetest
