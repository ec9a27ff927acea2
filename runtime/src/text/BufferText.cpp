#include "text/BufferText.h"

#include <algorithm>

#include "text/LmbcsCodec.h"

namespace notesrt {

size_t CopyToBuffer(std::string_view Text, char* Buffer, size_t BufferSize) {
  if (!Buffer || BufferSize == 0) return 0;
  size_t length = TLmbcsCodec::Shared().WholePrefix(Text, BufferSize - 1);
  std::copy_n(Text.data(), length, Buffer);
  Buffer[length] = '\0';
  return length;
}

bool CopyWholeToBuffer(std::string_view Text, char* Buffer, size_t BufferSize) {
  if (!Buffer || BufferSize == 0) return false;
  bool fits = Text.size() < BufferSize;
  CopyToBuffer(fits ? Text : std::string_view(), Buffer, BufferSize);
  return fits;
}

}  // namespace notesrt
