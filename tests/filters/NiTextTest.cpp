#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FileText.h"
#include "FilterFixture.h"
#include "note/CdRecords.h"
#include "notesapi/ixedit.h"
#include "notesapi/ixport.h"
#include "notesapi/notesrterr.h"
#include "notesapi/osmisc.h"

namespace {

using filtertest::Describe;

class NiText : public filtertest::FilterTest {
 protected:
  // Runs NITEXT's entry point directly on a block and paths of the test's choosing.
  STATUS Run(void* Block, const char* PathName) {
    HMODULE module = nullptr;
    IXENTRYPROC entry = nullptr;
    EXPECT_EQ(OSLoadLibrary("NITEXT", 0, &module, &entry), NOERROR);
    if (!entry) return ERR_NOTESRT_INTERNAL;
    char empty[] = "";
    STATUS status = entry(Block, 0, nullptr, empty, const_cast<char*>(PathName));
    OSFreeLibrary(module);
    return status;
  }
};

}  // namespace

TEST_F(NiText, OneParagraphPerLineInTheCaretFont) {
  const FONTID courierBold = 0x0C000104;
  struct TCase {
    const char* Name;
    std::string Input;
    FONTID Font;
    std::string Expected;
  } cases[] = {
      {"line breaks of every kind", "one\r\ntwo\nthree\rfour", 0, "one|P|two|P|three|P|four"},
      {"empty lines are empty paragraphs", "a\n\n\nb\n", 0, "a|P|P|P|b"},
      {"a final line break adds nothing", "last line\r\n", 0, "last line"},
      {"empty file", "", 0, ""},
      {"byte-order mark dropped", "\xEF\xBB\xBFtext", 0, "text"},
      {"UTF-8 kept",
       "Gr\xC3\xBC\xC3\x9F"
       "e \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80",
       0,
       "Gr\xC3\xBC\xC3\x9F"
       "e \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x98\x80"},
      {"other bytes read as 1252", "caf\xE9 \x80", 0, "caf\xC3\xA9 \xE2\x82\xAC"},
      {"tabs kept, other controls dropped",
       std::string("a\x01"
                   "b\tc\x1B\0d",
                   8),
       0, "ab\tcd"},
      {"the block's font", "x\ny", courierBold, "{f4 s12 b}x|P|{f4 s12 b}y"},
  };
  for (const TCase& c : cases) {
    TImport result = Import("NITEXT", c.Input, c.Font ? c.Font : DEFAULT_FONT_ID);
    ASSERT_EQ(result.Status, NOERROR) << c.Name;
    EXPECT_EQ(Describe(result.Output), c.Expected) << c.Name;
  }
  // Without IXFLAG_FIRST the records go after those of an earlier piece, without a second type
  // word.
  ASSERT_EQ(Import("NITEXT", "first", DEFAULT_FONT_ID, IXFLAG_FIRST).Status, NOERROR);
  TImport result = Import("NITEXT", "second", DEFAULT_FONT_ID, IXFLAG_LAST);
  ASSERT_EQ(result.Status, NOERROR);
  EXPECT_EQ(Describe(result.Output), "firstsecond");
}

// A long line is cut into runs between characters, each far below the item limit.
TEST_F(NiText, LongLinesAreCutIntoRunsBetweenCharacters) {
  std::string line;
  for (int i = 0; i < 30000; ++i) line += i % 3 ? "\xC3\xA9" : "\xE4\xB8\xAD";
  TImport result = Import("NITEXT", line);
  ASSERT_EQ(result.Status, NOERROR);
  EXPECT_EQ(Describe(result.Output), line);
  size_t runs = 0;
  notesrt::TCdReader reader(std::string_view(result.Output).substr(sizeof(WORD)));
  for (notesrt::TCdRecord record; reader.Next(record); ++runs)
    EXPECT_LE(record.Length, 16008u) << "run " << runs;
  EXPECT_GE(runs, 4u);
}

// A failure leaves no output file and gives a status with a text.
TEST_F(NiText, FailuresGiveAStatusAndNoOutputFile) {
  const std::filesystem::path output = Dir() / "out.cd", input = Dir() / "in.txt";
  vesktest::WriteFileText(input, "text");
  auto blockFor = [](const std::string& Output) {
    EDITIMPORTDATA block{};
    Output.copy(block.OutputFileName, std::min(Output.size(), sizeof block.OutputFileName));
    block.FontID = DEFAULT_FONT_ID;
    return block;
  };
  struct TCase {
    const char* Name;
    std::string Output;
    std::string Input;
    bool NullBlock;
    STATUS Expected;
  } cases[] = {
      {"input missing", output.string(), (Dir() / "missing.txt").string(), false,
       ERR_NOTESRT_FILTER_READ},
      {"input a directory", output.string(), Dir().string(), false, ERR_NOTESRT_FILTER_READ},
      {"no input name", output.string(), "", false, ERR_NOTESRT_FILTER_ARGS},
      {"no block", output.string(), input.string(), true, ERR_NOTESRT_FILTER_ARGS},
      {"output name fills its field", std::string(OLDMAXPATH, 'x'), input.string(), false,
       ERR_NOTESRT_FILTER_ARGS},
      {"output directory missing", (Dir() / "none" / "out.cd").string(), input.string(), false,
       ERR_NOTESRT_FILTER_WRITE},
  };
  for (const TCase& c : cases) {
    vesktest::WriteFileText(output, "");
    EDITIMPORTDATA block = blockFor(c.Output);
    EXPECT_EQ(Run(c.NullBlock ? nullptr : &block, c.Input.c_str()), c.Expected) << c.Name;
    // The file the block names is gone; others the filter could not know are left alone.
    const bool named = !c.NullBlock && c.Output == output.string();
    EXPECT_EQ(std::filesystem::exists(output), !named) << c.Name;
    EXPECT_FALSE(filtertest::StatusText(c.Expected).empty()) << c.Name;
  }
  // Nothing but the files the test made.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Dir())) ++files;
  EXPECT_LE(files, 5u);
}
