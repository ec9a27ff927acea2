#pragma once

#include <cstdint>

#include "Classes.h"
#include "Export.h"

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// A sequence of bytes with a current position. Read and Write move as far as they can and
// return the count moved; ReadBuffer and WriteBuffer move all or raise.
class VESK_API TStream {
 public:
  TStream() = default;
  virtual ~TStream();
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Returns the new position; a position before the start raises EStreamError.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size() const = 0;
  // A shorter stream pulls the position back to its end.
  virtual void SetSize(int64_t NewSize) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }

  // Raises EReadError when fewer than Count bytes are there.
  void ReadBuffer(void* Buffer, int64_t Count);
  // Raises EWriteError when not every byte could be written.
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source's position; Count 0 copies all of Source from its start.
  // Returns the count copied.
  int64_t CopyFrom(TStream& Source, int64_t Count);

 protected:
  // The absolute position a Seek asks for, raising EStreamError when it lies before the start.
  static int64_t SeekTarget(int64_t Offset, TSeekOrigin Origin, int64_t Current, int64_t End);
};
