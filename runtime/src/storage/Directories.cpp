// Where the runtime's files are: the settings file, the data directory and the runtime itself.
#include <filesystem>
#include <string>

#include "core/ApiCall.h"
#include "core/ProgramDirectory.h"
#include "core/Settings.h"
#include "notesapi/names.h"
#include "notesapi/osfile.h"
#include "text/BufferText.h"

// These buffers have no size argument: they are MAXPATH bytes by contract. A path that does not
// fit comes back as "" rather than cut, since a cut path names the wrong file.
void LNPUBLIC OSGetExecutableDirectory(char* retPathName) {
  notesrt::ApiVoidCall(
      [&] { notesrt::CopyWholeToBuffer(notesrt::ProgramDirectory(), retPathName, MAXPATH); });
}

void LNPUBLIC OSGetIniFileName(char* retPathName) {
  notesrt::ApiVoidCall([&] {
    notesrt::CopyWholeToBuffer(notesrt::TSettings::IniPath().string(), retPathName, MAXPATH);
  });
}

WORD LNPUBLIC OSGetDataDirectory(char* retPathName) {
  return notesrt::ApiValueCall<WORD>(0, [&]() -> WORD {
    std::string directory = notesrt::TSettings::Instance().Get("Directory").value_or("");
    if (!notesrt::CopyWholeToBuffer(directory, retPathName, MAXPATH)) return 0;
    return static_cast<WORD>(directory.size());
  });
}
