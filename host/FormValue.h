#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The values a text form stores: strings, integers, Booleans, identifiers (enumeration values
// and the like) and collections, whose items are lists of properties.
struct TFormProperty;
using TFormItem = std::vector<TFormProperty>;
using TFormCollection = std::vector<TFormItem>;

struct TFormIdent {
  std::string Name;
  friend bool operator==(const TFormIdent&, const TFormIdent&) = default;
};

using TFormValue = std::variant<std::string, int64_t, bool, TFormIdent, TFormCollection>;

struct TFormProperty {
  std::string Name;  // may be dotted ("Font.Name")
  TFormValue Value;
  friend bool operator==(const TFormProperty&, const TFormProperty&) = default;
};

// The root object of a text form: "object Name: ClassName" with its properties.
struct TFormObject {
  std::string Name;
  std::string ClassName;
  std::vector<TFormProperty> Properties;
};
