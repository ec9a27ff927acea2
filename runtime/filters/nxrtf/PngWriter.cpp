#include "PngWriter.h"

#include <algorithm>
#include <array>

namespace xrtf {

namespace {

const std::array<uint32_t, 256>& CrcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

uint32_t Crc32(std::string_view Bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : Bytes) crc = CrcTable()[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::string_view Bytes) {
  uint32_t a = 1, b = 0;
  for (unsigned char byte : Bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBigEndian(std::string& Out, uint32_t Value) {
  for (int shift = 24; shift >= 0; shift -= 8) Out += static_cast<char>((Value >> shift) & 0xFF);
}

void PutChunk(std::string& Out, const char* Type, std::string_view Data) {
  PutBigEndian(Out, static_cast<uint32_t>(Data.size()));
  std::string typed = std::string(Type, 4) + std::string(Data);
  Out += typed;
  PutBigEndian(Out, Crc32(typed));
}

// A zlib stream of stored blocks of at most 65,535 bytes each.
std::string StoredZlib(std::string_view Raw) {
  std::string out = "\x78\x01";
  size_t pos = 0;
  do {
    const size_t length = std::min<size_t>(Raw.size() - pos, 65535);
    const bool last = pos + length == Raw.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(length & 0xFF);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(~length & 0xFF);
    out += static_cast<char>((~length >> 8) & 0xFF);
    out.append(Raw.substr(pos, length));
    pos += length;
  } while (pos < Raw.size());
  PutBigEndian(out, Adler32(Raw));
  return out;
}

}  // namespace

std::string PngOfRgb(uint32_t Width, uint32_t Height, std::string_view Rgb) {
  std::string header;
  PutBigEndian(header, Width);
  PutBigEndian(header, Height);
  header +=
      std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string raw;
  const size_t row = size_t{Width} * 3;
  raw.reserve((row + 1) * Height);
  for (uint32_t y = 0; y < Height; ++y) {
    raw += '\0';  // no filter on the row
    raw.append(Rgb.substr(y * row, row));
  }
  std::string png = "\x89PNG\r\n\x1A\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", StoredZlib(raw));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace xrtf
