#pragma once

#include <string>
#include <string_view>

// Where a Windows shell link (".lnk", the MS-SHLLINK format) points: the local path on the
// machine that made it ("C:\Data\a.doc") and the network path ("\\server\share\a.doc"), each
// empty when the link does not tell it.
struct TShellLinkTarget {
  std::string LocalPath;
  std::string NetworkPath;
};

// Reads the link's LinkInfo; false when Bytes is no shell link or tells no target. Names come
// back in UTF-8 (names in the machine's code page are read as Windows-1252's Latin-1 part).
bool ReadShellLink(std::string_view Bytes, TShellLinkTarget& Target);
