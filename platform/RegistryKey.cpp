#include "RegistryKey.h"

#include <algorithm>

#include "SysUtils.h"

const TRegistryValue* TRegistryKey::FindValue(const std::string& Name) const {
  auto It = std::find_if(FValues.begin(), FValues.end(),
                         [&](const TRegistryValue& V) { return SameText(V.Name, Name); });
  return It == FValues.end() ? nullptr : &*It;
}

void TRegistryKey::SetValue(const std::string& Name, TRegistryData Data) {
  // An existing value keeps the case of its name and its place, as on Windows.
  if (auto* Existing = const_cast<TRegistryValue*>(FindValue(Name)))
    Existing->Data = std::move(Data);
  else
    FValues.push_back({Name, std::move(Data)});
}

bool TRegistryKey::DeleteValue(const std::string& Name) {
  return std::erase_if(FValues, [&](const TRegistryValue& V) { return SameText(V.Name, Name); }) >
         0;
}
