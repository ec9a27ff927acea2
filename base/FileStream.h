#pragma once

#include <cstdint>
#include <string>

#include "Export.h"
#include "Stream.h"

// Open modes of TFileStream. The share modes are accepted for the callers' sake; this platform
// does not lock files, so they change nothing.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyNone = 0x0040,
  // Creates the file, or empties an existing one, open for reading and writing.
  fmCreate = 0xFF00,
};

// A stream over an open file, closed by the destructor. The constructor raises EFCreateError
// (fmCreate) or EFOpenError naming the file and the system's reason.
class VESK_API TFileStream : public TStream {
 public:
  TFileStream(const std::string& FileName, uint16_t Mode);
  ~TFileStream() override;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() const override;
  void SetSize(int64_t NewSize) override;

  const std::string& FileName() const { return FFileName; }

 private:
  // The failed action, the file and the system's reason for the last error.
  std::string ErrorText(const char* Action) const;

  std::string FFileName;
  int FHandle = -1;
};
