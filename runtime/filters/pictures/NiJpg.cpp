// NIJPG: a JPEG picture file as rich text, its bytes unchanged.
#include "FilterEntry.h"
#include "PictureRecords.h"

STATUS LNCALLBACK MainEntryPoint(void* IXContext, WORD Flags, HMODULE, char*, char* PathName) {
  return notesfilter::RunImport(IXContext, Flags, PathName,
                                pictures::PictureImport(pictures::TPictureKind::Jpeg));
}
