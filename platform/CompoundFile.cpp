#include "CompoundFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "ByteOrder.h"

namespace {

constexpr char Signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr uint32_t MaxRegularSector = 0xFFFFFFFA, EndOfChain = 0xFFFFFFFE, NoStream = 0xFFFFFFFF;
constexpr uint32_t HeaderSize = 512, EntrySize = 128, MiniSectorSize = 64, HeaderDifatCount = 109;
constexpr uint8_t StreamObject = 2, RootObject = 5;

char16_t FoldCase(char16_t C) {
  return C >= u'a' && C <= u'z' ? static_cast<char16_t>(C - u'a' + u'A') : C;
}

bool SameName(std::u16string_view A, std::u16string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (FoldCase(A[i]) != FoldCase(B[i])) return false;
  return true;
}

uint64_t SectorsFor(uint64_t Size, uint32_t Shift) {
  return (Size + (uint64_t{1} << Shift) - 1) >> Shift;
}

}  // namespace

TCompoundFile::TCompoundFile(const std::string& FileName) : FName(FileName) {
  FFile = open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (FFile < 0) throw ECompoundFile(FileName + ": " + std::strerror(errno));
  struct stat info {};
  if (fstat(FFile, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(FFile);
    throw ECompoundFile(FileName + " is not a regular file");
  }
  FFileSize = static_cast<uint64_t>(info.st_size);
  try {
    ReadHeader();
  } catch (...) {
    close(FFile);
    throw;
  }
}

TCompoundFile::TCompoundFile(std::string_view Bytes, std::string Name)
    : FName(std::move(Name)), FMemory(Bytes), FFileSize(Bytes.size()) {
  ReadHeader();
}

TCompoundFile::~TCompoundFile() {
  if (FFile >= 0) close(FFile);
}

bool TCompoundFile::IsCompoundFile(const std::string& FileName) {
  // Without O_NONBLOCK, a named pipe among dropped files would stop the host in open().
  const int file = open(FileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (file < 0) return false;
  struct stat info {};
  char start[8];
  const bool compound = fstat(file, &info) == 0 && S_ISREG(info.st_mode) &&
                        pread(file, start, sizeof(start), 0) == sizeof(start) &&
                        std::memcmp(start, Signature, sizeof(start)) == 0;
  close(file);
  return compound;
}

void TCompoundFile::Damaged(const std::string& What) const {
  throw ECompoundFile(FName + " is not a readable compound file: " + What);
}

void TCompoundFile::ReadAt(uint64_t Offset, void* Buffer, size_t Size) {
  if (Offset > FFileSize || Size > FFileSize - Offset) Damaged("it is cut short");
  if (FFile < 0) {
    std::memcpy(Buffer, FMemory.data() + Offset, Size);
  } else {
    for (size_t done = 0; done < Size;) {
      const ssize_t got = pread(FFile, static_cast<char*>(Buffer) + done, Size - done,
                                static_cast<off_t>(Offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) Damaged(got < 0 ? std::strerror(errno) : "it is cut short");
      done += static_cast<size_t>(got);
    }
  }
  FBytesRead += Size;
}

void TCompoundFile::ReadHeader() {
  std::string header(HeaderSize, '\0');
  if (FFileSize < HeaderSize) Damaged("it is shorter than its header");
  ReadAt(0, header.data(), HeaderSize);
  if (header.compare(0, 8, Signature, 8) != 0) Damaged("it has no compound-file signature");
  FMajorVersion = GetLE16(header.data() + 0x1A);
  FSectorShift = GetLE16(header.data() + 0x1E);
  if (FSectorShift != 9 && FSectorShift != 12) Damaged("its sector size is neither 512 nor 4096");
  if (GetLE16(header.data() + 0x20) != 6) Damaged("its mini sector size is not 64");
  FMiniCutoff = GetLE32(header.data() + 0x38);
  if (FMiniCutoff != 4096) Damaged("its mini stream cutoff is not 4096");
  const uint64_t sectors = SectorsFor(FFileSize, FSectorShift);
  FSectorCount = static_cast<uint32_t>(
      std::min<uint64_t>(sectors > 0 ? sectors - 1 : 0, MaxRegularSector + uint64_t{1}));
  FFirstDirectory = GetLE32(header.data() + 0x30);
  FFirstMiniFat = GetLE32(header.data() + 0x3C);
  ReadDifat(header);
}

// The FAT's own sectors: the first 109 in the header, the rest in a chain of DIFAT sectors whose
// last entry points to the next.
void TCompoundFile::ReadDifat(const std::string& Header) {
  const uint32_t fatCount = GetLE32(Header.data() + 0x2C);
  if (fatCount > FSectorCount) Damaged("it claims more FAT sectors than it holds");
  for (uint32_t i = 0; i < std::min(fatCount, HeaderDifatCount); ++i)
    FFatSectors.push_back(GetLE32(Header.data() + 0x4C + 4 * i));
  const uint32_t perSector = (1u << FSectorShift) / 4 - 1;
  std::string sector(size_t{1} << FSectorShift, '\0');
  uint32_t next = GetLE32(Header.data() + 0x44);
  std::vector<bool> seen(FSectorCount);
  while (FFatSectors.size() < fatCount) {
    CheckSector(next);
    if (seen[next]) Damaged("its DIFAT chain loops");
    seen[next] = true;
    ReadAt((uint64_t{next} + 1) << FSectorShift, sector.data(), sector.size());
    for (uint32_t i = 0; i < perSector && FFatSectors.size() < fatCount; ++i)
      FFatSectors.push_back(GetLE32(sector.data() + 4 * i));
    next = GetLE32(sector.data() + 4 * perSector);
  }
}

void TCompoundFile::CheckSector(uint32_t Sector) const {
  if (Sector > MaxRegularSector || Sector >= FSectorCount)
    Damaged("a sector number points outside the file");
}

uint32_t TCompoundFile::FatEntry(uint32_t Sector) {
  const uint32_t perSector = (1u << FSectorShift) / 4, index = Sector / perSector;
  if (index >= FFatSectors.size()) Damaged("a sector lies beyond its FAT");
  auto cached = FFatCache.find(index);
  if (cached == FFatCache.end()) {
    CheckSector(FFatSectors[index]);
    std::vector<uint32_t> entries(perSector);
    std::string bytes(size_t{1} << FSectorShift, '\0');
    ReadAt((uint64_t{FFatSectors[index]} + 1) << FSectorShift, bytes.data(), bytes.size());
    for (uint32_t i = 0; i < perSector; ++i) entries[i] = GetLE32(bytes.data() + 4 * i);
    cached = FFatCache.emplace(index, std::move(entries)).first;
  }
  return cached->second[Sector % perSector];
}

std::vector<uint32_t> TCompoundFile::Chain(uint32_t Start, uint64_t Limit) {
  std::vector<uint32_t> chain;
  std::vector<bool> seen(FSectorCount);
  for (uint32_t sector = Start; sector != EndOfChain && chain.size() < Limit;
       sector = FatEntry(sector)) {
    CheckSector(sector);
    if (seen[sector]) Damaged("a sector chain loops");
    seen[sector] = true;
    chain.push_back(sector);
  }
  return chain;
}

uint32_t TCompoundFile::MiniFatEntry(uint32_t MiniSector) {
  if (!FMiniFat) FMiniFat = Chain(FFirstMiniFat, UINT64_MAX);
  const uint32_t perSector = (1u << FSectorShift) / 4, index = MiniSector / perSector;
  if (index >= FMiniFat->size()) Damaged("a mini sector lies beyond its mini FAT");
  char entry[4];
  ReadAt(((uint64_t{(*FMiniFat)[index]} + 1) << FSectorShift) + 4 * (MiniSector % perSector), entry,
         sizeof(entry));
  return GetLE32(entry);
}

TCompoundFile::TEntry TCompoundFile::Entry(uint32_t Index) {
  if (!FDirectory) FDirectory = Chain(FFirstDirectory, UINT64_MAX);
  const uint32_t perSector = (1u << FSectorShift) / EntrySize, sector = Index / perSector;
  if (sector >= FDirectory->size()) Damaged("a directory entry lies beyond the directory");
  auto cached = FDirectoryCache.find(sector);
  if (cached == FDirectoryCache.end()) {
    std::string bytes(size_t{1} << FSectorShift, '\0');
    ReadAt((uint64_t{(*FDirectory)[sector]} + 1) << FSectorShift, bytes.data(), bytes.size());
    cached = FDirectoryCache.emplace(sector, std::move(bytes)).first;
  }
  const char* bytes = cached->second.data() + (Index % perSector) * EntrySize;
  TEntry entry;
  const uint32_t nameBytes = std::min<uint32_t>(GetLE16(bytes + 0x40), 64);
  for (uint32_t i = 0; i + 1 < nameBytes / 2; ++i)
    entry.Name += static_cast<char16_t>(GetLE16(bytes + 2 * i));
  entry.Type = static_cast<uint8_t>(bytes[0x42]);
  entry.Left = GetLE32(bytes + 0x44);
  entry.Right = GetLE32(bytes + 0x48);
  entry.Child = GetLE32(bytes + 0x4C);
  entry.Start = GetLE32(bytes + 0x74);
  entry.Size = GetLE64(bytes + 0x78);
  // Version 3 files may leave garbage in the size's high half.
  if (FMajorVersion == 3) entry.Size &= 0xFFFFFFFFu;
  return entry;
}

// The children of a storage form a tree through their sibling links; it is walked whole with a
// bound on its steps, since a damaged file may link it into a loop.
std::optional<TCompoundFile::TEntry> TCompoundFile::FindChild(const TEntry& Storage,
                                                              std::u16string_view Name) {
  std::vector<uint32_t> pending{Storage.Child};
  const uint64_t maxEntries = uint64_t{FSectorCount} * ((uint64_t{1} << FSectorShift) / EntrySize);
  for (uint64_t steps = 0; !pending.empty();) {
    const uint32_t index = pending.back();
    pending.pop_back();
    if (index == NoStream) continue;
    if (++steps > maxEntries) Damaged("its directory tree loops");
    TEntry entry = Entry(index);
    if (entry.Type == StreamObject && SameName(entry.Name, Name)) return entry;
    pending.push_back(entry.Left);
    pending.push_back(entry.Right);
  }
  return std::nullopt;
}

std::optional<std::string> TCompoundFile::ReadRootStream(std::u16string_view Name) {
  if (!FRoot) {
    FRoot = Entry(0);
    if (FRoot->Type != RootObject) Damaged("its first directory entry is not the root");
  }
  const std::optional<TEntry> stream = FindChild(*FRoot, Name);
  if (!stream) return std::nullopt;
  if (stream->Size > FFileSize) Damaged("a stream claims more bytes than the file holds");
  return stream->Size < FMiniCutoff ? ReadMiniStream(*stream) : ReadStream(*stream);
}

std::string TCompoundFile::ReadStream(const TEntry& Stream) {
  const uint64_t count = SectorsFor(Stream.Size, FSectorShift);
  const std::vector<uint32_t> chain = Chain(Stream.Start, count);
  if (chain.size() < count) Damaged("a stream ends before its size");
  std::string bytes(Stream.Size, '\0');
  const uint64_t sectorSize = uint64_t{1} << FSectorShift;
  // Neighbouring sectors are read in one call.
  for (size_t first = 0; first < chain.size();) {
    size_t last = first;
    while (last + 1 < chain.size() && chain[last + 1] == chain[last] + 1) ++last;
    const uint64_t at = first * sectorSize;
    const uint64_t size = std::min<uint64_t>((last - first + 1) * sectorSize, Stream.Size - at);
    ReadAt((uint64_t{chain[first]} + 1) << FSectorShift, bytes.data() + at, size);
    first = last + 1;
  }
  return bytes;
}

// Small streams live in 64-byte pieces of the mini stream, which is the root entry's own stream.
std::string TCompoundFile::ReadMiniStream(const TEntry& Stream) {
  if (!FMiniStream) {
    if (FRoot->Size > FFileSize) Damaged("the mini stream claims more bytes than the file holds");
    FMiniStream = Chain(FRoot->Start, SectorsFor(FRoot->Size, FSectorShift));
  }
  const uint64_t miniSectors = uint64_t{FMiniStream->size()} << FSectorShift >> 6;
  std::string bytes(Stream.Size, '\0');
  std::vector<uint32_t> seen;  // at most 64 pieces: the stream is below the cutoff
  uint32_t mini = Stream.Start;
  for (uint64_t at = 0; at < Stream.Size; at += MiniSectorSize, mini = MiniFatEntry(mini)) {
    if (mini >= miniSectors) Damaged("a mini sector lies outside the mini stream");
    if (std::find(seen.begin(), seen.end(), mini) != seen.end()) Damaged("a mini chain loops");
    seen.push_back(mini);
    const uint64_t offset = uint64_t{mini} * MiniSectorSize;
    const uint32_t sector = (*FMiniStream)[offset >> FSectorShift];
    ReadAt(((uint64_t{sector} + 1) << FSectorShift) + (offset & ((1u << FSectorShift) - 1)),
           bytes.data() + at, std::min<uint64_t>(MiniSectorSize, Stream.Size - at));
  }
  return bytes;
}
