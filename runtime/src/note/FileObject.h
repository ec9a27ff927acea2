#pragma once

#include <string>
#include <string_view>

#include "notesapi/nsfnote.h"

namespace notesrt {

// A FILEOBJECT value (after its type word): the packed descriptor, then the file name.
struct TFileObject {
  FILEOBJECT Header{};
  std::string Name;

  std::string Serialize() const;
  // Reads what the value holds; a name that runs past the value is cut to what is there.
  static TFileObject Parse(std::string_view Data);
};

}  // namespace notesrt
