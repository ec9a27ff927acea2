#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace notesrt {

// The built-in value of a filter setting (NOTESRT_BUILTIN_FILTER_SETTINGS) while the settings
// name no EDITIMP or EDITEXP variable at all: once one is configured, the configuration is the
// whole list. Nothing for other names. Callers hold the API lock.
std::optional<std::string> BuiltInFilterSetting(std::string_view Name);

}  // namespace notesrt
