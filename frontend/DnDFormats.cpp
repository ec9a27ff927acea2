#include "DnDFormats.h"

#include <cctype>
#include <cstring>

#include "ByteOrder.h"
#include "Unicode.h"

namespace {

constexpr size_t DropFilesHeader = 20, DescriptorHeader = 52, FileNameField = 260;
constexpr size_t FileDescriptorSize = 332, FileNameAt = 4 + 72;
constexpr uint32_t FdLinkUi = 0x8000;

uint32_t Le32(std::string_view Bytes, size_t At) {
  return GetLE32(Bytes.data() + At);
}

// The UTF-16 name at Offset up to its NUL or the end of the block, as UTF-8.
std::string WideName(std::string_view Block, size_t Offset) {
  std::u16string name;
  for (size_t at = Offset; at + 1 < Block.size(); at += 2) {
    const auto c = static_cast<char16_t>(static_cast<uint8_t>(Block[at]) |
                                         static_cast<uint8_t>(Block[at + 1]) << 8);
    if (c == 0) break;
    name += c;
  }
  return Utf16ToUtf8(name);
}

std::string DescriptorName(std::string_view Block, uint32_t Offset, uint32_t Size,
                           const char* Absent) {
  if (Offset == 0) return Absent;
  if (Offset >= Block.size() || Offset >= Size) return "";
  return WideName(Block.substr(0, Size), Offset);
}

}  // namespace

TObjectDescriptor XlatObjectDescriptor(std::string_view Block) {
  TObjectDescriptor descriptor;
  descriptor.FullUserTypeName.clear();
  if (Block.size() < DescriptorHeader) return descriptor;
  const uint32_t size = std::min<uint32_t>(Le32(Block, 0), static_cast<uint32_t>(Block.size()));
  std::memcpy(&descriptor.Clsid, Block.data() + 4, sizeof(TGUID));
  descriptor.DrawAspect = Le32(Block, 20);
  descriptor.SizeX = static_cast<int32_t>(Le32(Block, 24));
  descriptor.SizeY = static_cast<int32_t>(Le32(Block, 28));
  descriptor.PointX = static_cast<int32_t>(Le32(Block, 32));
  descriptor.PointY = static_cast<int32_t>(Le32(Block, 36));
  descriptor.Status = Le32(Block, 40);
  descriptor.FullUserTypeName = DescriptorName(Block, Le32(Block, 44), size, "");
  descriptor.SrcOfCopy = DescriptorName(Block, Le32(Block, 48), size, "<Unknown Source>");
  return descriptor;
}

std::string BuildObjectDescriptor(const TObjectDescriptor& Descriptor) {
  std::string block(DescriptorHeader, '\0');
  std::memcpy(block.data() + 4, &Descriptor.Clsid, sizeof(TGUID));
  const uint32_t fields[] = {Descriptor.DrawAspect,
                             static_cast<uint32_t>(Descriptor.SizeX),
                             static_cast<uint32_t>(Descriptor.SizeY),
                             static_cast<uint32_t>(Descriptor.PointX),
                             static_cast<uint32_t>(Descriptor.PointY),
                             Descriptor.Status};
  for (size_t i = 0; i < 6; ++i) PutLE32At(block, 20 + 4 * i, fields[i]);
  const auto append = [&](const std::string& Name, size_t Field) {
    PutLE32At(block, Field, static_cast<uint32_t>(block.size()));
    for (char16_t c : Utf8ToUtf16(Name) + u'\0')
      block += {static_cast<char>(c), static_cast<char>(c >> 8)};
  };
  append(Descriptor.FullUserTypeName, 44);
  append(Descriptor.SrcOfCopy, 48);
  PutLE32At(block, 0, static_cast<uint32_t>(block.size()));
  return block;
}

std::string BuildDropFiles(const std::vector<std::string>& Files) {
  std::string block(DropFilesHeader, '\0');
  PutLE32At(block, 0, DropFilesHeader);
  for (const std::string& file : Files) block += file + '\0';
  return block + '\0';
}

std::vector<std::string> ReadDropFiles(std::string_view Block) {
  std::vector<std::string> files;
  if (Block.size() < DropFilesHeader) return files;
  const uint32_t offset = Le32(Block, 0);
  const bool wide = Le32(Block, 16) != 0;
  if (offset >= Block.size()) return files;
  std::string_view list = Block.substr(offset);
  if (wide) {
    list = list.substr(0, list.size() / 2 * 2);
    for (size_t at = 0; at < list.size();) {
      std::string name = WideName(list, at);
      if (name.empty()) break;
      at += 2 * (Utf8ToUtf16(name).size() + 1);
      files.push_back(std::move(name));
    }
    return files;
  }
  for (size_t at = 0; at < list.size();) {
    const size_t end = std::min(list.find('\0', at), list.size());
    if (end == at) break;
    files.emplace_back(list.substr(at, end - at));
    at = end + 1;
  }
  return files;
}

std::string BuildDroppedText(const std::vector<std::string>& Lines) {
  std::string text;
  for (size_t i = 0; i < Lines.size(); ++i)
    text += Lines[i] + (i + 1 < Lines.size() ? "\r\n" : std::string(1, '\0'));
  return text;
}

std::string TextUpToNul(std::string_view Block) {
  return std::string(Block.substr(0, Block.find('\0')));
}

std::vector<std::string> SplitDroppedText(std::string_view Block) {
  const std::string text = TextUpToNul(Block);
  std::vector<std::string> lines;
  std::string line;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      ++at;
      continue;
    }
    line += text[at];
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

std::string UrlStream(const std::string& Url) {
  return "[InternetShortcut]\r\nURL=" + Url + '\0';
}

std::string ShortcutFileName(const std::string& URLName) {
  std::string stem = URLName.empty() ? "URL Link" : URLName, extension = ".url";
  if (stem.size() >= 4) {
    std::string last = stem.substr(stem.size() - 4);
    for (char& c : last) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (last == ".url") {
      extension = stem.substr(stem.size() - 4);
      stem.resize(stem.size() - 4);
    }
  }
  for (char& c : stem)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)) c = '_';
  // Name and NUL in 260 bytes; a cut never splits a UTF-8 sequence.
  size_t keep = std::min(stem.size(), FileNameField - 1 - extension.size());
  while (keep > 0 && keep < stem.size() && (static_cast<uint8_t>(stem[keep]) & 0xC0) == 0x80)
    --keep;
  return stem.substr(0, keep) + extension;
}

std::string BuildFileGroupDescriptor(const std::string& FileName) {
  std::string block(4 + FileDescriptorSize, '\0');
  PutLE32At(block, 0, 1);
  PutLE32At(block, 4, FdLinkUi);
  std::memcpy(block.data() + FileNameAt, FileName.data(),
              std::min(FileName.size(), FileNameField - 1));
  return block;
}

std::string ReadFileGroupDescriptor(std::string_view Block) {
  if (Block.size() < 4 + FileDescriptorSize || Le32(Block, 0) == 0) return "";
  return TextUpToNul(Block.substr(FileNameAt, FileNameField));
}
