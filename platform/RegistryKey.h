#pragma once

#include <string>
#include <vector>

#include "RegistryFormat.h"

// One key of a root file: its path as first written (case kept), its values in the order they
// were created, and the lines of its section that could not be read. Those are kept and written
// back as they were, so that a hand-edited file loses nothing when a program saves the root.
class TRegistryKey {
 public:
  explicit TRegistryKey(std::string Path) : FPath(std::move(Path)) {}

  const std::string& Path() const { return FPath; }
  const std::vector<TRegistryValue>& Values() const { return FValues; }
  const std::vector<std::string>& UnreadableLines() const { return FUnreadable; }

  const TRegistryValue* FindValue(const std::string& Name) const;
  void SetValue(const std::string& Name, TRegistryData Data);
  bool DeleteValue(const std::string& Name);
  void AddUnreadableLine(std::string Line) { FUnreadable.push_back(std::move(Line)); }

 private:
  std::string FPath;
  std::vector<TRegistryValue> FValues;
  std::vector<std::string> FUnreadable;
};
