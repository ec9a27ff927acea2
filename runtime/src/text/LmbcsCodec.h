#pragma once

#include <unicode/ucnv.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// LMBCS (group 1 optimised) through ICU's "LMBCS-1" converter. Callers hold the API lock: the
// shared instance keeps one converter state.
class TLmbcsCodec {
 public:
  static TLmbcsCodec& Shared();

  // Drops an incomplete last character and substitutes U+FFFD for invalid sequences. Offsets,
  // when given, receive the input offset each UTF-16 unit came from.
  std::u16string Decode(std::string_view Lmbcs, std::vector<int32_t>* Offsets = nullptr);
  // Writes whole characters only, at most Limit bytes; returns the byte count.
  size_t Encode(std::u16string_view Text, char* Out, size_t Limit);
  // The longest prefix of Lmbcs, at most Limit bytes, that ends on a character boundary.
  size_t WholePrefix(std::string_view Lmbcs, size_t Limit);

  // True when every byte is its own character, the same in LMBCS and UTF-8.
  static bool IsPlainAscii(std::string_view Text);

 private:
  TLmbcsCodec();

  struct TCloser {
    void operator()(UConverter* Converter) const { ucnv_close(Converter); }
  };
  std::unique_ptr<UConverter, TCloser> FConverter;
};

// UTF-16 text to and from LMBCS through the shared codec.
std::string LmbcsOf(std::u16string_view Text);
std::u16string TextOfLmbcs(std::string_view Lmbcs);

}  // namespace notesrt
