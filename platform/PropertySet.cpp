#include "PropertySet.h"

#include <cstring>

#include "ByteOrder.h"
#include "CodePage.h"
#include "CompoundFile.h"
#include "Unicode.h"

namespace {

constexpr uint16_t VtEmpty = 0, VtI2 = 2, VtLpstr = 0x1E, VtLpwstr = 0x1F, VtFiletime = 0x40;
constexpr uint32_t PidCodePage = 1;

std::string Utf16LeToUtf8(std::string_view Bytes) {
  std::u16string text;
  for (size_t at = 0; at + 1 < Bytes.size(); at += 2) {
    const char16_t c = GetLE16(Bytes.data() + at);
    if (c == 0) break;
    text += c;
  }
  return Utf16ToUtf8(text);
}

}  // namespace

std::optional<TPropertySection> TPropertySection::Find(std::string_view Stream,
                                                       const std::array<uint8_t, 16>& FormatId,
                                                       const std::string& Name) {
  const auto damaged = [&](const char* What) {
    throw ECompoundFile(Name + ": the property set is damaged (" + What + ")");
  };
  if (Stream.size() < 28 || GetLE16(Stream.data()) != 0xFFFE) damaged("no property-set header");
  const uint32_t sets = GetLE32(Stream.data() + 24);
  if (sets > (Stream.size() - 28) / 20) damaged("more sections than the stream holds");
  for (uint32_t i = 0; i < sets; ++i) {
    const char* entry = Stream.data() + 28 + 20 * i;
    if (std::memcmp(entry, FormatId.data(), FormatId.size()) != 0) continue;
    const uint32_t offset = GetLE32(entry + 16);
    if (offset > Stream.size() || Stream.size() - offset < 8) damaged("a section past the end");
    const uint32_t size = GetLE32(Stream.data() + offset);
    if (size < 8 || size > Stream.size() - offset) damaged("a section larger than the stream");
    return TPropertySection(Stream.substr(offset, size), Name);
  }
  return std::nullopt;
}

TPropertySection::TPropertySection(std::string_view Section, std::string Name)
    : FSection(Section), FName(std::move(Name)) {
  const uint32_t count = GetLE32(FSection.data() + 4);
  if (count > (FSection.size() - 8) / 8) Damaged("more properties than the section holds");
  for (uint32_t i = 0; i < count; ++i) {
    const char* pair = FSection.data() + 8 + 8 * i;
    FOffsets.emplace(GetLE32(pair), GetLE32(pair + 4));
  }
  if (const auto value = Value(PidCodePage); value && value->first == VtI2) {
    if (value->second.size() < 2) Damaged("a cut code page");
    // Stored as a signed 16-bit number: 65001 reads as -535.
    FCodePage = GetLE16(value->second.data());
  }
}

void TPropertySection::Damaged(const std::string& What) const {
  throw ECompoundFile(FName + ": the property set is damaged (" + What + ")");
}

std::optional<std::pair<uint16_t, std::string_view>> TPropertySection::Value(
    uint32_t PropId) const {
  const auto found = FOffsets.find(PropId);
  if (found == FOffsets.end()) return std::nullopt;
  const uint32_t offset = found->second;
  if (offset > FSection.size() || FSection.size() - offset < 4)
    Damaged("property " + std::to_string(PropId) + " lies past the section");
  return std::make_pair(GetLE16(FSection.data() + offset), FSection.substr(offset + 4));
}

std::optional<std::string> TPropertySection::Text(uint32_t PropId) const {
  const auto value = Value(PropId);
  if (!value || value->first == VtEmpty) return std::nullopt;
  if (value->first != VtLpstr && value->first != VtLpwstr) return std::nullopt;
  const std::string_view data = value->second;
  if (data.size() < 4) Damaged("the length of property " + std::to_string(PropId) + " is cut");
  const uint64_t units = GetLE32(data.data());
  const uint64_t bytes = value->first == VtLpwstr ? 2 * units : units;
  if (bytes > data.size() - 4)
    Damaged("property " + std::to_string(PropId) + " is longer than the section");
  const std::string_view text = data.substr(4, bytes);
  if (value->first == VtLpwstr || FCodePage == 1200) return Utf16LeToUtf8(text);
  return CodePageToUtf8(text.substr(0, text.find('\0')), FCodePage);
}

std::optional<uint64_t> TPropertySection::FileTime(uint32_t PropId) const {
  const auto value = Value(PropId);
  if (!value || value->first != VtFiletime) return std::nullopt;
  if (value->second.size() < 8)
    Damaged("the time of property " + std::to_string(PropId) + " is cut");
  return GetLE64(value->second.data());
}
