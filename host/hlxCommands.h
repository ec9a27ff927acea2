#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FormValue.h"
#include "hlxCommand.h"

// The command collection of a plug-in (its published property Commands).
class VESK_API ThlxCommands {
 public:
  size_t Count() const { return FItems.size(); }
  ThlxCommand& Items(size_t Index) const { return *FItems.at(Index); }
  ThlxCommand& Add();
  void Clear() { FItems.clear(); }
  // Replaces the items with those of a stored collection; Owner names the property in errors.
  void ReadCollection(const TFormCollection& Items, const std::string& Owner);

 private:
  std::vector<std::unique_ptr<ThlxCommand>> FItems;
};
