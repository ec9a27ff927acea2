// The desktop stand-ins: the clock, the window and keyboard models, the terminal sinks and the
// clipboard.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "Classes.h"
#include "Clipboard.h"
#include "Clock.h"
#include "Desktop.h"
#include "FileText.h"
#include "MessageSink.h"
#include "ScopedEnv.h"
#include "StatusBar.h"
#include "TempDir.h"

namespace {

TEST(Clock, TickCountIsTheUptimeInMilliseconds) {
  std::ifstream Uptime("/proc/uptime");
  double Seconds = 0;
  ASSERT_TRUE(Uptime >> Seconds);
  uint32_t Expected = static_cast<uint32_t>(static_cast<uint64_t>(Seconds * 1000));
  EXPECT_LT(Clock().TickCount() - Expected, 1000u);
}

TEST(Keyboard, KeysAreTranslatedIntoCharactersBeforeTheNextMessage) {
  TKeyboard Keyboard;
  const HWND Window = 7, Other = 8;
  Keyboard.Post({Window, WM_KEYDOWN, 'A', 1});
  Keyboard.Post({Other, WM_KEYDOWN, 'B', 1});
  Keyboard.Post({Window, WM_KEYDOWN, 0x70, 1});  // F1 stands for no character
  while (Keyboard.ProcessOne(Window)) {
  }
  Keyboard.State[VK_SHIFT] = 0x80;
  Keyboard.Post({Window, WM_KEYDOWN, 'C', 1});
  while (Keyboard.ProcessOne(Window)) {
  }
  std::vector<TMsg> Expected = {{Window, WM_KEYDOWN, 'A', 1},
                                {Window, WM_CHAR, 'a', 1},
                                {Window, WM_KEYDOWN, 0x70, 1},
                                {Window, WM_KEYDOWN, 'C', 1},
                                {Window, WM_CHAR, 'C', 1}};
  EXPECT_EQ(Keyboard.Dispatched, Expected);
  EXPECT_FALSE(Keyboard.ProcessOne(Window));
  EXPECT_TRUE(Keyboard.ProcessOne(Other));
}

TEST(StatusBar, TheTerminalBarShowsTheRightPanelAndRefusesAMissingOne) {
  for (bool InPlace : {false, true}) {
    std::ostringstream Out;
    {
      TTerminalStatusBar Bar(Out, InPlace);
      Bar.Panel(0).SetText("left");
      Bar.Panel(2).SetText("Connecting\r\nto the server");
      Bar.Panel(2).SetText("Done");
    }
    EXPECT_EQ(Out.str(), InPlace ? "\rConnecting  to the server\x1b[K\rDone\x1b[K\n"
                                 : "Connecting  to the server\nDone\n");
  }
  TStatusBar Bar(2);
  EXPECT_THROW(Bar.Panel(2), EListError);
  EXPECT_THROW(Bar.Panel(-1), EListError);
}

TEST(TerminalMessageSink, ShowsTheTextAndAsksOnlyWhenThereIsAChoice) {
  TDialogRequest Choice{"Save",
                        "Save changes?",
                        mtConfirmation,
                        {{"&Yes", mrYes}, {"&No", mrNo}, {"Cancel", mrCancel}},
                        0};
  struct {
    const TDialogRequest Request;
    bool Ask;
    const char* Input;
    int Expected;
  } Cases[] = {
      {MessageBoxRequest("Vesk", "Disk full", mtError), true, "2\n", mrOk},
      {Choice, false, "2\n", mrYes},
      {Choice, true, "2\n", mrNo},
      {Choice, true, "\n", mrYes},
      {Choice, true, "9\nx\n3\n", mrCancel},
      {Choice, true, "", mrYes},
  };
  for (const auto& Case : Cases) {
    std::ostringstream Out;
    std::istringstream In(Case.Input);
    TTerminalMessageSink Sink(Out, Case.Ask ? &In : nullptr);
    EXPECT_EQ(Sink.ShowModal(Case.Request), Case.Expected) << Case.Input;
    EXPECT_EQ(Out.str().rfind(Case.Request.Caption + ": " + Case.Request.Text + "\n", 0), 0u);
  }
}

TEST(Clipboard, FormatsSetTogetherStayTogetherAndWaylandGoesThroughWlCopyAndWlPaste) {
  TClipboard Clipboard;
  Clipboard.SetAsText("one");
  Clipboard.SetData("x-vesk/ref", "r1");
  EXPECT_FALSE(Clipboard.HasText());
  Clipboard.Open();
  Clipboard.SetAsText("two");
  Clipboard.SetData("x-vesk/ref", "r2");
  Clipboard.Close();
  EXPECT_EQ(Clipboard.AsText(), "two");
  EXPECT_EQ(Clipboard.GetData("x-vesk/ref"), "r2");
  Clipboard.Clear();
  EXPECT_FALSE(Clipboard.HasFormat("x-vesk/ref"));
  // The Wayland backend goes through wl-copy and wl-paste.
  vesktest::TempDir Bin;
  std::string Store = (Bin.Path() / "store").string();
  auto Script = [&](const char* Name, const std::string& Body) {
    vesktest::WriteFileText(Bin.Path() / Name, "#!/bin/sh\n" + Body);
    chmod((Bin.Path() / Name).c_str(), 0755);
  };
  Script("wl-copy", "if [ \"$1\" = --clear ]; then rm -f '" + Store +
                        "'; exit 0; fi\n"
                        "printf '%s\\n' \"$2\" > '" +
                        Store + ".type'; cat > '" + Store + "'\n");
  Script("wl-paste", "[ -f '" + Store + "' ] && [ \"$3\" = \"$(cat '" + Store +
                         ".type')\" ] || exit 1\ncat '" + Store + "'\n");
  vesktest::ScopedEnv Path("PATH", (Bin.Path().string() + ":/usr/bin:/bin").c_str());
  vesktest::ScopedEnv Wayland("WAYLAND_DISPLAY", "wayland-0");
  TClipboard System;
  auto Backend = SystemClipboardBackend();
  ASSERT_TRUE(Backend);
  System.SetBackend(std::move(Backend));
  System.SetAsText("https://example.org/\nsecond line");
  EXPECT_EQ(vesktest::ReadFileText(Store), "https://example.org/\nsecond line");
  EXPECT_EQ(System.AsText(), "https://example.org/\nsecond line");
  EXPECT_FALSE(System.HasFormat("image/png"));
  System.Clear();
  EXPECT_FALSE(System.HasText());
  vesktest::ScopedEnv NoWayland("WAYLAND_DISPLAY", nullptr);
  vesktest::ScopedEnv NoDisplay("DISPLAY", nullptr);
  EXPECT_FALSE(SystemClipboardBackend());
}

}  // namespace
