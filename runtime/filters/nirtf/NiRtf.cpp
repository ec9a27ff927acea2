// NIRTF: an RTF file (or plain text) as rich text.
#include "FilterEntry.h"
#include "RtfImport.h"

STATUS LNCALLBACK MainEntryPoint(void* IXContext, WORD Flags, HMODULE, char*, char* PathName) {
  return notesfilter::RunImport(IXContext, Flags, PathName, nirtf::RtfToCd);
}
