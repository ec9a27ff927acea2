#include "FormProperty.h"

void RaiseUnknownProperty(const std::string& Owner, const std::string& Name) {
  throw EReadError("Error reading " + Owner + "." + Name + ": Property " + Name +
                   " does not exist");
}

void RaiseInvalidValue(const std::string& Owner, const std::string& Name) {
  throw EReadError("Error reading " + Owner + "." + Name + ": Invalid property value");
}
