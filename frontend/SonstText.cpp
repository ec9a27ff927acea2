// The text helpers of the utility unit: pure code, byte by byte on UTF-8.
#include <bit>
#include <cmath>

#include "Sonst.h"
#include "SysUtils.h"
#include "Unicode.h"

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void AppendHexB(std::string& Out, uint8_t B) {
  Out += HexDigits[B >> 4];
  Out += HexDigits[B & 15];
}

// Keeps the bytes whose membership in Set is Keep.
std::string KeepBytes(const std::string& S, const CharSet& Set, bool Keep) {
  std::string Result;
  Result.reserve(S.size());
  for (char C : S)
    if (Set.Contains(C) == Keep) Result += C;
  return Result;
}

size_t CharacterCount(const std::string& S) {
  size_t Count = 0;
  for (size_t Pos = 0; Pos < S.size(); ++Count) NextUtf8CodePoint(S, Pos);
  return Count;
}

// The byte offset where character Index begins.
size_t CharacterOffset(const std::string& S, size_t Index) {
  size_t Pos = 0;
  for (size_t Count = 0; Count < Index && Pos < S.size(); ++Count) NextUtf8CodePoint(S, Pos);
  return Pos;
}

std::string LastCharacters(const std::string& S, size_t Count) {
  size_t Total = CharacterCount(S);
  return Count >= Total ? S : S.substr(CharacterOffset(S, Total - Count));
}

}  // namespace

std::string HexB(uint8_t B) {
  std::string Result;
  AppendHexB(Result, B);
  return Result;
}

std::string HexW(uint16_t W) {
  return HexB(static_cast<uint8_t>(W >> 8)) + HexB(static_cast<uint8_t>(W));
}

std::string HexL(uint32_t L) {
  return HexW(static_cast<uint16_t>(L >> 16)) + HexW(static_cast<uint16_t>(L));
}

std::string DebugString(const std::string& S) {
  std::string Result;
  Result.reserve(S.size());
  for (char C : S) {
    auto B = static_cast<uint8_t>(C);
    if (B >= 32 && B <= 127) {
      Result += C;
    } else {
      Result += '#';
      AppendHexB(Result, B);
    }
  }
  return Result;
}

std::string HexString(const std::string& S) {
  std::string Result;
  Result.reserve(S.size() * 3);
  for (char C : S) {
    Result += '$';
    AppendHexB(Result, static_cast<uint8_t>(C));
  }
  return Result;
}

std::string Substitute(const std::string& S, const std::string& FromChars,
                       const std::string& ToChars) {
  if (FromChars.size() != ToChars.size()) return S;
  char Map[256];
  for (int B = 0; B < 256; ++B) Map[B] = static_cast<char>(B);
  // Backwards, so that the first place of a byte in FromChars wins.
  for (size_t Pos = FromChars.size(); Pos-- > 0;)
    Map[static_cast<uint8_t>(FromChars[Pos])] = ToChars[Pos];
  std::string Result = S;
  for (char& C : Result) C = Map[static_cast<uint8_t>(C)];
  return Result;
}

std::string Filter(const std::string& S, const CharSet& Set) {
  return KeepBytes(S, Set, false);
}

std::string NotFilter(const std::string& S, const CharSet& Set) {
  return KeepBytes(S, Set, true);
}

int StringIndex(const std::string& S, const std::vector<std::string>& Strings) {
  for (size_t Index = 0; Index < Strings.size(); ++Index)
    if (SameText(S, Strings[Index])) return static_cast<int>(Index);
  return -1;
}

bool StringInEnum(const std::string& S, const std::vector<std::string>& EnumNames) {
  return StringIndex(S, EnumNames) >= 0;
}

int card(const void* P, size_t Size) {
  const auto* Bytes = static_cast<const uint8_t*>(P);
  int Count = 0;
  for (size_t Index = 0; Index < Size; ++Index) Count += std::popcount(Bytes[Index]);
  return Count;
}

int64_t VarToInt64(const TVariant& V) {
  if (V.VarType() != varInt64)
    throw EVariantError(Format("%d is no int64 variant-type", static_cast<int>(V.VarType())));
  return V.AsInt64();
}

TDateTime RoundDateTimeToMinutes(TDateTime DT) {
  double Day = std::trunc(DT);
  // The time of day to the millisecond first: a day fraction is rarely exact, and 23:59:30 must
  // not read as 23:59:29.999.
  int64_t Seconds = std::llround((DT - Day) * MSecsPerDay) / MSecsPerSec;
  Seconds += 30;
  Seconds -= Seconds % 60;
  return Day + static_cast<double>(Seconds) / (MSecsPerDay / MSecsPerSec);
}

std::string PathCompactByStrLength(const std::string& Path, int MaxLen) {
  if (MaxLen <= 0) return "";
  size_t Max = static_cast<size_t>(MaxLen);
  size_t Length = CharacterCount(Path);
  if (Length <= Max) return Path;
  size_t Slash = Path.find_last_of(Path.find('/') != std::string::npos ? "/" : "\\");
  if (Slash == std::string::npos || Max < 4) return LastCharacters(Path, Max);
  std::string Tail = Path.substr(Slash);
  size_t TailLength = CharacterCount(Tail);
  if (TailLength + 4 > Max) return "..." + LastCharacters(Path, Max - 3);
  size_t HeadLength = Max - TailLength - 3;
  return Path.substr(0, CharacterOffset(Path, HeadLength)) + "..." + Tail;
}

bool IsValidWinFileName(const std::string& Name) {
  for (char C : Name)
    if (static_cast<uint8_t>(C) < 32 ||
        std::string_view("\"*/:<>?\\|").find(C) != std::string_view::npos)
      return false;
  return true;
}

bool IsValidWinPathName(const std::string& Name) {
  for (char C : Name)
    if (static_cast<uint8_t>(C) < 32 ||
        std::string_view("\"*/<>?|").find(C) != std::string_view::npos)
      return false;
  return true;
}

std::string JustUNCPart(const std::string& Path) {
  if (Path.compare(0, 2, "\\\\") != 0) return "";
  size_t ServerEnd = Path.find('\\', 2);
  if (ServerEnd == std::string::npos) return Path;
  size_t ShareEnd = Path.find('\\', ServerEnd + 1);
  return ShareEnd == std::string::npos ? Path : Path.substr(0, ShareEnd + 1);
}
