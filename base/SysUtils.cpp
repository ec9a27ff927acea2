#include "SysUtils.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>

EConvertError::~EConvertError() = default;

EInOutError::EInOutError(const std::string& Action, const std::string& FileName, int ErrorCode)
    : Exception(Format("I/O error %s \"%s\": %s", Action.c_str(), FileName.c_str(),
                       SysErrorMessage(ErrorCode).c_str())),
      FFileName(FileName),
      FErrorCode(ErrorCode) {}

EInOutError::~EInOutError() = default;

EAssertionFailed::EAssertionFailed(const std::string& Text, const std::string& SourceName,
                                   int LineNumber)
    : Exception(Format("%s (%s, line %d)", Text.c_str(), SourceName.c_str(), LineNumber)),
      FText(Text),
      FSourceName(SourceName),
      FLineNumber(LineNumber) {}

EAssertionFailed::~EAssertionFailed() = default;

EOSError::~EOSError() = default;

std::string SysErrorMessage(int Error) {
  char Buffer[256];
  // The GNU variant returns the message, not always in Buffer.
  return strerror_r(Error, Buffer, sizeof Buffer);
}

namespace {

// Delphi treats every character up to the blank as white space.
bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

char AsciiLower(char C) {
  return (C >= 'A' && C <= 'Z') ? static_cast<char>(C + 32) : C;
}

char AsciiUpper(char C) {
  return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 32) : C;
}

// Digits of S from Pos on in the given base, the whole rest of S; false on anything else.
bool ParseDigits(const std::string& S, size_t Pos, int Base, uint64_t& Magnitude) {
  const char* First = S.data() + Pos;
  const char* Last = S.data() + S.size();
  if (First == Last) return false;
  auto [End, Error] = std::from_chars(First, Last, Magnitude, Base);
  return Error == std::errc() && End == Last;
}

}  // namespace

std::string IntToStr(int64_t Value) {
  return std::to_string(Value);
}

std::string IntToHex(uint64_t Value, int Digits) {
  char Buffer[20];
  auto [End, Error] = std::to_chars(Buffer, Buffer + sizeof Buffer, Value, 16);
  std::string Result = UpperCase(std::string(Buffer, End));
  if (static_cast<int>(Result.size()) < Digits) Result.insert(0, Digits - Result.size(), '0');
  return Result;
}

bool TryStrToInt(const std::string& S, int& Value) {
  size_t Pos = 0;
  while (Pos < S.size() && S[Pos] == ' ') ++Pos;
  bool Negative = Pos < S.size() && S[Pos] == '-';
  if (Pos < S.size() && (S[Pos] == '-' || S[Pos] == '+')) ++Pos;
  int Base = 10;
  if (S.compare(Pos, 1, "$") == 0) {
    Base = 16;
    Pos += 1;
  } else if (S.compare(Pos, 2, "0x") == 0 || S.compare(Pos, 2, "0X") == 0) {
    Base = 16;
    Pos += 2;
  }
  uint64_t Magnitude = 0;
  if (!ParseDigits(S, Pos, Base, Magnitude)) return false;
  const uint64_t Limit = Negative ? uint64_t{1} << 31 : std::numeric_limits<int>::max();
  if (Magnitude > Limit) return false;
  Value =
      Negative ? static_cast<int>(-static_cast<int64_t>(Magnitude)) : static_cast<int>(Magnitude);
  return true;
}

int StrToInt(const std::string& S) {
  int Value = 0;
  if (!TryStrToInt(S, Value)) throw EConvertError("'" + S + "' is not a valid integer value");
  return Value;
}

int StrToIntDef(const std::string& S, int Default) {
  int Value = 0;
  return TryStrToInt(S, Value) ? Value : Default;
}

std::string TrimLeft(const std::string& S) {
  size_t First = 0;
  while (First < S.size() && IsBlank(S[First])) ++First;
  return S.substr(First);
}

std::string TrimRight(const std::string& S) {
  size_t Last = S.size();
  while (Last > 0 && IsBlank(S[Last - 1])) --Last;
  return S.substr(0, Last);
}

std::string Trim(const std::string& S) {
  return TrimLeft(TrimRight(S));
}

std::string UpperCase(const std::string& S) {
  std::string Result = S;
  for (char& C : Result) C = AsciiUpper(C);
  return Result;
}

std::string LowerCase(const std::string& S) {
  std::string Result = S;
  for (char& C : Result) C = AsciiLower(C);
  return Result;
}

int CompareText(const std::string& S1, const std::string& S2) {
  size_t Common = S1.size() < S2.size() ? S1.size() : S2.size();
  for (size_t I = 0; I < Common; ++I) {
    int Diff = static_cast<unsigned char>(AsciiLower(S1[I])) -
               static_cast<unsigned char>(AsciiLower(S2[I]));
    if (Diff != 0) return Diff;
  }
  return S1.size() < S2.size() ? -1 : (S1.size() > S2.size() ? 1 : 0);
}

bool SameText(const std::string& S1, const std::string& S2) {
  return CompareText(S1, S2) == 0;
}

std::string Format(const char* Fmt, ...) {
  va_list Args;
  va_start(Args, Fmt);
  va_list Measure;
  va_copy(Measure, Args);
  int Length = vsnprintf(nullptr, 0, Fmt, Measure);
  va_end(Measure);
  std::string Result;
  if (Length > 0) {
    Result.resize(static_cast<size_t>(Length));
    vsnprintf(Result.data(), Result.size() + 1, Fmt, Args);
  }
  va_end(Args);
  return Result;
}
