#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// The format identifier of the summary-information property set,
// {F29F85E0-4FF9-1068-AB91-08002B27B3D9}, as stored (the first three fields little-endian).
inline constexpr std::array<uint8_t, 16> FmtIdSummaryInformation = {
    0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10, 0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};

// One section of a property-set stream (MS-OLEPS). Properties may stand in any order. Every
// offset, count and length is checked against the section; what runs past it raises
// ECompoundFile naming the stream. Texts come back as UTF-8, decoded by their type and the
// section's code page (property 1).
class TPropertySection {
 public:
  // The section of FormatId in Stream; nothing when the stream has none.
  static std::optional<TPropertySection> Find(std::string_view Stream,
                                              const std::array<uint8_t, 16>& FormatId,
                                              const std::string& Name);

  // A text property (8-bit in the set's code page, or UTF-16), up to its first NUL; nothing when
  // the property is absent, empty or of another type.
  std::optional<std::string> Text(uint32_t PropId) const;
  // A file time (100 ns since 1601); nothing when absent or of another type.
  std::optional<uint64_t> FileTime(uint32_t PropId) const;
  std::optional<uint16_t> CodePage() const { return FCodePage; }

 private:
  TPropertySection(std::string_view Section, std::string Name);
  [[noreturn]] void Damaged(const std::string& What) const;
  // The type word of PropId and the bytes after its type; nothing when absent.
  std::optional<std::pair<uint16_t, std::string_view>> Value(uint32_t PropId) const;

  std::string_view FSection;
  std::string FName;
  std::map<uint32_t, uint32_t> FOffsets;
  std::optional<uint16_t> FCodePage;
};
