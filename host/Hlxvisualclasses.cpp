#include "Hlxvisualclasses.h"

#include "FormParser.h"
#include "FormProperty.h"
#include "FormResources.h"
#include "SysUtils.h"

namespace {

// Positions the form designer stores for a data module; they mean nothing at run time.
bool IsDesignerOnly(const std::string& Name) {
  for (const char* Designer : {"Left", "Top", "Height", "Width"})
    if (SameText(Name, Designer)) return true;
  return false;
}

}  // namespace

ThlxVisualPlugin::ThlxVisualPlugin(TComponent* Owner, const std::string& ClassName)
    : TComponent(Owner), FClassName(ClassName) {
  ReadForm();
}

ThlxVisualPlugin::~ThlxVisualPlugin() = default;

void ThlxVisualPlugin::ReadForm() {
  std::string ResourceName = UpperCase(FClassName);
  TFormObject Form = TFormParser(FindFormResource(ResourceName), ResourceName).Parse();
  if (!SameText(Form.ClassName, FClassName))
    throw EReadError("Error reading form " + ResourceName + ": it stores a " + Form.ClassName +
                     ", not a " + FClassName);
  SetName(Form.Name);
  for (const TFormProperty& Property : Form.Properties) ReadProperty(Property);
}

void ThlxVisualPlugin::ReadProperty(const TFormProperty& Property) {
  const std::string& Name = Property.Name;
  if (std::string* Field = StringProperty(Name))
    *Field = FormPropertyAs<std::string>(Property, this->Name());
  else if (SameText(Name, "OldCreateOrder"))
    FOldCreateOrder = FormPropertyAs<bool>(Property, this->Name());
  else if (SameText(Name, "Commands"))
    FCommands.ReadCollection(FormPropertyAs<TFormCollection>(Property, this->Name()),
                             this->Name() + ".Commands");
  else if (IsDesignerOnly(Name))
    FormPropertyAs<int64_t>(Property, this->Name());  // checked, then ignored
  else
    RaiseUnknownProperty(this->Name(), Name);
}

std::string* ThlxVisualPlugin::StringProperty(const std::string& Name) {
  const std::pair<const char*, std::string*> Fields[] = {
      {"Version", &FVersion}, {"PluginID", &FPluginID},       {"PluginName", &FPluginName},
      {"Author", &FAuthor},   {"Description", &FDescription}, {"Copyright", &FCopyright}};
  for (const auto& [FieldName, Field] : Fields)
    if (SameText(Name, FieldName)) return Field;
  return nullptr;
}
