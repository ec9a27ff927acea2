#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "TestNotesEnv.h"
#include "notesapi/fontid.h"
#include "notesapi/global.h"

namespace filtertest {

// An initialised runtime and a private environment for each test.
class FilterTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  struct TImport {
    STATUS Status = NOERROR;
    bool OutputExists = false;
    std::string Output;  // the CD file, type word first
  };
  // Writes Input to a file, runs the import library Library on it through OSLoadLibrary with
  // Flags and Font in the block, and frees the library.
  TImport Import(const char* Library, std::string_view Input, FONTID Font = DEFAULT_FONT_ID,
                 WORD Flags = 0);
  std::filesystem::path Dir() const { return FEnv.Root(); }

  vesktest::TestNotesEnv FEnv;
};

// The records of a CD file, for comparing, "|" between them: a paragraph "P"; text as UTF-8,
// with "{f<face> s<size> c<colour> <attributes>}" before it when its font is not
// DEFAULT_FONT_ID, adjacent runs of one font joined; a paragraph reference as "[...]" with what
// its definition changes (nothing for the default; definitions themselves show nothing);
// tables "T{", "C<row>,<column> w<width>", "}T"; hotspots "L<type>(<data>)" and "/L"; a font
// table "F(<face> <name>,...)"; pictures "G<width>x<height>" (twips), "I<type> <width>x<height>
// <bytes>/<segments>", "S<bytes>"; any other record "<signature hex>". "no type word" or
// "damaged" at the fault.
std::string Describe(std::string_view CdFile);

// The status's text, or "" when the runtime has none.
std::string StatusText(STATUS Status);

}  // namespace filtertest
