// The byte searches must find the first byte they look for wherever it lies against the blocks
// they read at once, and nothing where there is none.
#include <gtest/gtest.h>

#include <string>

#include "TextScan.h"

namespace {

TEST(TextScanTest, FindsTheFirstByteLookedForAtEveryPosition) {
  const struct {
    char Byte;
    bool ControlOrHigh;
    bool LineBreak;
  } cases[] = {{'\0', true, false},    {'\t', true, false},   {'\n', true, true},
               {'\r', true, true},     {'\x1F', true, false}, {' ', false, false},
               {'\x7F', false, false}, {'\x80', true, false}, {'\xFF', true, false}};
  // Shorter than one block of 16, a block and a bit, past two blocks of 64 with a tail.
  for (size_t Size : {size_t{9}, size_t{16}, size_t{23}, size_t{150}})
    for (const auto& test : cases)
      for (size_t at = 0; at + 1 < Size; ++at)
        for (size_t from : {size_t{0}, size_t{1}, size_t{7}, size_t{17}}) {
          if (from >= Size) continue;
          SCOPED_TRACE("byte " + std::to_string(static_cast<unsigned char>(test.Byte)) + " at " +
                       std::to_string(at) + " from " + std::to_string(from) + " of " +
                       std::to_string(Size));
          std::string text(Size, 'a');
          text[at] = test.Byte;
          text[Size - 1] = '\n';  // found last when nothing comes before
          const size_t expected = at >= from ? at : Size - 1;
          EXPECT_EQ(NextControlOrHigh(text, from), test.ControlOrHigh ? expected : Size - 1);
          EXPECT_EQ(NextLineBreak(text, from), test.LineBreak ? expected : Size - 1);
          text[Size - 1] = 'a';
          EXPECT_EQ(NextLineBreak(text, from), test.LineBreak && at >= from ? at : Size);
        }
}

}  // namespace
