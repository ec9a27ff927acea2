// NXRTF: rich text (a CD file) as an RTF document.
#include "CdToRtf.h"
#include "FilterEntry.h"
#include "LmbcsText.h"

STATUS LNCALLBACK MainEntryPoint(void* IXContext, WORD, HMODULE, char*, char* PathName) {
  return notesfilter::RunExport(
      IXContext, PathName, [](const notesfilter::TCdFileReader& Input, const EDITEXPORTDATA&) {
        std::string rtf;
        const STATUS status =
            xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(Input.Records(), rtf);
        if (status != NOERROR) throw notesrt::EStatus(status);
        return rtf;
      });
}
