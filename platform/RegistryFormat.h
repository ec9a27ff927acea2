#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The data a registry value holds: a string (REG_SZ), a DWORD or binary data.
using TRegistryData = std::variant<std::string, uint32_t, std::vector<uint8_t>>;

struct TRegistryValue {
  std::string Name;  // "" is the key's default value
  TRegistryData Data;
};

// A key path with its names joined by single "\": empty names (leading, trailing or doubled
// separators) are dropped, so "\Software\\Vesk\" becomes "Software\Vesk".
std::string NormalizeKeyPath(std::string_view Path);

// One value as a line of a root file, in the style of a .reg export:
//   "Name"="text"   "Name"=dword:0000000a   "Name"=hex:01,ff   @="default value"
// Quotes, backslashes and control characters inside quoted text are escaped, so that every
// value fits on one line whatever it holds.
std::string FormatValueLine(const TRegistryValue& Value);
// nullopt for a line that is not a well-formed value line.
std::optional<TRegistryValue> ParseValueLine(std::string_view Line);
