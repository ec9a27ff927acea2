#include "NotesFontTable.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "ELotusNotes.h"
#include "NotesCharset.h"

namespace {

// Signature, record length and face count.
constexpr size_t RecordHeaderSize = 3 * sizeof(WORD);

void PutWord(std::vector<char>& Buffer, size_t Offset, WORD Value) {
  std::memcpy(Buffer.data() + Offset, &Value, sizeof(Value));
}

// The longest prefix of Name that fits a face-name field with its NUL, in whole characters.
size_t FittingNameLength(const std::string& Name) {
  size_t end = 0;
  while (end < Name.size()) {
    const size_t next = end + LmbcsCharSize(static_cast<uint8_t>(Name[end]));
    if (next > FontNameSize - 1 || next > Name.size()) break;
    end = next;
  }
  return end;
}

}  // namespace

std::vector<TFontFace> ReadFontTable(const void* Value, size_t Length) {
  std::vector<TFontFace> faces;
  const size_t header = sizeof(WORD) + RecordHeaderSize;
  if (Value == nullptr || Length < header) return faces;
  const auto* data = static_cast<const char*>(Value);
  WORD count;
  std::memcpy(&count, data + sizeof(WORD) + 2 * sizeof(WORD), sizeof(count));
  const size_t whole = std::min<size_t>(count, (Length - header) / FontFaceSize);
  for (size_t i = 0; i < whole; ++i) {
    const char* entry = data + header + i * FontFaceSize;
    TFontFace face;
    face.Face = static_cast<BYTE>(entry[0]);
    face.Family = static_cast<BYTE>(entry[1]);
    const char* name = entry + 2;
    face.Name.assign(name, strnlen(name, FontNameSize));
    faces.push_back(std::move(face));
  }
  return faces;
}

std::vector<char> BuildFontTable(const std::vector<TFontFace>& Faces) {
  size_t size = RecordHeaderSize + Faces.size() * FontFaceSize;
  size += size % 2;
  if (size > MAXWORD) throw ELotusNotes(-1, "Too many fonts defined");
  std::vector<char> buffer(size, '\0');
  PutWord(buffer, 0, FontTableSignature);
  PutWord(buffer, sizeof(WORD), static_cast<WORD>(size));
  PutWord(buffer, 2 * sizeof(WORD), static_cast<WORD>(Faces.size()));
  for (size_t i = 0; i < Faces.size(); ++i) {
    char* entry = buffer.data() + RecordHeaderSize + i * FontFaceSize;
    entry[0] = static_cast<char>(Faces[i].Face);
    entry[1] = static_cast<char>(Faces[i].Family);
    std::memcpy(entry + 2, Faces[i].Name.data(), FittingNameLength(Faces[i].Name));
  }
  return buffer;
}
