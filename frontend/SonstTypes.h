#pragma once

// The types of the utility unit: character sets, short strings and byte arrays.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Unicode.h"

class TTreeNode;

// A set of 8-bit characters. UTF-8 text is tested byte by byte.
class CharSet {
 public:
  constexpr CharSet() = default;
  // The characters of Members.
  constexpr explicit CharSet(std::string_view Members) {
    for (char C : Members) Include(C);
  }
  constexpr CharSet& Include(char C) {
    auto Byte = static_cast<unsigned char>(C);
    FBits[Byte / 64] |= uint64_t{1} << (Byte % 64);
    return *this;
  }
  constexpr CharSet& IncludeRange(char First, char Last) {
    for (int C = static_cast<unsigned char>(First); C <= static_cast<unsigned char>(Last); ++C)
      Include(static_cast<char>(C));
    return *this;
  }
  constexpr bool Contains(char C) const {
    auto Byte = static_cast<unsigned char>(C);
    return (FBits[Byte / 64] >> (Byte % 64)) & 1;
  }

 private:
  uint64_t FBits[4] = {};
};

// The digits, comma and full stop.
inline constexpr CharSet Zahl = CharSet(",.").IncludeRange('0', '9');
// The blank and the ASCII letters.
inline constexpr CharSet ALFA = CharSet(" ").IncludeRange('A', 'Z').IncludeRange('a', 'z');
inline constexpr CharSet Sonder = CharSet("\"%*-/:?\\_");

// A string of at most N bytes: a longer value is cut on assignment, at a character boundary so
// that no UTF-8 character is split.
template <size_t N>
class TShortString {
 public:
  TShortString() = default;
  TShortString(std::string_view Value) { Assign(Value); }
  TShortString(const char* Value) { Assign(Value); }
  TShortString(const std::string& Value) { Assign(Value); }
  const std::string& Str() const { return FValue; }
  operator const std::string&() const { return FValue; }
  static constexpr size_t Capacity() { return N; }
  friend bool operator==(const TShortString&, const TShortString&) = default;

 private:
  void Assign(std::string_view Value) {
    size_t End = 0;
    while (End < Value.size()) {
      size_t Next = End;
      NextUtf8CodePoint(Value, Next);
      if (Next > N) break;
      End = Next;
    }
    FValue.assign(Value.substr(0, End));
  }

  std::string FValue;
};

using Str2 = TShortString<2>;
using Str3 = TShortString<3>;
using Str4 = TShortString<4>;
using Str5 = TShortString<5>;
using Str6 = TShortString<6>;
using Str7 = TShortString<7>;
using Str8 = TShortString<8>;
using Str9 = TShortString<9>;
using Str10 = TShortString<10>;
using Str12 = TShortString<12>;
using Str16 = TShortString<16>;
using Str20 = TShortString<20>;
using Str30 = TShortString<30>;
using Str40 = TShortString<40>;
using Str60 = TShortString<60>;
using Str80 = TShortString<80>;

using TByteArray = std::vector<uint8_t>;
using TTreeNodeProc = std::function<void(TTreeNode* Node)>;
