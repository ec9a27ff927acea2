#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Exception.h"

// A compound file (OLE structured storage) that cannot be read: damaged, cut short, or no compound
// file at all. The message names the file.
class ECompoundFile : public Exception {
 public:
  using Exception::Exception;
};

// A reader of compound files, versions 3 and 4 (512- and 4096-byte sectors). Documents come from
// anywhere, so every number in the file is untrusted: a sector outside the file, a chain or tree
// that loops, or a size beyond the file raises ECompoundFile, never a read past a buffer, a hang
// or a large allocation. Only the sectors a request needs are read, each FAT sector at most once.
class TCompoundFile {
 public:
  // Opens FileName read-only; it is closed again when the object goes.
  explicit TCompoundFile(const std::string& FileName);
  // Reads a compound file held in memory (fuzzing, tests); Bytes must outlive the object.
  TCompoundFile(std::string_view Bytes, std::string Name);
  ~TCompoundFile();
  TCompoundFile(const TCompoundFile&) = delete;
  TCompoundFile& operator=(const TCompoundFile&) = delete;

  // Whether the file begins with the compound-file signature (false for a file that cannot be
  // read).
  static bool IsCompoundFile(const std::string& FileName);

  // The bytes of the stream Name among the root storage's own children (an embedded object's
  // streams are not), names compared without regard to case; nothing when there is none.
  std::optional<std::string> ReadRootStream(std::u16string_view Name);

  // Bytes read from the file so far.
  uint64_t BytesRead() const { return FBytesRead; }

 private:
  struct TEntry {
    std::u16string Name;
    uint8_t Type = 0;
    uint32_t Left = 0, Right = 0, Child = 0, Start = 0;
    uint64_t Size = 0;
  };

  void ReadHeader();
  void ReadDifat(const std::string& Header);
  [[noreturn]] void Damaged(const std::string& What) const;
  void ReadAt(uint64_t Offset, void* Buffer, size_t Size);
  uint32_t FatEntry(uint32_t Sector);
  uint32_t MiniFatEntry(uint32_t MiniSector);
  // The sectors of the chain from Start on, at most Limit of them.
  std::vector<uint32_t> Chain(uint32_t Start, uint64_t Limit);
  void CheckSector(uint32_t Sector) const;
  TEntry Entry(uint32_t Index);
  std::optional<TEntry> FindChild(const TEntry& Storage, std::u16string_view Name);
  std::string ReadStream(const TEntry& Stream);
  std::string ReadMiniStream(const TEntry& Stream);

  std::string FName;
  int FFile = -1;
  std::string_view FMemory;
  uint64_t FFileSize = 0, FBytesRead = 0;
  uint32_t FSectorShift = 9, FSectorCount = 0, FMajorVersion = 3;
  uint32_t FFirstDirectory = 0, FFirstMiniFat = 0, FMiniCutoff = 4096;
  std::vector<uint32_t> FFatSectors;                    // from the DIFAT
  std::map<uint32_t, std::vector<uint32_t>> FFatCache;  // FAT sector index -> entries
  std::optional<std::vector<uint32_t>> FDirectory, FMiniFat, FMiniStream;
  std::map<uint32_t, std::string> FDirectoryCache;  // directory sector -> bytes
  std::optional<TEntry> FRoot;
};
