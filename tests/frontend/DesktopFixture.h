#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "Application.h"
#include "Clock.h"
#include "MessageSink.h"
#include "ShellLauncher.h"
#include "TestNotesEnv.h"

namespace vesktest {

// A clock the test sets.
class TestClock : public TClock {
 public:
  uint32_t Tick = 1000;
  TDateTime Time = 45000.5;
  uint32_t TickCount() override { return Tick; }
  TDateTime Now() override { return Time; }
};

// Keeps what was shown and answers as scripted, else with the default button.
class ScriptedSink : public TMessageSink {
 public:
  std::vector<TDialogRequest> Shown;
  std::deque<int> Answers;
  int ShowModal(const TDialogRequest& Request) override {
    Shown.push_back(Request);
    if (!Answers.empty()) {
      int Answer = Answers.front();
      Answers.pop_front();
      return Answer;
    }
    return Request.Buttons.empty() ? mrNone : Request.Buttons[Request.DefaultButton].ModalResult;
  }
};

// Opens nothing and keeps the requests.
class RecordingLauncher : public TShellLauncher {
 public:
  std::vector<TShellOpenRequest> Requests;
  int Open(const TShellOpenRequest& Request) override {
    Requests.push_back(Request);
    return SE_OPEN_SUCCEEDED;
  }
};

class RecordingBeeper : public TBeepSink {
 public:
  std::vector<uint32_t> Beeps;

 protected:
  void Beep(uint32_t Type) override { Beeps.push_back(Type); }
};

// The desktop of one test: its own clock, dialogs, beeper and application, and an empty
// registry in a temporary folder.
class DesktopTest : public testing::Test {
 protected:
  TestNotesEnv Env;
  TestClock Clock;
  ScriptedSink Dialogs;
  RecordingBeeper Beeper;
  TApplication App;

 private:
  TScopedFacility<TClock> FClock{Clock};
  TScopedFacility<TMessageSink> FDialogs{Dialogs};
  TScopedFacility<TBeepSink> FBeeper{Beeper};
  TScopedFacility<TApplication> FApp{App};
};

}  // namespace vesktest
