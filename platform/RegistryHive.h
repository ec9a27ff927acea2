#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "RegistryKey.h"

// The content of one registry root: every key by its path. Paths are normalised by the caller:
// names joined by single "\" without a leading or trailing one; "" is the root key itself,
// which always exists.
class TRegistryHive {
 public:
  TRegistryHive();

  // Reads a root file's text. Lines that are neither a section, a value, a comment (";") nor
  // blank are kept in their key (see TRegistryKey) and never make the whole file unreadable.
  static TRegistryHive Parse(std::string_view Text);
  std::string Text() const;

  const TRegistryKey* FindKey(const std::string& Path) const;
  TRegistryKey* FindKey(const std::string& Path);
  TRegistryKey& CreateKey(const std::string& Path);  // with every missing parent
  bool DeleteKey(const std::string& Path);           // with every subkey; never the root
  // Names of the direct subkeys, in the order Windows enumerates them (case-insensitive).
  std::vector<std::string> SubKeyNames(const std::string& Path) const;

 private:
  // By upper-cased path: names compare like Windows compares them.
  std::map<std::string, TRegistryKey> FKeys;
};
