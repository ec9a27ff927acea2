#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FormValue.h"
#include "Hlxintf.h"

// One command a plug-in offers the host: a caption from the stored form and the command's
// interface, which the plug-in sets at run time (empty when there is no command object).
class VESK_API ThlxCommand {
 public:
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Caption) { FCaption = Caption; }
  IInterface* Command() const { return FCommand.Get(); }
  void SetCommand(IInterface* Command) { FCommand = TInterfaceRef<IInterface>(Command); }

 private:
  std::string FCaption;
  TInterfaceRef<IInterface> FCommand;
};

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
