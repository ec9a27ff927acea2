#include "Stream.h"

#include <vector>

TStream::~TStream() = default;

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count) {
  if (Count < 0) throw EStreamError("Invalid stream copy count");
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  constexpr int64_t MaxBufSize = 0xF000;
  std::vector<char> Buffer(static_cast<size_t>(Count < MaxBufSize ? Count : MaxBufSize));
  for (int64_t Left = Count; Left > 0;) {
    int64_t Chunk = Left < MaxBufSize ? Left : MaxBufSize;
    Source.ReadBuffer(Buffer.data(), Chunk);
    WriteBuffer(Buffer.data(), Chunk);
    Left -= Chunk;
  }
  return Count;
}

int64_t TStream::SeekTarget(int64_t Offset, TSeekOrigin Origin, int64_t Current, int64_t End) {
  int64_t Base = Origin == soFromBeginning ? 0 : (Origin == soFromCurrent ? Current : End);
  int64_t Target = 0;
  if (__builtin_add_overflow(Base, Offset, &Target) || Target < 0)
    throw EStreamError("Invalid stream position");
  return Target;
}
