#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

#include "FileStream.h"

TMemoryStream::~TMemoryStream() = default;

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  int64_t Available = Size() - FPosition;
  if (Count <= 0 || Available <= 0) return 0;
  if (Count > Available) Count = Available;
  memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(Count));
  FPosition += Count;
  return Count;
}

// Buffer may lie inside this stream's own memory (a stream saved into itself), so growth
// copies into new memory before the old is released, and overlapping copies use memmove.
int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  int64_t End = 0;
  if (Count <= 0 || __builtin_add_overflow(FPosition, Count, &End)) return 0;
  size_t NewSize = static_cast<size_t>(End);
  if (NewSize > FData.capacity()) {
    std::vector<char> Grown;
    Grown.reserve(std::max(NewSize, FData.capacity() * 2));
    Grown.assign(FData.begin(), FData.end());
    Grown.resize(NewSize);
    memcpy(Grown.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FData.swap(Grown);
  } else {
    if (NewSize > FData.size()) FData.resize(NewSize);
    memmove(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  }
  FPosition = End;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  FPosition = SeekTarget(Offset, Origin, FPosition, Size());
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  FData.resize(static_cast<size_t>(NewSize));
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  std::vector<char> Data(static_cast<size_t>(Stream.Size()));
  Stream.ReadBuffer(Data.data(), static_cast<int64_t>(Data.size()));
  FData = std::move(Data);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& Stream) const {
  Stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream Stream(FileName, fmOpenRead);
  LoadFromStream(Stream);
}

void TMemoryStream::SaveToFile(const std::string& FileName) const {
  TFileStream Stream(FileName, fmCreate);
  SaveToStream(Stream);
}
