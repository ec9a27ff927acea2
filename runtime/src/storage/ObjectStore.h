#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDbFile;

// Attachment contents, each owned by one note and named by its object ID (the RRV that the
// note's FILEOBJECT carries).
class TObjectStore {
 public:
  explicit TObjectStore(TDbFile& File) : FFile(File) {}

  // ERR_INVALID_ITEMUNK when the object does not exist.
  std::string Read(DWORD ObjectId);
  std::optional<std::string> Find(DWORD ObjectId);
  bool IsOwnedBy(DWORD ObjectId, NOTEID Note);
  // Inside a write.
  DWORD Add(NOTEID Note, std::string_view Data);
  // Inside a write: frees the note's objects that are not in Keep.
  void DropUnreferenced(NOTEID Note, const std::set<DWORD>& Keep);

 private:
  TDbFile& FFile;
};

}  // namespace notesrt
