#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vesktest {

// One property of a summary-information set: its identifier, type word and the bytes after the
// type (the builder pads them to four bytes).
struct TProperty {
  uint32_t Id;
  uint16_t Type;
  std::string Value;
};

TProperty Lpstr(uint32_t Id, const std::string& Bytes);     // with its NUL
TProperty Lpwstr(uint32_t Id, const std::u16string& Text);  // with its NUL
TProperty FileTime(uint32_t Id, uint64_t Value);
TProperty I2(uint32_t Id, int16_t Value);

// A "\005SummaryInformation" stream holding Properties in the given order.
std::string SummaryStream(const std::vector<TProperty>& Properties);

// A stream or a storage (with its own streams) among the root's children.
struct TStorageEntry {
  using TStreams = std::vector<std::pair<std::u16string, std::string>>;
  TStorageEntry(std::u16string Name, std::string Bytes)
      : Name(std::move(Name)), Bytes(std::move(Bytes)) {}
  TStorageEntry(std::u16string Name, TStreams Streams)
      : Name(std::move(Name)), Streams(std::move(Streams)), IsStorage(true) {}

  std::u16string Name;
  std::string Bytes;  // a stream's bytes
  TStreams Streams;   // a storage's streams
  bool IsStorage = false;
};

// Where the builder put things, for tests that damage them.
struct TCompoundLayout {
  uint32_t SectorSize = 512;
  uint32_t FirstFatSector = 0, FirstDifatSector = 0, FirstDirectorySector = 0;
  uint32_t FirstMiniFatSector = 0, FirstMiniStreamSector = 0;
  std::vector<uint32_t> StreamStarts;  // per root entry, in the order given
  uint64_t SectorOffset(uint32_t Sector) const { return uint64_t{Sector + 1} * SectorSize; }
};

// A compound file (version 3 with 512-byte sectors, or 4 with 4096) written the way office
// programs lay it out: FAT (and DIFAT past 109 FAT sectors), directory, mini FAT and mini stream
// for streams under 4096 bytes, then the large streams. Test-only: the reader's tests check its
// output with python3-olefile, so the two cannot share one misunderstanding unseen.
std::string BuildCompoundFile(const std::vector<TStorageEntry>& Root, int Version = 3,
                              TCompoundLayout* Layout = nullptr);

}  // namespace vesktest
