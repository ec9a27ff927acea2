#include "core/FilterSettings.h"

#include <strings.h>

#include "core/Settings.h"
#include "notesapi/notesrt.h"

namespace notesrt {

namespace {

constexpr std::string_view Prefixes[] = {"EDITIMP", "EDITEXP"};

bool StartsWithoutCase(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() &&
         strncasecmp(Text.data(), Prefix.data(), Prefix.size()) == 0;
}

bool IsFilterSetting(std::string_view Name) {
  for (std::string_view prefix : Prefixes)
    if (StartsWithoutCase(Name, prefix)) return true;
  return false;
}

}  // namespace

std::optional<std::string> BuiltInFilterSetting(std::string_view Name) {
  if (!IsFilterSetting(Name)) return std::nullopt;
  for (std::string_view prefix : Prefixes)
    if (TSettings::Instance().HasNameStarting(prefix)) return std::nullopt;
  std::string_view lines = NOTESRT_BUILTIN_FILTER_SETTINGS;
  while (!lines.empty()) {
    std::string_view line = lines.substr(0, lines.find('\n'));
    lines.remove_prefix(std::min(lines.size(), line.size() + 1));
    std::string_view name = line.substr(0, line.find('='));
    if (name.size() == Name.size() && StartsWithoutCase(name, Name))
      return std::string(line.substr(name.size() + 1));
  }
  return std::nullopt;
}

}  // namespace notesrt
