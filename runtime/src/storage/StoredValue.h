#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "notesapi/global.h"

namespace notesrt {

// Fixed-size structures (TIMEDATE, UNID, words) as the bytes of a stored blob. A blob of the
// wrong size reads as zero, so a damaged row cannot make a read run past it.
template <class T>
std::string_view BytesOf(const T& Value) {
  return std::string_view(reinterpret_cast<const char*>(&Value), sizeof Value);
}

template <class T>
T FromBytes(std::string_view Bytes) {
  T value{};
  if (Bytes.size() == sizeof value) std::memcpy(&value, Bytes.data(), sizeof value);
  return value;
}

// The same for a value read at Offset inside a larger buffer; zero when it does not fit.
template <class T>
T ReadAt(std::string_view Bytes, size_t Offset) {
  T value{};
  if (Offset <= Bytes.size() && Bytes.size() - Offset >= sizeof value)
    std::memcpy(&value, Bytes.data() + Offset, sizeof value);
  return value;
}

}  // namespace notesrt
