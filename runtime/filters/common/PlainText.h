#pragma once

#include <string_view>

#include "CdFileWriter.h"

namespace notesfilter {

// Plain text as records: UTF-8, each byte that is not part of a well-formed sequence read as
// code page 1252; a leading byte-order mark dropped; one paragraph per line (CR LF, LF or CR),
// none before the first (the importer opens it) and none for a final line break; tabs kept, other
// control characters dropped; every run in Font.
void AddPlainText(std::string_view Bytes, FONTID Font, TCdFileWriter& Out);

}  // namespace notesfilter
