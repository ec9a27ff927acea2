#include "TextScan.h"

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// From At on, the first byte for which Match holds.
template <class TMatch>
size_t NarrowFind(std::string_view Text, size_t At, TMatch&& Match) {
  while (At < Text.size() && !Match(Text[At])) ++At;
  return At;
}

// As signed bytes, controls and high bytes are both below 0x20.
bool IsControlOrHigh(char Byte) {
  return static_cast<signed char>(Byte) < 0x20;
}

// The same for a control or high byte, eight bytes at a time in a 64-bit word: the short texts
// that names and summary values mostly are. A byte below 0x20 borrows in the subtraction and a
// high byte has its top bit set; a borrow only reaches later bytes, so the lowest flag is exact.
size_t NarrowControlOrHigh(std::string_view Text, size_t At) {
  constexpr uint64_t Ones = 0x0101010101010101, Tops = 0x8080808080808080;
  if constexpr (std::endian::native == std::endian::little) {
    for (; At + sizeof(uint64_t) <= Text.size(); At += sizeof(uint64_t)) {
      uint64_t word;
      std::memcpy(&word, Text.data() + At, sizeof word);
      if (const uint64_t flags = (((word - 0x20 * Ones) & ~word) | word) & Tops)
        return At + static_cast<size_t>(std::countr_zero(flags)) / 8;
    }
  }
  return NarrowFind(Text, At, IsControlOrHigh);
}

#if defined(__SSE2__)
__m128i Load(std::string_view Text, size_t At) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(Text.data() + At));
}

// From At on, the first byte that Match marks in its mask. Stretches without a match go 64 bytes
// at a time; the last bytes are read in one block that ends with the text, masked below At.
// A text shorter than one block goes byte by byte, through Narrow.
template <class TMatch, class TNarrow>
size_t WideFind(std::string_view Text, size_t At, TMatch&& Match, TNarrow&& Narrow) {
  constexpr size_t Block = sizeof(__m128i);
  if (Text.size() < Block) return NarrowFind(Text, At, Narrow);
  for (; At + 4 * Block <= Text.size(); At += 4 * Block) {
    const __m128i any = _mm_or_si128(
        _mm_or_si128(Match(Load(Text, At)), Match(Load(Text, At + Block))),
        _mm_or_si128(Match(Load(Text, At + 2 * Block)), Match(Load(Text, At + 3 * Block))));
    if (_mm_movemask_epi8(any) != 0) break;
  }
  for (; At + Block <= Text.size(); At += Block)
    if (const auto bits = static_cast<unsigned>(_mm_movemask_epi8(Match(Load(Text, At)))))
      return At + static_cast<size_t>(std::countr_zero(bits));
  if (At >= Text.size()) return Text.size();
  const size_t last = Text.size() - Block;
  const auto bits =
      static_cast<unsigned>(_mm_movemask_epi8(Match(Load(Text, last)))) >> (At - last);
  return bits != 0 ? At + static_cast<size_t>(std::countr_zero(bits)) : Text.size();
}
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VESK_TEXT_SCAN_AVX2 1
// The search for a control or high byte, 64 bytes at a time in two AVX2 registers. It stops at
// the 64 bytes that hold one, or where fewer are left; the narrower search finds the byte.
__attribute__((target("avx2"))) size_t ControlOrHighAvx2(std::string_view Text, size_t At) {
  const __m256i limit = _mm256_set1_epi8(0x20);
  for (; At + 64 <= Text.size(); At += 64) {
    const auto* bytes = reinterpret_cast<const __m256i*>(Text.data() + At);
    const __m256i any = _mm256_or_si256(_mm256_cmpgt_epi8(limit, _mm256_loadu_si256(bytes)),
                                        _mm256_cmpgt_epi8(limit, _mm256_loadu_si256(bytes + 1)));
    if (!_mm256_testz_si256(any, any)) break;
  }
  return At;
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

}  // namespace

size_t NextControlOrHigh(std::string_view Text, size_t At) {
  if (Text.size() - At < 16) return NarrowControlOrHigh(Text, At);
#if defined(VESK_TEXT_SCAN_AVX2)
  if (Text.size() - At >= 64 && HasAvx2()) At = ControlOrHighAvx2(Text, At);
#endif
#if defined(__SSE2__)
  return WideFind(
      Text, At, [](__m128i Bytes) { return _mm_cmpgt_epi8(_mm_set1_epi8(0x20), Bytes); },
      IsControlOrHigh);
#else
  return NarrowControlOrHigh(Text, At);
#endif
}

size_t NextLineBreak(std::string_view Text, size_t At) {
  const auto narrow = [](char Byte) { return Byte == '\r' || Byte == '\n'; };
#if defined(__SSE2__)
  return WideFind(
      Text, At,
      [](__m128i Bytes) {
        return _mm_or_si128(_mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\r')),
                            _mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\n')));
      },
      narrow);
#else
  return NarrowFind(Text, At, narrow);
#endif
}

size_t AfterLineBreak(std::string_view Text, size_t At) {
  const size_t end = NextLineBreak(Text, At);
  if (end == Text.size()) return end;
  return end + (Text.substr(end, 2) == "\r\n" ? 2 : 1);
}
