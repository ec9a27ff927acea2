#include "text/DistinguishedNameText.h"

#include <unicode/utf16.h>

#include <string>

#include "text/LmbcsCodec.h"

namespace notesrt {

namespace {

// Byte offsets at which the characters of a text that is not plain ASCII start.
std::vector<size_t> CharacterStarts(std::string_view Text) {
  std::vector<size_t> starts;
  std::vector<int32_t> offsets;
  std::u16string units = TLmbcsCodec::Shared().Decode(Text, &offsets);
  for (size_t unit = 0; unit < units.size(); ++unit) {
    if (offsets[unit] < 0 || U16_IS_TRAIL(units[unit])) continue;
    auto start = static_cast<size_t>(offsets[unit]);
    if (starts.empty() || start > starts.back()) starts.push_back(start);
  }
  // Bytes the decoder could not place belong to the character before them (or form one).
  if (!Text.empty() && (starts.empty() || starts.front() != 0)) starts.insert(starts.begin(), 0);
  return starts;
}

}  // namespace

TDistinguishedNameText::TDistinguishedNameText(std::string_view Text) : FText(Text) {
  // Nearly every name is plain ASCII, where each byte is a character: no decoding.
  if (TLmbcsCodec::IsPlainAscii(Text)) {
    FChars.reserve(Text.size());
    for (size_t at = 0; at < Text.size(); ++at) AddChar(at, 1);
    return;
  }
  std::vector<size_t> starts = CharacterStarts(Text);
  FChars.reserve(starts.size());
  for (size_t index = 0; index < starts.size(); ++index) {
    size_t end = index + 1 < starts.size() ? starts[index + 1] : Text.size();
    AddChar(starts[index], end - starts[index]);
  }
}

void TDistinguishedNameText::AddChar(size_t Offset, size_t Size) {
  bool escaped = !FChars.empty() && Is(FChars.size() - 1, '$');
  FChars.push_back({Offset, Size, escaped});
}

std::vector<std::string_view> TDistinguishedNameText::Split(char Delimiter) const {
  std::vector<std::string_view> pieces;
  size_t from = 0;
  for (size_t index = 0; index < FChars.size(); ++index) {
    if (!Is(index, Delimiter)) continue;
    pieces.push_back(Span(from, index));
    from = index + 1;
  }
  pieces.push_back(Span(from, FChars.size()));
  return pieces;
}

size_t TDistinguishedNameText::FindFirst(char Delimiter) const {
  for (size_t index = 0; index < FChars.size(); ++index)
    if (Is(index, Delimiter)) return FChars[index].Offset;
  return std::string_view::npos;
}

size_t TDistinguishedNameText::FindLast(char Delimiter) const {
  for (size_t index = FChars.size(); index > 0; --index)
    if (Is(index - 1, Delimiter)) return FChars[index - 1].Offset;
  return std::string_view::npos;
}

bool TDistinguishedNameText::Is(size_t Index, char Ascii) const {
  const TChar& c = FChars[Index];
  return !c.Escaped && c.Size == 1 && FText[c.Offset] == Ascii;
}

std::string_view TDistinguishedNameText::Span(size_t From, size_t To) const {
  while (From < To && IsBlank(From)) ++From;
  while (To > From && IsBlank(To - 1)) --To;
  size_t begin = From < FChars.size() ? FChars[From].Offset : FText.size();
  size_t end = To > From ? FChars[To - 1].Offset + FChars[To - 1].Size : begin;
  return FText.substr(begin, end - begin);
}

}  // namespace notesrt
