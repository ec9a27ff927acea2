#pragma once

#include <optional>
#include <string>

#include "Exception.h"
#include "Export.h"

class VESK_API EResNotFound : public Exception {
 public:
  using Exception::Exception;
  ~EResNotFound() override;
};

// The form resources of the loaded modules. A module registers the text forms of its classes
// in its start-up section and removes them in its shutdown section, so a form can be found
// exactly while the module that carries it is loaded. Names compare case-insensitively, like
// resource names; by convention a form's name is its class name in upper case.
VESK_API void RegisterFormResource(const std::string& Name, const std::string& Text);
VESK_API void UnRegisterFormResource(const std::string& Name);
// The text of the form resource Name; raises EResNotFound ("Resource NAME not found").
VESK_API std::string FindFormResource(const std::string& Name);
