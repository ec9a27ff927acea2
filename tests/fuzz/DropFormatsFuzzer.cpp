// Feeds arbitrary bytes to the readers of what other programs drop: DROPFILES in both widths,
// object descriptors, CF_TEXT, URL blocks and file group descriptors, the MIME payloads of a
// Linux desktop through the freedesktop bridge and back, and file URIs; and to the host's
// tree-node reader and the splitting of stored attachment references. The first byte picks the
// reader, the rest is the block.
#include <cstdint>
#include <string>
#include <string_view>

#include "DnDFormats.h"
#include "FreedesktopDrop.h"
#include "Vesk_Def.h"

namespace {

const char* const MimeTypes[] = {"text/uri-list", "text/x-moz-url", "_NETSCAPE_URL",
                                 "text/plain",    "UTF8_STRING",    MimeObjectDescriptor};

// The block as one payload of the type its first byte picks, into a data object and back.
void BridgeRoundTrip(std::string_view Block) {
  if (Block.empty()) return;
  const TMimePayloads payloads{
      {MimeTypes[static_cast<uint8_t>(Block[0]) % 6], std::string(Block.substr(1))}};
  MimeFromDataObject(*DataObjectFromMime(payloads));
}

// Any name without a NUL survives the file-URI codec unchanged; any URI decodes or is refused.
void FileUriRoundTrip(std::string_view Block) {
  FileNameFromUri(Block);
  const std::string name = "/" + std::string(Block.substr(0, Block.find('\0')));
  if (FileNameFromUri(FileNameToUri(name)) != name) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  const std::string_view block(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  switch (Data[0] % 9) {
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
    case 7:
      BridgeRoundTrip(block);
      break;
    case 8:
      FileUriRoundTrip(block);
      break;
    default: {
      std::string path, file, title;
      GetVeskAttmFilePath(std::string(block), "", path, file, title);
    }
  }
  return 0;
}
