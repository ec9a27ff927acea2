#include <gtest/gtest.h>
#include <stdlib.h>

#include <stdexcept>

#include "DateUtils.h"
#include "ForkedChild.h"
#include "TempDir.h"

namespace {

// Compiles locale sources into a private directory, so that the tests do not depend on the
// locales this machine has installed; Compile fails when it lacks the compiler or the sources.
// The C library keeps the data of a locale loaded from such a directory for the rest of the
// process, which the leak checker would report, so Read loads the locale in a child process.
class TCompiledLocales {
 public:
  bool Compile(const std::string& Name) {
    std::string Command = "localedef -i " + Name + " -f UTF-8 '" +
                          (FDir.Path() / (Name + ".UTF-8")).string() + "' >/dev/null 2>&1";
    return system(Command.c_str()) == 0;
  }

  // What the test looks at of the locale's settings, "|" between the fields: the formats, the
  // names of March and of Sunday, the PM text, the date separator, and Value written by them
  // and whether that text reads back as Value.
  std::string Read(const std::string& Name, TDateTime Value) const {
    vesktest::ForkedChild Child([&] {
      setenv("LOCPATH", FDir.Path().c_str(), 1);
      const TFormatSettings S = LocaleFormatSettings(Name + ".UTF-8");
      const std::string Written = DateTimeToStr(Value, S);
      return S.ShortDateFormat + "|" + S.LongTimeFormat + "|" + S.ShortTimeFormat + "|" +
             S.LongMonthNames[2] + "|" + S.ShortDayNames[0] + "|" + S.TimePMString + "|" +
             S.DateSeparator + "|" + Written +
             (StrToDateTime(Written, S) == Value ? "" : " unread");
    });
    const std::string Fields = Child.Answer();
    if (Child.Wait() != 0) throw std::runtime_error("child failed");
    return Fields;
  }

 private:
  vesktest::TempDir FDir;
};

TEST(RegionalSettings, StrftimeTranslation) {
  const struct {
    const char *Strftime, *Format;
    char Separator;
  } Cases[] = {{"%d.%m.%Y", "dd.mm.yyyy", '.'},
               {"%m/%d/%y", "mm/dd/yy", '/'},
               {"%r", "hh:nn:ss ampm", ':'},
               {"%Hh%M", "hh\"h\"nn", '\0'},
               {"%F %T", "yyyy-mm-dd hh:nn:ss", '-'},
               {"%e %b %Ey %OH %Z%", "d mmm yy hh ", '\0'},
               {"%Y\xE5\xB9\xB4%m", "yyyy\xE5\xB9\xB4mm", '\0'}};
  for (const auto& Case : Cases) {
    char Separator = '\0';
    EXPECT_EQ(TranslateStrftime(Case.Strftime, Separator), Case.Format);
    EXPECT_EQ(Separator, Case.Separator) << Case.Strftime;
  }
}

TEST(RegionalSettings, CLocaleGivesIsoFormatsAndTheProcessSettingsReadBackWhatTheyWrite) {
  for (const char* Name : {"C", "POSIX", "C.UTF-8", "", "xx_NOWHERE.UTF-8"}) {
    TFormatSettings S = LocaleFormatSettings(Name);
    EXPECT_EQ(S.ShortDateFormat + "|" + S.LongTimeFormat + "|" + S.ShortTimeFormat + "|" +
                  S.DateSeparator + S.TimeSeparator,
              "yyyy-mm-dd|hh:nn:ss|hh:nn|-:")
        << Name;
  }
  // Whatever the machine's locale.
  const TDateTime Value = EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0);
  TDateTime Parsed = 0;
  if (FormatSettings().ShortDateFormat.find("yy") != std::string::npos) {
    EXPECT_TRUE(TryStrToDateTime(DateTimeToStr(Value), Parsed)) << DateTimeToStr(Value);
  }
}

// Locales compiled from their sources: the formats, names, and a date written and read back.
TEST(RegionalSettings, GermanAndAmericanLocales) {
  const struct {
    const char *Name, *Fields;
  } Cases[] = {
      {"de_DE", "dd.mm.yyyy|hh:nn:ss|hh:nn|M\xC3\xA4rz|So||.|03.03.2024 14:05:09"},
      {"en_US", "mm/dd/yyyy|hh:nn:ss ampm|hh:nn ampm|March|Sun|PM|/|03/03/2024 02:05:09 PM"}};
  TCompiledLocales Locales;
  for (const auto& Case : Cases) {
    if (!Locales.Compile(Case.Name))
      GTEST_SKIP() << "cannot compile the " << Case.Name << " locale";
    EXPECT_EQ(Locales.Read(Case.Name, EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0)),
              Case.Fields);
  }
}

}  // namespace
