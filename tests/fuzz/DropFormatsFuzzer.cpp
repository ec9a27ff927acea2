// Feeds arbitrary bytes to the readers of what other programs drop: DROPFILES in both widths,
// object descriptors, CF_TEXT, URL blocks and file group descriptors. The first byte picks the
// reader, the rest is the block.
#include <cstdint>
#include <string_view>

#include "DnDFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const std::string_view block(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  switch (Data[0] % 5) {
    case 0:
      ReadDropFiles(block);
      break;
    case 1:
      XlatObjectDescriptor(block);
      break;
    case 2:
      SplitDroppedText(block);
      break;
    case 3:
      ShortcutFileName(TextUpToNul(block));
      break;
    default:
      ReadFileGroupDescriptor(block);
  }
  return 0;
}
