#include <gtest/gtest.h>

#include <fstream>

#include "AnsiCompare.h"
#include "ErrorOf.h"
#include "SysUtils.h"
#include "TempDir.h"

namespace {

TEST(SysUtils, IntegerTextAndPrintfStyleFormat) {
  EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4) + " " + IntToHex(0xABCDEF, 2), "00FF ABCDEF");
  EXPECT_EQ(IntToHex(UINT64_MAX, 20), "0000FFFFFFFFFFFFFFFF");
  // -1: no integer.
  const std::pair<const char*, int> Integers[] = {
      {"  -42", -42},     {"+7", 7},   {"$1F", 31}, {"0x10", 16}, {"-2147483648", INT32_MIN},
      {"2147483648", -1}, {"12 ", -1}, {"", -1},    {"-", -1},    {"1.5", -1}};
  for (const auto& [Text, Value] : Integers) EXPECT_EQ(StrToIntDef(Text, -1), Value) << Text;
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(vesktest::ErrorOf<EConvertError>([&] { StrToInt("abc"); }),
            "'abc' is not a valid integer value");
  EXPECT_EQ(Format("%s=%d (%.2f)", "x", 5, 1.5), "x=5 (1.50)");
  EXPECT_EQ(Format("%s", std::string(1000, 'y').c_str()).size(), 1000u);
  EXPECT_EQ(Format("%s", ""), "");
}

TEST(SysUtils, TrimCaseFunctionsAndComparisons) {
  EXPECT_EQ(UpperCase("abc\xC3\xA4z"), "ABC\xC3\xA4Z");
  EXPECT_EQ(LowerCase("ABC-Z"), "abc-z");
  EXPECT_EQ(CompareText("Apple", "apple"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("abc", "ab"), 0);
  EXPECT_TRUE(SameText("MAIL.BOX", "mail.box"));
  EXPECT_FALSE(SameText("a", "b"));
  EXPECT_EQ(AnsiCompareText("\xC3\x84pfel", "\xC3\xA4PFEL"), 0);  // Äpfel, äPFEL
  EXPECT_LT(AnsiCompareText("a", "B"), 0);
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);
  EXPECT_LT(AnsiCompareStr("A", "b"), 0);
  EXPECT_LT(AnsiCompareStr("ab", "aB"), 0);  // the first difference in case decides
  EXPECT_GT(AnsiCompareStr("aB", "ab"), 0);
  EXPECT_NE(AnsiCompareStr("\xFF", "\xFE"), 0);  // ill-formed bytes still differ
  // Trim removes control characters and blanks.
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x \n"), "  x");
  EXPECT_EQ(Trim(" \xC3\xA4 "), "\xC3\xA4");  // bytes above 127 are text
  EXPECT_EQ(Trim("   "), "");
}

TEST(SysUtils, FileNamePartsAndFilesAndDirectoriesOnDisk) {
  EXPECT_EQ(ExtractFilePath("/data/mail/file.nsf"), "/data/mail/");
  EXPECT_EQ(ExtractFileName("/data/mail/file.nsf"), "file.nsf");
  EXPECT_EQ(ExtractFileExt("/data/mail/file.nsf"), ".nsf");
  EXPECT_EQ(ExtractFileExt("/data/my.dir/file"), "");
  EXPECT_EQ(ExtractFilePath("file.nsf"), "");
  EXPECT_EQ(ChangeFileExt("/a.b/c.txt", ".rtf"), "/a.b/c.rtf");
  EXPECT_EQ(ChangeFileExt("/a.b/c", ".rtf"), "/a.b/c.rtf");
  EXPECT_EQ(ChangeFileExt("c.txt", ""), "c");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp/"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");  // not the root
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/tmp/"), "/tmp");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");  // the root stays the root
  vesktest::TempDir Dir;
  std::string File = (Dir.Path() / "x.txt").string();
  std::ofstream(File) << "x";
  EXPECT_TRUE(FileExists(File));
  EXPECT_FALSE(FileExists(Dir.Path().string()));
  EXPECT_FALSE(FileExists(File + ".none"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(DirectoryExists(Dir.Path().string()));
  EXPECT_TRUE(DirectoryExists(IncludeTrailingPathDelimiter(Dir.Path().string())));
  EXPECT_FALSE(DirectoryExists(File));
  EXPECT_FALSE(DirectoryExists(""));
}

}  // namespace
