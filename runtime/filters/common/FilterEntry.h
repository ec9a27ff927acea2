#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "CdFileReader.h"
#include "CdFileWriter.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"

// What every filter library exports: the function OSLoadLibrary hands out, an IXENTRYPROC.
NOTESAPI_BEGIN_DECLS
STATUS LNCALLBACK MainEntryPoint(void* IXContext, WORD Flags, HMODULE hModule, char* AltLibraryName,
                                 char* PathName);
NOTESAPI_END_DECLS

namespace notesfilter {

// Converts the bytes of the file to import into records; raises notesrt::EStatus for input it
// refuses.
using TImportConvert = std::function<void(std::string_view Input, FONTID Font, TCdFileWriter& Out)>;
// Converts the records of the CD file to export into the bytes of the output file.
using TExportConvert =
    std::function<std::string(const TCdFileReader& Input, const EDITEXPORTDATA& Block)>;

// The body of an import entry point: checks the EDITIMPORTDATA block and PathName, converts the
// file and writes OutputFileName whole (a new CD file, or appended to when Flags is non-zero
// without IXFLAG_FIRST). 0, or a status with no output file left behind.
STATUS RunImport(void* IXContext, WORD Flags, const char* PathName,
                 const TImportConvert& Convert) noexcept;

// The body of an export entry point: checks the EDITEXPORTDATA block, reads the CD file it names
// and writes PathName whole. 0, or a status with PathName as it was.
STATUS RunExport(void* IXContext, const char* PathName, const TExportConvert& Convert) noexcept;

}  // namespace notesfilter
