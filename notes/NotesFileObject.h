#pragma once

#include <cstddef>
#include <string>

#include "NotesApi.h"

// What a "$FILE" item says of its attachment.
struct TFileObjectInfo {
  DWORD ObjectID = 0;
  WORD HostType = 0;
  WORD CompressionType = 0;
  WORD Flags = 0;
  DWORD FileSize = 0;
  std::string FileName;  // LMBCS, as stored
};

// Reads the FILEOBJECT of a typed value (the type word first; Length counts it). False, with
// Info untouched, unless the value is a TYPE_OBJECT file object whose name lies wholly inside
// the value: mail comes from outside, and a malformed item must not make us read past it.
bool ReadFileObject(const void* Value, size_t Length, TFileObjectInfo& Info);

// The part of an attachment's stored name that is safe as a file name in a directory the
// caller chose: no directory part (either separator), and "", "." or ".." refused with "".
std::string SafeAttachmentFileName(const std::string& StoredName);
