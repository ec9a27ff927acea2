#include "TextScan.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// From At on, the first byte for which Match holds.
template <class TMatch>
size_t NarrowFind(std::string_view Text, size_t At, TMatch&& Match) {
  while (At < Text.size() && !Match(Text[At])) ++At;
  return At;
}

#if defined(__SSE2__)
__m128i Load(std::string_view Text, size_t At) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + At));
}

// From At on, the first byte that Match marks in its mask, else where fewer than 16 bytes are
// left. Stretches without a match go 64 bytes at a time.
template <class TMatch>
size_t WideFind(std::string_view Text, size_t At, TMatch&& Match) {
  constexpr size_t Block = sizeof(__m128i);
  for (; At + 4 * Block <= Text.size(); At += 4 * Block) {
    const __m128i any = _mm_or_si128(
        _mm_or_si128(Match(Load(Text, At)), Match(Load(Text, At + Block))),
        _mm_or_si128(Match(Load(Text, At + 2 * Block)), Match(Load(Text, At + 3 * Block))));
    if (_mm_movemask_epi8(any) != 0) break;
  }
  for (; At + Block <= Text.size(); At += Block)
    if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(Match(Load(Text, At)))))
      return At + static_cast<size_t>(std::countr_zero(bits));
  return At;
}
#endif

}  // namespace

size_t NextControlOrHigh(std::string_view Text, size_t At) {
  // As signed bytes, both kinds are below 0x20.
#if defined(__SSE2__)
  At = WideFind(Text, At, [](__m128i Bytes) { return _mm_cmplt_epi8(Bytes, _mm_set1_epi8(0x20)); });
#endif
  return NarrowFind(Text, At, [](char Byte) { return static_cast<signed char>(Byte) < 0x20; });
}

size_t NextLineBreak(std::string_view Text, size_t At) {
#if defined(__SSE2__)
  At = WideFind(Text, At, [](__m128i Bytes) {
    return _mm_or_si128(_mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\r')),
                        _mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\n')));
  });
#endif
  return NarrowFind(Text, At, [](char Byte) { return Byte == '\r' || Byte == '\n'; });
}

size_t AfterLineBreak(std::string_view Text, size_t At) {
  const size_t end = NextLineBreak(Text, At);
  if (end == Text.size()) return end;
  return end + (Text.substr(end, 2) == "\r\n" ? 2 : 1);
}
