// The pure text helpers and the tick timer of the utility unit.
#include "DesktopFixture.h"
#include "ErrorOf.h"
#include "Sonst.h"

namespace {

TEST(SonstText, HexAndDebugTextsNamesDatesAndNumbers) {
  struct {
    std::string Actual, Expected;
  } Cases[] = {
      {HexB(0x0A), "0A"},
      {HexW(0xBEEF), "BEEF"},
      {HexL(0x1ABCD), "0001ABCD"},
      {HexL(0xFFFFFFFF), "FFFFFFFF"},
      {DebugString("a\tb"), "a#09b"},
      {DebugString(std::string("\x00\x1f \x7f\x80\xff", 6)), "#00#1F \x7F#80#FF"},
      {HexString("AB"), "$41$42"},
      {HexString(std::string("\x00\xc3\xa4", 3)), "$00$C3$A4"},
      {Substitute("a.b,c", ".,", ",."), "a,b.c"},
      {Substitute("abc", "aa", "xy"), "xbc"},
      {Substitute("abc", "ab", "x"), "abc"},
      {Filter("12,5 kg", Zahl), " kg"},
      {NotFilter("12,5 kg", Zahl), "12,5"},
      {NotFilter("Gr\xc3\xbc\xc3\x9f Gott!", ALFA), "Gr Gott"},
      {Filter("C:\\a_b-c?", Sonder), "Cabc"},
  };
  for (const auto& Case : Cases) EXPECT_EQ(Case.Actual, Case.Expected);
  EXPECT_TRUE(IsValidWinFileName("report 2024.txt"));
  EXPECT_FALSE(IsValidWinFileName("a:b"));
  EXPECT_FALSE(IsValidWinFileName("a\tb"));
  EXPECT_TRUE(IsValidWinPathName("C:\\dir\\file.txt"));
  EXPECT_FALSE(IsValidWinPathName("C:\\dir\\*.txt"));
  EXPECT_EQ(JustUNCPart("\\\\server\\share\\dir\\f.txt"), "\\\\server\\share\\");
  EXPECT_EQ(JustUNCPart("\\\\server\\share"), "\\\\server\\share");
  EXPECT_EQ(JustUNCPart("C:\\dir"), "");
  // Half a minute rounds up, here into the next day; Outlook's mail times test the rest.
  const TDateTime Day = EncodeDate(2024, 2, 29);
  EXPECT_NEAR(RoundDateTimeToMinutes(Day + EncodeTime(23, 59, 30, 0)), Day + 1, 1e-9);
  EXPECT_EQ(VarToInt64(TVariant::FromInt64(INT64_MIN)), INT64_MIN);
  EXPECT_EQ(vesktest::ErrorOf<EVariantError>([&] { VarToInt64(TVariant(5)); }),
            "3 is no int64 variant-type");
  const uint8_t Bits[] = {0xFF, 0x01, 0x80, 0x00, 0x55};
  EXPECT_EQ(card(Bits, sizeof Bits), 14);
  EXPECT_EQ(StringIndex("BETA", {"alpha", "beta", "Beta"}), 1);
  EXPECT_EQ(StringIndex("gamma", {"alpha"}), -1);
  EXPECT_TRUE(StringInEnum("mfSent", {"mfInbox", "mfSent", "mfDrafts"}));
  EXPECT_FALSE(StringInEnum("mfTrash", {"mfInbox", "mfSent", "mfDrafts"}));
}

TEST(SonstText, ShortStringsAndCompactPathsAreCutWithoutSplittingACharacter) {
  Str5 Short = "abcdefgh";
  EXPECT_EQ(Short.Str(), "abcde");
  Short = "ab\xc3\xa4\xc3\xb6";  // the second umlaut would need bytes 6 and 7
  EXPECT_EQ(Short.Str(), "ab\xc3\xa4");
  Str80 Long = std::string(100, 'x');
  EXPECT_EQ(Long.Str().size(), 80u);
  // PathCompactByStrLength never exceeds the maximum.
  struct {
    const char* Path;
    int MaxLen;
    const char* Expected;
  } Cases[] = {
      {"/home/user/documents/report.txt", 40, "/home/user/documents/report.txt"},
      {"/home/user/documents/report.txt", 20, "/home/.../report.txt"},
      {"/home/user/documents/report.txt", 12, "...eport.txt"},
      {"C:\\Users\\me\\Documents\\report.txt", 20, "C:\\Use...\\report.txt"},
      {"no-separator-at-all.txt", 8, "-all.txt"},
      {"/home/user/Gr\u00fc\u00dfe/\xc3\xa4\xc3\xb6.txt", 12, "/h.../\xc3\xa4\xc3\xb6.txt"},
      {"/a/very/long/path", 3, "ath"},
      {"/a/very/long/path", 1, "h"},
      {"/a/very/long/path", 0, ""},
  };
  for (const auto& Case : Cases)
    EXPECT_EQ(PathCompactByStrLength(Case.Path, Case.MaxLen), Case.Expected)
        << Case.Path << " " << Case.MaxLen;
}

class SonstTimer : public vesktest::DesktopTest {};

TEST_F(SonstTimer, MarksWorkAcrossTheSignAndTheWrapOfTheTickCount) {
  struct {
    uint32_t MarkAt, Wait, Now;
    bool TimedOut;
    int32_t Rest;
  } Cases[] = {
      {1000, 10, 1009, false, 1},
      {1000, 10, 1010, true, 0},
      {1000, 10, 2000, true, -990},
      {0x7FFFFFF0, 0x20, 0x80000005, false, 11},  // past 2^31: the log shows it negative
      {0xFFFFFF00, 0x200, 0xFFFFFFF0, false, 0x110},
      {0xFFFFFF00, 0x200, 0x00000050, false, 0xB0},  // the counter wrapped
      {0xFFFFFF00, 0x200, 0x00000100, true, 0},
      {1000, 0, 1000 + 0x80000000u, false, 2147483647},  // 2^31 past reads as a wrap
  };
  for (const auto& Case : Cases) {
    Clock.Tick = Case.MarkAt;
    uint32_t Mark = MarkTime(Case.Wait);
    Clock.Tick = Case.Now;
    EXPECT_EQ(TimeOut(Mark), Case.TimedOut) << std::hex << Case.MarkAt << " " << Case.Now;
    EXPECT_EQ(TimeRest(Mark), Case.Rest) << std::hex << Case.MarkAt << " " << Case.Now;
  }
}

}  // namespace
