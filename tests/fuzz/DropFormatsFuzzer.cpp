// Feeds arbitrary bytes to the readers of what other programs drop: DROPFILES in both widths,
// object descriptors, CF_TEXT, URL blocks and file group descriptors; and to the host's tree-node
// reader and the splitting of stored attachment references. The first byte picks the
// reader, the rest is the block.
#include <cstdint>
#include <string>
#include <string_view>

#include "DnDFormats.h"
#include "Vesk_Def.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const std::string_view block(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  switch (Data[0] % 7) {
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
    case 4:
      ReadFileGroupDescriptor(block);
      break;
    case 5: {
      TVESKClipBoard board;
      board.Format = icfTree;
      board.Stream.Write(block.data(), static_cast<int64_t>(block.size()));
      board.Stream.Seek(0, soFromBeginning);
      // Every node read moves on, so the walk ends within one node a byte.
      for (size_t nodes = 0; !board.GetEOF(); ++nodes) {
        if (nodes > block.size()) __builtin_trap();
        board.ReadTeeNode();
      }
      break;
    }
    default: {
      std::string path, file, title;
      GetVeskAttmFilePath(std::string(block), "", path, file, title);
    }
  }
  return 0;
}
