#include "ShellLink.h"

#include <cstdint>

#include "ByteOrder.h"
#include "Unicode.h"

namespace {

constexpr uint32_t HeaderSize = 0x4C;
constexpr uint32_t HasLinkTargetIDList = 0x1;
constexpr uint32_t HasLinkInfo = 0x2;
constexpr uint32_t VolumeIDAndLocalBasePath = 0x1;
constexpr uint32_t CommonNetworkRelativeLinkAndPathSuffix = 0x2;
constexpr std::string_view LinkClsid{
    "\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16};

// A NUL-terminated string at Pos of Block: 8-bit (Latin-1) or UTF-16LE; empty when it runs
// past the block.
std::string StringAt(std::string_view Block, uint32_t Pos, bool Wide) {
  std::u16string Text;
  size_t Step = Wide ? 2 : 1;
  for (size_t At = Pos; At + Step <= Block.size(); At += Step) {
    char16_t C = static_cast<uint8_t>(Block[At]);
    if (Wide) C = static_cast<char16_t>(C | static_cast<uint8_t>(Block[At + 1]) << 8);
    if (C == 0) return Utf16ToUtf8(Text);
    Text += C;
  }
  return "";
}

// The string whose offset is stored at OffsetPos of Block (a zero offset tells none).
std::string StringFromOffset(std::string_view Block, size_t OffsetPos, bool Wide) {
  uint32_t Offset = 0;
  if (!ReadLE32(Block, OffsetPos, Offset) || Offset == 0) return "";
  return StringAt(Block, Offset, Wide);
}

// The Unicode form where the header has room for it, else the 8-bit one.
std::string PreferWide(std::string_view Block, uint32_t HeaderLength, size_t AnsiOffsetPos,
                       size_t WideOffsetPos) {
  if (HeaderLength > WideOffsetPos) {
    std::string Wide = StringFromOffset(Block, WideOffsetPos, true);
    if (!Wide.empty()) return Wide;
  }
  return StringFromOffset(Block, AnsiOffsetPos, false);
}

std::string JoinWindowsPath(const std::string& Head, const std::string& Tail) {
  if (Tail.empty() || Head.empty()) return Head + Tail;
  return Head.back() == '\\' ? Head + Tail : Head + "\\" + Tail;
}

std::string NetworkName(std::string_view Info, uint32_t Offset) {
  if (Offset == 0 || Offset >= Info.size()) return "";
  std::string_view Link = Info.substr(Offset);
  uint32_t Size = 0, NetNameOffset = 0;
  if (!ReadLE32(Link, 0, Size) || Size > Link.size() || !ReadLE32(Link, 8, NetNameOffset))
    return "";
  Link = Link.substr(0, Size);
  // Links with a Unicode name have the longer header.
  if (NetNameOffset > 0x14) {
    std::string Wide = StringFromOffset(Link, 0x14, true);
    if (!Wide.empty()) return Wide;
  }
  return StringAt(Link, NetNameOffset, false);
}

}  // namespace

bool ReadShellLink(std::string_view Bytes, TShellLinkTarget& Target) {
  uint32_t Size = 0, Flags = 0;
  if (!ReadLE32(Bytes, 0, Size) || Size != HeaderSize || Bytes.substr(4, 16) != LinkClsid ||
      !ReadLE32(Bytes, 0x14, Flags) || !(Flags & HasLinkInfo))
    return false;
  size_t Pos = HeaderSize;
  if (Flags & HasLinkTargetIDList) {
    uint16_t IdListSize = 0;
    if (!ReadLE16(Bytes, Pos, IdListSize)) return false;
    Pos += 2 + IdListSize;
  }
  uint32_t InfoSize = 0, InfoHeaderSize = 0, InfoFlags = 0, NetworkOffset = 0;
  if (!ReadLE32(Bytes, Pos, InfoSize) || InfoSize > Bytes.size() - Pos) return false;
  std::string_view Info = Bytes.substr(Pos, InfoSize);
  if (!ReadLE32(Info, 4, InfoHeaderSize) || !ReadLE32(Info, 8, InfoFlags) ||
      !ReadLE32(Info, 0x14, NetworkOffset))
    return false;
  std::string Suffix = PreferWide(Info, InfoHeaderSize, 0x18, 0x20);
  TShellLinkTarget Found;
  if (InfoFlags & VolumeIDAndLocalBasePath)
    Found.LocalPath = JoinWindowsPath(PreferWide(Info, InfoHeaderSize, 0x10, 0x1C), Suffix);
  if (InfoFlags & CommonNetworkRelativeLinkAndPathSuffix) {
    std::string Share = NetworkName(Info, NetworkOffset);
    if (!Share.empty()) Found.NetworkPath = JoinWindowsPath(Share, Suffix);
  }
  if (Found.LocalPath.empty() && Found.NetworkPath.empty()) return false;
  Target = std::move(Found);
  return true;
}
