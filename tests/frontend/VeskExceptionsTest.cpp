// The host's messages, exception handler and log file.
#include <filesystem>
#include <regex>
#include <sstream>

#include "Classes.h"
#include "DesktopFixture.h"
#include "ErrorOf.h"
#include "FileText.h"
#include "ForkedChild.h"
#include "StatusBar.h"
#include "SysUtils.h"
#include "TempDir.h"
#include "VeskExceptions.h"

namespace {

using vesktest::ReadFileText;

class VeskExceptionsTest : public vesktest::DesktopTest {
 protected:
  VeskExceptionsTest() {
    Settings.ShortDateFormat = "dd.mm.yyyy";
    Settings.LongTimeFormat = "hh:nn:ss";
    Monitor.LogDirectory = LogDir.Path().string();
    Monitor.SetStatusBar(&Bar);
    Monitor.LogHook = [this](const std::string& Text) { Hooked.push_back(Text); };
    VeskMonitor = &Monitor;
  }
  ~VeskExceptionsTest() override {
    VeskMonitor = nullptr;
    FormatSettings() = Saved;
  }

  std::string Log() { return ReadFileText(LogDir.Path() / "VESK.log"); }

  TFormatSettings Saved = FormatSettings();
  TFormatSettings& Settings = FormatSettings();
  vesktest::TempDir LogDir;
  TStatusBar Bar{3};
  TForm MainForm;
  TVeskExceptionMonitor Monitor{&MainForm};
  std::vector<std::string> Hooked;
};

TEST_F(VeskExceptionsTest, WithoutAMonitorOnlyErrorsAreShown) {
  VeskMonitor = nullptr;
  VeskMessage("status");
  VeskWarning("careful");
  NotAvailable();
  EXPECT_TRUE(Dialogs.Shown.empty());
  EXPECT_TRUE(Beeper.Beeps.empty());
  VeskError("broken");
  ASSERT_EQ(Dialogs.Shown.size(), 1u);
  EXPECT_EQ(Dialogs.Shown[0].Caption, App.Title);
  EXPECT_EQ(Dialogs.Shown[0].Text, "broken");
  EXPECT_EQ(Beeper.Beeps, std::vector<uint32_t>{0x30});
  EXPECT_TRUE(LogIt("check", true));
  EXPECT_FALSE(LogIt("check", false));
  EXPECT_EQ(vesktest::ErrorOf<EAssertionFailed>([] { LogAssert("x > 0", false); }),
            "Failed: x > 0 (FrontEnd\\VeskExceptions, line 152)");
  EXPECT_TRUE(Hooked.empty());
}

TEST_F(VeskExceptionsTest, LinesCarryTheTickCountTheDateTimeAndThePrefixedText) {
  Monitor.SetLogOn(true);
  Clock.Tick = 0x80000005;  // 24.8 days after the start: negative as a signed number
  Clock.Time = EncodeDate(2023, 12, 24) + EncodeTime(13, 45, 10, 0);
  VeskMessage("Hello");
  Clock.Tick = 42;
  Clock.Time = EncodeDate(2024, 1, 1);
  VeskWarning("multi\r\nline");
  Monitor.SetMessageText(2, "middle");
  EXPECT_EQ(Log(),
            "-2147483643 24.12.2023 13:45:10 --- Hello\r\n"
            "42 01.01.2024 +++ multi\r\nline\r\n"
            "42 01.01.2024 .M. middle\r\n");
  EXPECT_EQ(Bar.Panel(2).Text(), "WARNING: multi\r\nline");
  EXPECT_EQ(Bar.Panel(1).Text(), "middle");
  EXPECT_EQ(Beeper.Beeps, std::vector<uint32_t>{0x30});
  EXPECT_EQ(Bar.RepaintCount(), 1);
  EXPECT_EQ(Hooked, (std::vector<std::string>{"--- Hello", "+++ multi\r\nline", ".M. middle"}));
}

TEST_F(VeskExceptionsTest, MessageTextsByPanelIndex) {
  struct {
    int Index;
    const char* Logged;
    int Panel;
  } Cases[] = {
      {1, "L.. text", 0}, {2, ".M. text", 1}, {3, "..R text", 2}, {7, "text", -1}, {0, "text", -1}};
  Monitor.SetLogOn(true);
  Monitor.AutoRefresh = true;
  for (const auto& Case : Cases) {
    TStatusBar Fresh(3);
    Monitor.SetStatusBar(&Fresh);
    Hooked.clear();
    Monitor.SetMessageText(Case.Index, "text");
    EXPECT_EQ(Hooked, std::vector<std::string>{Case.Logged}) << Case.Index;
    for (int Panel = 0; Panel < 3; ++Panel)
      EXPECT_EQ(Fresh.Panel(Panel).Text(), Panel == Case.Panel ? "text" : "") << Case.Index;
    EXPECT_EQ(Fresh.RepaintCount(), 1);
    Monitor.SetStatusBar(nullptr);
  }
  EXPECT_EQ(Monitor.PanelR, nullptr);
}

TEST_F(VeskExceptionsTest, AppExceptionShowsEachKindItsOwnWay) {
  struct {
    std::function<void()> Raise;
    size_t Dialogs;
    TMsgDlgType Type;
    const char* PanelText;
    size_t Beeps, Posted;
  } Cases[] = {
      {[] { throw std::runtime_error("foreign"); }, 1, mtCustom, "", 0, 0},
      {[] { throw EFieldWarning("bad date"); }, 0, mtCustom, "WARNING: bad date", 1, 0},
      {[] { throw EVeskWarning("only a warning"); }, 0, mtCustom, "WARNING: only a warning", 1, 0},
      {[] { throw ENoVeskDB("no database"); }, 1, mtError, "", 0, 1},
      {[] { throw EVeskException("root"); }, 1, mtError, "", 0, 1},
  };
  Monitor.SetLogOn(true);
  for (const auto& Case : Cases) {
    TStatusBar Fresh(3);
    Monitor.SetStatusBar(&Fresh);
    Dialogs.Shown.clear();
    Beeper.Beeps.clear();
    MainForm.PostedMessages.clear();
    try {
      Case.Raise();
    } catch (const std::exception& E) {
      Monitor.AppException(nullptr, E);
      ASSERT_EQ(Dialogs.Shown.size(), Case.Dialogs) << E.what();
      if (Case.Dialogs) {
        EXPECT_EQ(Dialogs.Shown[0].Text, E.what());
        EXPECT_EQ(Dialogs.Shown[0].Type, Case.Type) << E.what();
      }
      EXPECT_EQ(Fresh.Panel(2).Text(), Case.PanelText);
      EXPECT_EQ(Beeper.Beeps.size(), Case.Beeps);
      EXPECT_EQ(MainForm.PostedMessages, std::deque<TMsg>(Case.Posted, TMsg{0, 0x28, 0, 1}))
          << E.what();
    }
  }
  EXPECT_EQ(Log(), "");
}

// A bar without three panels is refused; one failing to repaint leaves logging on.
TEST_F(VeskExceptionsTest, StatusBarFaultsLeaveTheMonitorAsItWas) {
  TStatusBar Short(2);
  EXPECT_THROW(Monitor.SetStatusBar(&Short), EListError);
  EXPECT_EQ(Monitor.StatusBar, &Bar);
  EXPECT_EQ(Monitor.PanelR, &Bar.Panel(2));
  struct FailingBar : TStatusBar {
    FailingBar() : TStatusBar(3) {}
    void Repaint() override { throw Exception("repaint failed"); }
  } Failing;
  Monitor.SetStatusBar(&Failing);
  Monitor.SetLogOn(true);
  EXPECT_THROW(VeskMessage("x"), Exception);
  EXPECT_TRUE(Monitor.LogOn);
}

// Errors are logged only with logging on, but the hook hears every LogIt; the file keeps its
// content and comes back when deleted.
TEST_F(VeskExceptionsTest, ErrorsAreLoggedOnlyWithLoggingOnIntoAFileThatComesBack) {
  vesktest::WriteFileText(LogDir.Path() / "VESK.log", "earlier\r\n");
  VeskError("first");
  LogIt("free line", true);
  Monitor.SetLogOn(true);
  VeskError("second");
  EXPECT_EQ(Hooked, (std::vector<std::string>{"free line", "!!! second"}));
  EXPECT_EQ(Log().rfind("earlier\r\n", 0), 0u);
  EXPECT_NE(Log().find("!!! second\r\n"), std::string::npos);
  EXPECT_EQ(Log().find("first"), std::string::npos);
  std::filesystem::remove(LogDir.Path() / "VESK.log");
  LogIt("two", true);
  EXPECT_EQ(Log(), "1000 15.03.2023 12:00:00 two\r\n");
}

TEST_F(VeskExceptionsTest, ThePathIsFixedAtTheFirstSwitchOn) {
  vesktest::TempDir First, Second;
  auto Previous = std::filesystem::current_path();
  Monitor.LogDirectory.clear();
  std::filesystem::current_path(First.Path());
  Monitor.SetLogOn(true);
  Monitor.SetLogOn(false);
  std::filesystem::current_path(Second.Path());
  Monitor.SetLogOn(true);
  std::filesystem::current_path(Previous);
  LogIt("here", true);
  EXPECT_EQ(Monitor.LogFile, (First.Path() / "VESK.log").string());
  EXPECT_TRUE(std::filesystem::exists(First.Path() / "VESK.log"));
  EXPECT_FALSE(std::filesystem::exists(Second.Path() / "VESK.log"));
}

TEST_F(VeskExceptionsTest, FailuresRaiseTheIOErrorAndLeaveLogOnAsItWas) {
  vesktest::WriteFileText(LogDir.Path() / "plain", "");
  Monitor.LogDirectory = (LogDir.Path() / "plain/below").string();
  const std::string Error = vesktest::ErrorOf<EInOutError>([&] { Monitor.SetLogOn(true); });
  EXPECT_NE(Error.find("plain/below/VESK.log"), std::string::npos) << Error;
  EXPECT_NE(Error.find("Not a directory"), std::string::npos) << Error;
  EXPECT_FALSE(Monitor.LogOn);
  EXPECT_EQ(Monitor.LogFile, "");

  Monitor.LogDirectory = LogDir.Path().string();
  std::filesystem::create_symlink("/dev/full", LogDir.Path() / "VESK.log");
  Monitor.SetLogOn(true);
  EXPECT_PRED_FORMAT2(testing::IsSubstring, "No space left on device",
                      vesktest::ErrorOf<EInOutError>([&] { VeskMessage("nowhere to go"); }));
  EXPECT_TRUE(Monitor.LogOn);
  EXPECT_EQ(Bar.Panel(2).Text(), "nowhere to go");
}

TEST_F(VeskExceptionsTest, TwoProcessesLoggingTogetherLoseAndMixNoLine) {
  const int Lines = 10000;
  std::vector<std::unique_ptr<vesktest::ForkedChild>> Children;
  for (int Child = 0; Child < 2; ++Child)
    Children.push_back(std::make_unique<vesktest::ForkedChild>([&, Child] {
      TVeskExceptionMonitor Own(nullptr);
      Own.LogDirectory = LogDir.Path().string();
      Own.SetLogOn(true);
      for (int Line = 0; Line < Lines; ++Line)
        Own.LogIt(
            Format("process %d line %05d of a text long enough to need some bytes", Child, Line));
      return "";
    }));
  for (auto& Child : Children) ASSERT_EQ(Child->Wait(), 0);
  std::istringstream Text(Log());
  std::regex Whole(
      R"(1000 15\.03\.2023 12:00:00 process ([01]) line (\d{5}) of a text long enough to need some bytes\r)");
  int Next[2] = {0, 0};
  for (std::string Line; std::getline(Text, Line);) {
    std::smatch Match;
    ASSERT_TRUE(std::regex_match(Line, Match, Whole)) << Line;
    int Child = std::stoi(Match[1]);
    EXPECT_EQ(std::stoi(Match[2]), Next[Child]++);
  }
  EXPECT_EQ(Next[0], Lines);
  EXPECT_EQ(Next[1], Lines);
}

}  // namespace
