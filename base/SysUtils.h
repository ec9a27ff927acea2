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

// An input or output operation on a file failed. The message names the file and gives the
// system's reason; ErrorCode is the system's error number.
class VESK_API EInOutError : public Exception {
 public:
  EInOutError(const std::string& Action, const std::string& FileName, int ErrorCode);
  ~EInOutError() override;

  const std::string& FileName() const { return FFileName; }
  int ErrorCode() const { return FErrorCode; }

 private:
  std::string FFileName;
  int FErrorCode;
};

// A checked condition did not hold. The message tells the condition's text, the source and the
// line.
class VESK_API EAssertionFailed : public Exception {
 public:
  EAssertionFailed(const std::string& Text, const std::string& SourceName, int LineNumber);
  ~EAssertionFailed() override;

  const std::string& Text() const { return FText; }
  const std::string& SourceName() const { return FSourceName; }
  int LineNumber() const { return FLineNumber; }

 private:
  std::string FText;
  std::string FSourceName;
  int FLineNumber;
};

// A call to the operating system failed; ErrorCode is the code the caller reports it with.
class VESK_API EOSError : public Exception {
 public:
  EOSError(std::string Message, int ErrorCode)
      : Exception(std::move(Message)), FErrorCode(ErrorCode) {}
  ~EOSError() override;

  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

// The system's text for an error number (errno).
std::string SysErrorMessage(int Error);

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
