#include "NotesFileObject.h"

#include <cstring>

bool ReadFileObject(const void* Value, size_t Length, TFileObjectInfo& Info) {
  if (Value == nullptr || Length < sizeof(WORD) + sizeof(FILEOBJECT)) return false;
  const auto* data = static_cast<const char*>(Value);
  WORD type;
  std::memcpy(&type, data, sizeof(type));
  FILEOBJECT object;
  std::memcpy(&object, data + sizeof(WORD), sizeof(object));
  const size_t nameOffset = sizeof(WORD) + sizeof(FILEOBJECT);
  if (type != TYPE_OBJECT || object.Header.ObjectType != OBJECT_FILE ||
      object.FileNameLength > Length - nameOffset)
    return false;
  Info.ObjectID = object.Header.RRV;
  Info.HostType = object.HostType;
  Info.CompressionType = object.CompressionType;
  Info.Flags = object.Flags;
  Info.FileSize = object.FileSize;
  Info.FileName.assign(data + nameOffset, object.FileNameLength);
  return true;
}

std::string SafeAttachmentFileName(const std::string& StoredName) {
  const size_t separator = StoredName.find_last_of("/\\");
  std::string name = separator == std::string::npos ? StoredName : StoredName.substr(separator + 1);
  if (name == "." || name == ".." || name.find('\0') != std::string::npos) return "";
  return name;
}
