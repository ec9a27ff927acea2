// Feeds arbitrary bytes to the readers of files that users and other programs write: desktop
// link entries, Windows shell links, the XDG user folders, mountinfo lines and dataset packets.
// The first byte picks the reader, the rest is the file.
#include <cstdint>
#include <sstream>
#include <string>

#include "ClientDataSet.h"
#include "DesktopEntry.h"
#include "MemoryStream.h"
#include "MountTable.h"
#include "ShellLink.h"
#include "UserDirs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  std::string Text(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  switch (Data[0] % 5) {
    case 0:
      DesktopLinkTarget(Text);
      break;
    case 1: {
      TShellLinkTarget Target;
      ReadShellLink(Text, Target);
      break;
    }
    case 2:
      ParseUserDirs(Text, "/home/fuzz");
      break;
    case 3: {
      std::istringstream Lines(Text);
      TMountEntry Entry;
      for (std::string Line; std::getline(Lines, Line);) ParseMountInfoLine(Line, Entry);
      break;
    }
    default: {
      TMemoryStream Stream;
      Stream.WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
      Stream.SetPosition(0);
      try {
        ReadDataPacket(Stream);
      } catch (const EDatabaseError&) {
        // A damaged packet is refused; only a crash or a leak is a finding.
      }
    }
  }
  return 0;
}
