#include "CompoundFileBuilder.h"

#include <algorithm>
#include <cstring>

namespace vesktest {
namespace {

constexpr uint32_t Free = 0xFFFFFFFF, EndOfChain = 0xFFFFFFFE, FatSect = 0xFFFFFFFD,
                   DifSect = 0xFFFFFFFC, NoStream = 0xFFFFFFFF;

void Put16(std::string& Out, size_t At, uint16_t Value) {
  Out[At] = static_cast<char>(Value);
  Out[At + 1] = static_cast<char>(Value >> 8);
}
void Put32(std::string& Out, size_t At, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Out[At + i] = static_cast<char>(Value >> (8 * i));
}
std::string Le32(uint32_t Value) {
  std::string out(4, '\0');
  Put32(out, 0, Value);
  return out;
}

struct TDirEntry {
  std::u16string Name;
  uint8_t Type;  // 1 storage, 2 stream, 5 root
  uint32_t Left = NoStream, Right = NoStream, Child = NoStream, Start = EndOfChain;
  uint64_t Size = 0;
};

// Siblings in a chain of right links, in the order MS-CFB sorts names: by length, then upper case.
uint32_t LinkSiblings(std::vector<TDirEntry>& Entries, std::vector<uint32_t> Indexes) {
  const auto key = [&](uint32_t I) {
    std::u16string upper = Entries[I].Name;
    for (auto& c : upper)
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return std::make_pair(upper.size(), upper);
  };
  std::sort(Indexes.begin(), Indexes.end(),
            [&](uint32_t A, uint32_t B) { return key(A) < key(B); });
  for (size_t i = 0; i + 1 < Indexes.size(); ++i) Entries[Indexes[i]].Right = Indexes[i + 1];
  return Indexes.empty() ? NoStream : Indexes.front();
}

}  // namespace

TProperty Lpstr(uint32_t Id, const std::string& Bytes) {
  return {Id, 0x1E, Le32(static_cast<uint32_t>(Bytes.size() + 1)) + Bytes + '\0'};
}

TProperty Lpwstr(uint32_t Id, const std::u16string& Text) {
  std::string value = Le32(static_cast<uint32_t>(Text.size() + 1));
  for (char16_t c : Text + u'\0') value += {static_cast<char>(c), static_cast<char>(c >> 8)};
  return {Id, 0x1F, value};
}

TProperty FileTime(uint32_t Id, uint64_t Value) {
  return {Id, 0x40, Le32(static_cast<uint32_t>(Value)) + Le32(static_cast<uint32_t>(Value >> 32))};
}

TProperty I2(uint32_t Id, int16_t Value) {
  return {Id, 2, std::string{static_cast<char>(Value), static_cast<char>(Value >> 8), 0, 0}};
}

std::string SummaryStream(const std::vector<TProperty>& Properties) {
  std::string section(8 + 8 * Properties.size(), '\0');
  Put32(section, 4, static_cast<uint32_t>(Properties.size()));
  for (size_t i = 0; i < Properties.size(); ++i) {
    Put32(section, 8 + 8 * i, Properties[i].Id);
    Put32(section, 12 + 8 * i, static_cast<uint32_t>(section.size()));
    std::string value = std::string{static_cast<char>(Properties[i].Type),
                                    static_cast<char>(Properties[i].Type >> 8), 0, 0} +
                        Properties[i].Value;
    value.resize((value.size() + 3) / 4 * 4, '\0');
    section += value;
  }
  Put32(section, 0, static_cast<uint32_t>(section.size()));
  static const unsigned char fmtId[] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                        0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
  std::string header(48, '\0');
  Put16(header, 0, 0xFFFE);
  Put32(header, 4, 0x00020006);
  Put32(header, 24, 1);
  std::memcpy(header.data() + 28, fmtId, 16);
  Put32(header, 44, 48);
  return header + section;
}

std::string BuildCompoundFile(const std::vector<TStorageEntry>& Root, int Version,
                              TCompoundLayout* Layout) {
  const uint32_t sectorSize = Version == 4 ? 4096 : 512, perFat = sectorSize / 4;
  // Directory entries, and the streams' bytes in entry order.
  std::vector<TDirEntry> entries{{u"Root Entry", 5}};
  std::vector<std::pair<uint32_t, const std::string*>> streams;
  std::vector<uint32_t> rootChildren, rootOrder;
  for (const TStorageEntry& child : Root) {
    const auto index = static_cast<uint32_t>(entries.size());
    rootChildren.push_back(index);
    rootOrder.push_back(index);
    entries.push_back({child.Name, static_cast<uint8_t>(child.IsStorage ? 1 : 2)});
    if (!child.IsStorage) {
      streams.emplace_back(index, &child.Bytes);
      continue;
    }
    std::vector<uint32_t> inner;
    for (const auto& [name, bytes] : child.Streams) {
      inner.push_back(static_cast<uint32_t>(entries.size()));
      streams.emplace_back(static_cast<uint32_t>(entries.size()), &bytes);
      entries.push_back({name, 2});
    }
    entries[index].Child = LinkSiblings(entries, inner);
  }
  entries[0].Child = LinkSiblings(entries, rootChildren);
  // Small streams go into the mini stream, 64 bytes a piece.
  std::string miniStream;
  std::vector<uint32_t> miniFat;
  std::vector<std::pair<uint32_t, const std::string*>> large;
  for (const auto& [index, bytes] : streams) {
    entries[index].Size = bytes->size();
    if (bytes->size() >= 4096) {
      large.emplace_back(index, bytes);
      continue;
    }
    if (bytes->empty()) continue;
    const auto first = static_cast<uint32_t>(miniFat.size());
    entries[index].Start = first;
    const auto pieces = static_cast<uint32_t>((bytes->size() + 63) / 64);
    for (uint32_t i = 0; i < pieces; ++i)
      miniFat.push_back(i + 1 < pieces ? first + i + 1 : EndOfChain);
    miniStream += *bytes;
    miniStream.resize(miniFat.size() * 64, '\0');
  }
  const auto sectorsFor = [&](uint64_t Bytes) {
    return static_cast<uint32_t>((Bytes + sectorSize - 1) / sectorSize);
  };
  const uint32_t dirSectors = sectorsFor(entries.size() * 128);
  const uint32_t miniFatSectors = sectorsFor(miniFat.size() * 4);
  const uint32_t miniSectors = sectorsFor(miniStream.size());
  uint32_t dataSectors = dirSectors + miniFatSectors + miniSectors;
  for (const auto& [index, bytes] : large) dataSectors += sectorsFor(bytes->size());
  uint32_t fatSectors = 1, difatSectors = 0;
  while (fatSectors * perFat < fatSectors + difatSectors + dataSectors) {
    ++fatSectors;
    difatSectors = fatSectors > 109 ? (fatSectors - 109 + perFat - 2) / (perFat - 1) : 0;
  }
  // Sectors in order: FAT, DIFAT, directory, mini FAT, mini stream, large streams.
  std::vector<uint32_t> fat(fatSectors * perFat, Free);
  uint32_t next = 0;
  const auto chain = [&](uint32_t Count, uint32_t Mark) {
    const uint32_t first = next;
    for (uint32_t i = 0; i < Count; ++i, ++next)
      fat[next] = Mark != 0 ? Mark : (i + 1 < Count ? next + 1 : EndOfChain);
    return Count ? first : EndOfChain;
  };
  TCompoundLayout layout;
  layout.SectorSize = sectorSize;
  layout.FirstFatSector = chain(fatSectors, FatSect);
  layout.FirstDifatSector = difatSectors ? chain(difatSectors, DifSect) : EndOfChain;
  layout.FirstDirectorySector = chain(dirSectors, 0);
  layout.FirstMiniFatSector = chain(miniFatSectors, 0);
  layout.FirstMiniStreamSector = chain(miniSectors, 0);
  entries[0].Start = layout.FirstMiniStreamSector;
  entries[0].Size = miniStream.size();
  for (const auto& [index, bytes] : large)
    entries[index].Start = chain(sectorsFor(bytes->size()), 0);
  for (uint32_t index : rootOrder) layout.StreamStarts.push_back(entries[index].Start);

  std::string file(size_t{sectorSize} * (1 + next), '\0');
  const auto sector = [&](uint32_t Sector) { return layout.SectorOffset(Sector); };
  std::memcpy(file.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  Put16(file, 0x18, 0x3E);
  Put16(file, 0x1A, static_cast<uint16_t>(Version));
  Put16(file, 0x1C, 0xFFFE);
  Put16(file, 0x1E, Version == 4 ? 12 : 9);
  Put16(file, 0x20, 6);
  Put32(file, 0x28, Version == 4 ? dirSectors : 0);
  Put32(file, 0x2C, fatSectors);
  Put32(file, 0x30, layout.FirstDirectorySector);
  Put32(file, 0x38, 4096);
  Put32(file, 0x3C, layout.FirstMiniFatSector);
  Put32(file, 0x40, miniFatSectors);
  Put32(file, 0x44, layout.FirstDifatSector);
  Put32(file, 0x48, difatSectors);
  for (uint32_t i = 0; i < 109; ++i) Put32(file, 0x4C + 4 * i, i < fatSectors ? i : Free);
  for (uint32_t d = 0; d < difatSectors; ++d) {
    const uint64_t at = sector(layout.FirstDifatSector + d);
    for (uint32_t i = 0; i < perFat - 1; ++i) {
      const uint32_t fatIndex = 109 + d * (perFat - 1) + i;
      Put32(file, at + 4 * i, fatIndex < fatSectors ? fatIndex : Free);
    }
    Put32(file, at + 4 * (perFat - 1),
          d + 1 < difatSectors ? layout.FirstDifatSector + d + 1 : EndOfChain);
  }
  for (size_t i = 0; i < fat.size(); ++i) Put32(file, sector(0) + 4 * i, fat[i]);
  for (size_t i = 0; i < dirSectors * sectorSize / 128; ++i) {
    const uint64_t at = sector(layout.FirstDirectorySector) + 128 * i;
    if (i >= entries.size()) {  // unused entries
      Put32(file, at + 0x44, NoStream);
      Put32(file, at + 0x48, NoStream);
      Put32(file, at + 0x4C, NoStream);
      continue;
    }
    const TDirEntry& e = entries[i];
    for (size_t c = 0; c < e.Name.size() && c < 31; ++c) Put16(file, at + 2 * c, e.Name[c]);
    Put16(file, at + 0x40, static_cast<uint16_t>(2 * (std::min<size_t>(e.Name.size(), 31) + 1)));
    file[at + 0x42] = static_cast<char>(e.Type);
    file[at + 0x43] = 1;  // black
    Put32(file, at + 0x44, e.Left);
    Put32(file, at + 0x48, e.Right);
    Put32(file, at + 0x4C, e.Child);
    Put32(file, at + 0x74, e.Start);
    Put32(file, at + 0x78, static_cast<uint32_t>(e.Size));
    Put32(file, at + 0x7C, static_cast<uint32_t>(e.Size >> 32));
  }
  for (size_t i = 0; i < miniFat.size(); ++i)
    Put32(file, sector(layout.FirstMiniFatSector) + 4 * i, miniFat[i]);
  for (uint32_t i = miniFat.size(); i < miniFatSectors * perFat; ++i)
    Put32(file, sector(layout.FirstMiniFatSector) + 4 * i, Free);
  if (!miniStream.empty())
    std::memcpy(file.data() + sector(layout.FirstMiniStreamSector), miniStream.data(),
                miniStream.size());
  for (const auto& [index, bytes] : large)
    std::memcpy(file.data() + sector(entries[index].Start), bytes->data(), bytes->size());
  if (Layout) *Layout = layout;
  return file;
}

}  // namespace vesktest
