#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

#include "DateUtils.h"
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

  TFormatSettings Read(const std::string& Name) const {
    int Pipe[2];
    if (pipe(Pipe) != 0) throw std::runtime_error("pipe failed");
    pid_t Child = fork();
    if (Child == 0) {
      close(Pipe[0]);
      setenv("LOCPATH", FDir.Path().c_str(), 1);
      std::string Data = Serialize(LocaleFormatSettings(Name + ".UTF-8"));
      bool Written = write(Pipe[1], Data.data(), Data.size()) == static_cast<ssize_t>(Data.size());
      _exit(Written ? 0 : 1);
    }
    close(Pipe[1]);
    std::string Data;
    char Buffer[4096];
    for (ssize_t Got; (Got = read(Pipe[0], Buffer, sizeof Buffer)) > 0;) Data.append(Buffer, Got);
    close(Pipe[0]);
    int Status = 0;
    waitpid(Child, &Status, 0);
    if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0) throw std::runtime_error("child failed");
    return Deserialize(Data);
  }

 private:
  // The fields the tests look at, one per line.
  static std::string Serialize(const TFormatSettings& S) {
    return std::string(1, S.DateSeparator) + "\n" + S.TimeSeparator + "\n" + S.ShortDateFormat +
           "\n" + S.ShortTimeFormat + "\n" + S.LongTimeFormat + "\n" + S.TimeAMString + "\n" +
           S.TimePMString + "\n" + S.LongMonthNames[2] + "\n" + S.ShortDayNames[0] + "\n";
  }

  static TFormatSettings Deserialize(const std::string& Data) {
    std::istringstream In(Data);
    std::string DateSeparator, TimeSeparator;
    TFormatSettings S;
    std::getline(In, DateSeparator);
    std::getline(In, TimeSeparator);
    for (std::string* Field :
         {&S.ShortDateFormat, &S.ShortTimeFormat, &S.LongTimeFormat, &S.TimeAMString,
          &S.TimePMString, &S.LongMonthNames[2], &S.ShortDayNames[0]})
      std::getline(In, *Field);
    S.DateSeparator = DateSeparator.empty() ? '\0' : DateSeparator[0];
    S.TimeSeparator = TimeSeparator.empty() ? '\0' : TimeSeparator[0];
    return S;
  }

  vesktest::TempDir FDir;
};

TEST(RegionalSettings, StrftimeTranslation) {
  char Separator = '\0';
  EXPECT_EQ(TranslateStrftime("%d.%m.%Y", Separator), "dd.mm.yyyy");
  EXPECT_EQ(Separator, '.');
  Separator = '\0';
  EXPECT_EQ(TranslateStrftime("%m/%d/%y", Separator), "mm/dd/yy");
  EXPECT_EQ(Separator, '/');
  Separator = '\0';
  EXPECT_EQ(TranslateStrftime("%r", Separator), "hh:nn:ss ampm");
  EXPECT_EQ(Separator, ':');
  Separator = '\0';
  EXPECT_EQ(TranslateStrftime("%Hh%M", Separator), "hh\"h\"nn");
  EXPECT_EQ(Separator, '\0');
  EXPECT_EQ(TranslateStrftime("%F %T", Separator), "yyyy-mm-dd hh:nn:ss");
  EXPECT_EQ(TranslateStrftime("%e %b %Ey %OH %Z%", Separator), "d mmm yy hh ");
  EXPECT_EQ(TranslateStrftime("%Y\xE5\xB9\xB4%m", Separator), "yyyy\xE5\xB9\xB4mm");
}

TEST(RegionalSettings, CLocaleGivesIsoFormats) {
  for (const char* Name : {"C", "POSIX", "C.UTF-8", "", "xx_NOWHERE.UTF-8"}) {
    TFormatSettings S = LocaleFormatSettings(Name);
    EXPECT_EQ(S.ShortDateFormat, "yyyy-mm-dd") << Name;
    EXPECT_EQ(S.LongTimeFormat, "hh:nn:ss") << Name;
    EXPECT_EQ(S.ShortTimeFormat, "hh:nn") << Name;
    EXPECT_EQ(S.DateSeparator, '-') << Name;
    EXPECT_EQ(S.TimeSeparator, ':') << Name;
  }
}

TEST(RegionalSettings, ProcessSettingsAreUsableAndShared) {
  TFormatSettings& S = FormatSettings();
  EXPECT_EQ(&S, &FormatSettings());
  EXPECT_FALSE(S.ShortDateFormat.empty());
  EXPECT_FALSE(S.LongTimeFormat.empty());
  // Whatever the machine's locale, the process settings read back what they write.
  TDateTime Value = EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0);
  TDateTime Parsed = 0;
  if (S.ShortDateFormat.find("yy") != std::string::npos) {
    EXPECT_TRUE(TryStrToDateTime(DateTimeToStr(Value), Parsed)) << DateTimeToStr(Value);
  }
}

TEST(RegionalSettings, GermanLocale) {
  TCompiledLocales Locales;
  if (!Locales.Compile("de_DE")) GTEST_SKIP() << "cannot compile the de_DE locale";
  TFormatSettings S = Locales.Read("de_DE");
  EXPECT_EQ(S.ShortDateFormat, "dd.mm.yyyy");
  EXPECT_EQ(S.DateSeparator, '.');
  EXPECT_EQ(S.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(S.ShortTimeFormat, "hh:nn");
  EXPECT_EQ(S.LongMonthNames[2], "M\xC3\xA4rz");
  EXPECT_EQ(S.ShortDayNames[0], "So");
  EXPECT_EQ(S.TimeAMString, "");
  TDateTime Value = EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0);
  EXPECT_EQ(DateTimeToStr(Value, S), "03.03.2024 14:05:09");
  EXPECT_EQ(StrToDateTime("03.03.2024 14:05:09", S), Value);
}

TEST(RegionalSettings, AmericanLocaleUsesTheTwelveHourClock) {
  TCompiledLocales Locales;
  if (!Locales.Compile("en_US")) GTEST_SKIP() << "cannot compile the en_US locale";
  TFormatSettings S = Locales.Read("en_US");
  EXPECT_EQ(S.ShortDateFormat, "mm/dd/yyyy");
  EXPECT_EQ(S.LongTimeFormat, "hh:nn:ss ampm");
  EXPECT_EQ(S.ShortTimeFormat, "hh:nn ampm");
  TDateTime Value = EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0);
  EXPECT_EQ(DateTimeToStr(Value, S), "03/03/2024 02:05:09 PM");
  EXPECT_EQ(StrToDateTime("03/03/2024 02:05:09 PM", S), Value);
}

}  // namespace
