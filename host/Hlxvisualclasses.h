#pragma once

// The framework's visual plug-in classes.

#include <string>

#include "Component.h"
#include "FormValue.h"
#include "hlxCommands.h"

// Base of the visual plug-ins: a data-module component whose stored form is read when it is
// constructed. A derived class passes its class name; the form is the form resource of that
// name in upper case (see FormResources.h), and its root object must be of that class. Only
// this class's published properties can be stored: a form naming any other raises EReadError.
class VESK_API ThlxVisualPlugin : public TComponent {
 public:
  ThlxVisualPlugin(TComponent* Owner, const std::string& ClassName);
  ~ThlxVisualPlugin() override;

  const std::string& ClassName() const { return FClassName; }
  ThlxCommands& GetCommands() { return FCommands; }

  std::string GetPluginID() const { return FPluginID; }
  std::string GetPluginName() const { return FPluginName; }
  std::string GetAuthor() const { return FAuthor; }
  std::string GetDescription() const { return FDescription; }
  std::string GetCopyright() const { return FCopyright; }
  void SetPluginID(const std::string& Value) { FPluginID = Value; }
  void SetPluginName(const std::string& Value) { FPluginName = Value; }
  void SetAuthor(const std::string& Value) { FAuthor = Value; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  void SetCopyright(const std::string& Value) { FCopyright = Value; }

  bool OldCreateOrder() const { return FOldCreateOrder; }
  const std::string& Version() const { return FVersion; }
  void SetVersion(const std::string& Value) { FVersion = Value; }

 private:
  void ReadForm();
  void ReadProperty(const TFormProperty& Property);
  std::string* StringProperty(const std::string& Name);

  std::string FClassName;
  std::string FPluginID;
  std::string FPluginName;
  std::string FAuthor;
  std::string FDescription;
  std::string FCopyright;
  std::string FVersion;
  bool FOldCreateOrder = false;
  ThlxCommands FCommands;
};
