#pragma once

#include <cstdint>
#include <string>

#include "Exception.h"
#include "Export.h"

// A text that does not hold a value of the asked type (numbers, dates).
class VESK_API EConvertError : public Exception {
 public:
  using Exception::Exception;
  ~EConvertError() override;
};

std::string IntToStr(int64_t Value);
// Upper-case hexadecimal, at least Digits digits.
std::string IntToHex(uint64_t Value, int Digits);
// Decimal, or hexadecimal after "$" or "0x"; leading blanks allowed. Raises EConvertError.
int StrToInt(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);

// Remove leading and/or trailing characters up to and including the blank (control characters).
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);

// ASCII letters only; every other byte passes unchanged.
std::string UpperCase(const std::string& S);
std::string LowerCase(const std::string& S);
// ASCII case-insensitive comparison: negative, zero or positive.
int CompareText(const std::string& S1, const std::string& S2);
bool SameText(const std::string& S1, const std::string& S2);

std::string Format(const char* Fmt, ...) __attribute__((format(printf, 1, 2)));

// File names use "/" as the separator.
std::string IncludeTrailingPathDelimiter(const std::string& Path);
std::string ExcludeTrailingPathDelimiter(const std::string& Path);
// The directory part including its final "/"; empty when the name has none.
std::string ExtractFilePath(const std::string& FileName);
std::string ExtractFileName(const std::string& FileName);
// The extension with its dot; empty when the file name has none.
std::string ExtractFileExt(const std::string& FileName);
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
// True for an existing file that is not a directory.
bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Directory);
