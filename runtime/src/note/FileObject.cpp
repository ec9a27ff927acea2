#include "note/FileObject.h"

#include "storage/StoredValue.h"

namespace notesrt {

std::string TFileObject::Serialize() const {
  FILEOBJECT header = Header;
  header.FileNameLength = static_cast<WORD>(Name.size());
  return std::string(BytesOf(header)) + Name;
}

TFileObject TFileObject::Parse(std::string_view Data) {
  TFileObject object;
  object.Header = ReadAt<FILEOBJECT>(Data, 0);
  if (Data.size() >= sizeof(FILEOBJECT))
    object.Name = Data.substr(sizeof(FILEOBJECT), object.Header.FileNameLength);
  return object;
}

}  // namespace notesrt
