#pragma once

#include <string>
#include <variant>

#include "Classes.h"
#include "FormValue.h"

// Errors of applying a stored property, worded like the framework's reader.
[[noreturn]] void RaiseUnknownProperty(const std::string& Owner, const std::string& Name);
[[noreturn]] void RaiseInvalidValue(const std::string& Owner, const std::string& Name);

// The value of a stored property as the type the property has; a value of another kind raises
// EReadError. Owner is the dotted path of the object, for the message.
template <class T>
const T& FormPropertyAs(const TFormProperty& Property, const std::string& Owner) {
  if (!std::holds_alternative<T>(Property.Value)) RaiseInvalidValue(Owner, Property.Name);
  return std::get<T>(Property.Value);
}
