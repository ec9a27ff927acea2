#include "hlxCommands.h"

#include "FormProperty.h"
#include "SysUtils.h"

ThlxCommand& ThlxCommands::Add() {
  return *FItems.emplace_back(std::make_unique<ThlxCommand>());
}

void ThlxCommands::ReadCollection(const TFormCollection& Items, const std::string& Owner) {
  Clear();
  for (size_t Index = 0; Index < Items.size(); ++Index) {
    ThlxCommand& Command = Add();
    std::string ItemOwner = Owner + "[" + std::to_string(Index) + "]";
    for (const TFormProperty& Property : Items[Index]) {
      if (!SameText(Property.Name, "Caption")) RaiseUnknownProperty(ItemOwner, Property.Name);
      Command.SetCaption(FormPropertyAs<std::string>(Property, ItemOwner));
    }
  }
}
