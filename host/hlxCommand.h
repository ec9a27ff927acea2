#pragma once

#include <string>

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
