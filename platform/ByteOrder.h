#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Little-endian values in byte buffers, as Windows stores its records.

inline void PutLE32(std::vector<uint8_t>& Out, uint32_t Value) {
  for (int Shift = 0; Shift < 32; Shift += 8) Out.push_back(static_cast<uint8_t>(Value >> Shift));
}

// Overwrites the four bytes at At of Out.
inline void PutLE32At(std::string& Out, size_t At, uint32_t Value) {
  for (int Shift = 0; Shift < 32; Shift += 8)
    Out[At + Shift / 8] = static_cast<char>(Value >> Shift);
}

inline uint32_t GetLE32(const uint8_t* Bytes) {
  return static_cast<uint32_t>(Bytes[0]) | static_cast<uint32_t>(Bytes[1]) << 8 |
         static_cast<uint32_t>(Bytes[2]) << 16 | static_cast<uint32_t>(Bytes[3]) << 24;
}

inline uint32_t GetLE32(const char* Bytes) {
  return GetLE32(reinterpret_cast<const uint8_t*>(Bytes));
}

inline uint16_t GetLE16(const char* Bytes) {
  return static_cast<uint16_t>(static_cast<uint8_t>(Bytes[0]) | static_cast<uint8_t>(Bytes[1])
                                                                    << 8);
}

inline uint64_t GetLE64(const char* Bytes) {
  return GetLE32(Bytes) | static_cast<uint64_t>(GetLE32(Bytes + 4)) << 32;
}

// Reads at Pos of Bytes; false when the value would run past the end.
inline bool ReadLE16(std::string_view Bytes, size_t Pos, uint16_t& Value) {
  if (Pos > Bytes.size() || Bytes.size() - Pos < 2) return false;
  Value = static_cast<uint16_t>(static_cast<uint8_t>(Bytes[Pos]) |
                                static_cast<uint8_t>(Bytes[Pos + 1]) << 8);
  return true;
}

inline bool ReadLE32(std::string_view Bytes, size_t Pos, uint32_t& Value) {
  if (Pos > Bytes.size() || Bytes.size() - Pos < 4) return false;
  Value = GetLE32(reinterpret_cast<const uint8_t*>(Bytes.data() + Pos));
  return true;
}
