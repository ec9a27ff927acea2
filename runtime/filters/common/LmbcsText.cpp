#include "LmbcsText.h"

#include "notesapi/osmisc.h"

namespace notesfilter {

namespace {

// Either way a character at most triples in bytes, so pieces of this size keep within
// OSTranslate's 16-bit lengths.
constexpr size_t Piece = 16000;
constexpr size_t MaxGrowth = 3;

bool IsContinuation(char C) {
  return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

bool IsGroupByte(char C) {
  const auto byte = static_cast<unsigned char>(C);
  return byte >= 0x01 && byte <= 0x1F;
}

std::string Convert(std::string_view In, WORD Mode, size_t (*Prefix)(std::string_view, size_t)) {
  std::string out;
  std::string buffer;
  while (!In.empty()) {
    const size_t take = Prefix(In, Piece);
    buffer.resize(take * MaxGrowth);
    WORD length = OSTranslate(Mode, In.data(), static_cast<WORD>(take), buffer.data(),
                              static_cast<WORD>(buffer.size()));
    out.append(buffer.data(), length);
    In.remove_prefix(take);
  }
  return out;
}

}  // namespace

size_t Utf8PrefixLength(std::string_view Utf8, size_t Limit) {
  if (Utf8.size() <= Limit) return Utf8.size();
  for (size_t cut = Limit; cut + 3 >= Limit && cut > 0; --cut)
    if (!IsContinuation(Utf8[cut])) return cut;
  return Limit;
}

size_t LmbcsPrefixLength(std::string_view Lmbcs, size_t Limit) {
  if (Lmbcs.size() <= Limit) return Lmbcs.size();
  for (size_t cut = Limit; cut + 64 >= Limit && cut >= 2; --cut)
    if (!IsGroupByte(Lmbcs[cut - 1]) && !IsGroupByte(Lmbcs[cut - 2])) return cut;
  return Limit;
}

std::string Utf8ToLmbcs(std::string_view Utf8) {
  return Convert(Utf8, OS_TRANSLATE_UTF8_TO_LMBCS, Utf8PrefixLength);
}

std::string LmbcsToUtf8(std::string_view Lmbcs) {
  return Convert(Lmbcs, OS_TRANSLATE_LMBCS_TO_UTF8, LmbcsPrefixLength);
}

std::string WithoutControls(std::string_view Utf8, bool KeepTabs) {
  std::string kept;
  kept.reserve(Utf8.size());
  for (char c : Utf8)
    if (static_cast<unsigned char>(c) >= 0x20 || (KeepTabs && c == '\t')) kept.push_back(c);
  for (size_t at = 0; (at = kept.find("\xEF\xBF", at)) != std::string::npos; at += 3)
    if (at + 2 < kept.size() && (kept[at + 2] == '\xBE' || kept[at + 2] == '\xBF'))
      kept[at + 2] = '\xBD';
  return kept;
}

}  // namespace notesfilter
