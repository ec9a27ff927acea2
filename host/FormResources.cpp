#include "FormResources.h"

#include <map>

#include "SysUtils.h"

namespace {

// Filled and emptied only by module start-up and shutdown, on the host's main thread.
std::map<std::string, std::string>& Resources() {
  static std::map<std::string, std::string> Table;
  return Table;
}

}  // namespace

EResNotFound::~EResNotFound() = default;

void RegisterFormResource(const std::string& Name, const std::string& Text) {
  Resources()[UpperCase(Name)] = Text;
}

void UnRegisterFormResource(const std::string& Name) {
  Resources().erase(UpperCase(Name));
}

std::string FindFormResource(const std::string& Name) {
  auto It = Resources().find(UpperCase(Name));
  if (It == Resources().end()) throw EResNotFound("Resource " + UpperCase(Name) + " not found");
  return It->second;
}
