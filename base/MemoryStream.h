#pragma once

#include <string>
#include <vector>

#include "Export.h"
#include "Stream.h"

// A stream held in memory. Writing past the end grows it; a gap left by seeking past the end
// reads as zeros.
class VESK_API TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  ~TMemoryStream() override;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t NewSize) override;

  // The bytes; valid until the size changes.
  void* Memory() { return FData.data(); }
  const void* Memory() const { return FData.data(); }
  void Clear();

  // The whole of Stream from its start; the position ends at 0.
  void LoadFromStream(TStream& Stream);
  // Writes every byte, whatever the position.
  void SaveToStream(TStream& Stream) const;
  // Raises EFOpenError.
  void LoadFromFile(const std::string& FileName);
  // Raises EFCreateError or EWriteError.
  void SaveToFile(const std::string& FileName) const;

 private:
  std::vector<char> FData;
  int64_t FPosition = 0;
};
