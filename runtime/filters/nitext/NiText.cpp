// NITEXT: a plain text file as rich text, one paragraph per line in the caret's font.
#include "FilterEntry.h"
#include "PlainText.h"

STATUS LNCALLBACK MainEntryPoint(void* IXContext, WORD Flags, HMODULE, char*, char* PathName) {
  return notesfilter::RunImport(IXContext, Flags, PathName, notesfilter::AddPlainText);
}
