#include "RtfTokenizer.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsLetter(char C) {
  return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

int HexValue(char C) {
  if (IsDigit(C)) return C - '0';
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  return -1;
}

bool EndsText(char C) {
  return C == '\\' || C == '{' || C == '}' || C == '\r' || C == '\n';
}

constexpr int64_t MaxParam = INT32_MAX;

}  // namespace

bool TRtfTokenizer::Next(TRtfToken& Token) {
  Token = TRtfToken();
  if (FBinaryNext) {
    FBinaryNext = false;
    Token.Kind = TRtfTokenKind::Binary;
    Token.Offset = FPos;
    Token.Length = FBinaryLength;
    Token.Value = FInput.substr(FPos, FBinaryLength);
    FPos += FBinaryLength;
    return true;
  }
  // Line breaks between tokens mean nothing in RTF.
  while (FPos < FInput.size() && (FInput[FPos] == '\r' || FInput[FPos] == '\n')) ++FPos;
  if (FPos >= FInput.size()) return false;
  Token.Offset = FPos;
  char C = FInput[FPos];
  if (C == '{' || C == '}') {
    Token.Kind = C == '{' ? TRtfTokenKind::GroupOpen : TRtfTokenKind::GroupClose;
    Token.Value = FInput.substr(FPos, 1);
    ++FPos;
  } else if (C == '\\') {
    ReadControl(Token);
  } else {
    ReadText(Token);
  }
  Token.Length = FPos - Token.Offset;
  return true;
}

void TRtfTokenizer::ReadControl(TRtfToken& Token) {
  ++FPos;
  if (FPos >= FInput.size()) {
    // A backslash at the very end stands for nothing; it becomes an empty symbol.
    Token.Kind = TRtfTokenKind::ControlSymbol;
    return;
  }
  char C = FInput[FPos];
  if (IsLetter(C)) return ReadWord(Token);
  if (C == '\r' || C == '\n') {
    // A backslash before a line break is a paragraph mark.
    ++FPos;
    Token.Kind = TRtfTokenKind::ControlWord;
    Token.Value = "par";
    return;
  }
  Token.Kind = TRtfTokenKind::ControlSymbol;
  Token.Value = FInput.substr(FPos, 1);
  ++FPos;
  if (C != '\'') return;
  int High = FPos < FInput.size() ? HexValue(FInput[FPos]) : -1;
  int Low = FPos + 1 < FInput.size() ? HexValue(FInput[FPos + 1]) : -1;
  if (High < 0) return;
  if (Low < 0) {
    // Half an escape: the digit is used up, the symbol stands for nothing.
    ++FPos;
    return;
  }
  Token.Kind = TRtfTokenKind::HexByte;
  Token.Byte = static_cast<uint8_t>(High * 16 + Low);
  FPos += 2;
}

void TRtfTokenizer::ReadWord(TRtfToken& Token) {
  Token.Kind = TRtfTokenKind::ControlWord;
  size_t Start = FPos;
  while (FPos < FInput.size() && IsLetter(FInput[FPos])) ++FPos;
  Token.Value = FInput.substr(Start, FPos - Start);
  ReadParam(Token);
  // A space ends the word and belongs to it.
  if (FPos < FInput.size() && FInput[FPos] == ' ') ++FPos;
  if (Token.Value == "bin") {
    FBinaryNext = true;
    FBinaryLength = static_cast<size_t>(std::max<int32_t>(Token.Param, 0));
    FBinaryLength = std::min(FBinaryLength, FInput.size() - FPos);
    Token.Param = static_cast<int32_t>(FBinaryLength);
  }
}

void TRtfTokenizer::ReadParam(TRtfToken& Token) {
  bool Negative = FPos + 1 < FInput.size() && FInput[FPos] == '-' && IsDigit(FInput[FPos + 1]);
  if (Negative) ++FPos;
  if (FPos >= FInput.size() || !IsDigit(FInput[FPos])) return;
  int64_t Value = 0;
  for (; FPos < FInput.size() && IsDigit(FInput[FPos]); ++FPos) {
    Value = std::min(Value * 10 + (FInput[FPos] - '0'), MaxParam);
  }
  Token.HasParam = true;
  Token.Param = static_cast<int32_t>(Negative ? -Value : Value);
}

void TRtfTokenizer::ReadText(TRtfToken& Token) {
  Token.Kind = TRtfTokenKind::Text;
  size_t Start = FPos;
  while (FPos < FInput.size() && !EndsText(FInput[FPos])) ++FPos;
  Token.Value = FInput.substr(Start, FPos - Start);
}
