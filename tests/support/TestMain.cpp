// Shared main of every test binary: each test fails if it leaves a Notes handle open.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <array>
#include <sstream>

#include "TempDir.h"
#include "notesapi/notesrt.h"

namespace {

using Counts = std::array<DWORD, NOTESRT_HANDLE_KINDS>;

Counts OpenHandles() {
  Counts counts{};
  for (WORD kind = 0; kind < NOTESRT_HANDLE_KINDS; ++kind)
    counts[kind] = NotesRTOpenHandleCount(kind);
  return counts;
}

class HandleLeakCheck : public testing::EmptyTestEventListener {
 public:
  void OnTestStart(const testing::TestInfo&) override { FBefore = OpenHandles(); }

  void OnTestEnd(const testing::TestInfo&) override {
    Counts after = OpenHandles();
    std::ostringstream leaks;
    for (WORD kind = 0; kind < NOTESRT_HANDLE_KINDS; ++kind)
      if (after[kind] != FBefore[kind])
        leaks << " " << NotesRTHandleKindName(kind) << ": " << FBefore[kind] << " -> "
              << after[kind];
    if (leaks.str().empty()) return;
    // The printer has already reported this test, so the leak also fails the whole run.
    ADD_FAILURE() << "Notes handles left open by the test:" << leaks.str();
    Leaked = true;
  }

  static inline bool Leaked = false;

 private:
  Counts FBefore{};
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Whatever a test forgets to redirect lands in a home of its own, never the user's.
  vesktest::TempDir home;
  setenv("HOME", home.Path().c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("XDG_DATA_HOME");
  unsetenv(NOTESRT_INI_ENV);
  testing::UnitTest::GetInstance()->listeners().Append(new HandleLeakCheck);
  int result = RUN_ALL_TESTS();
  return HandleLeakCheck::Leaked ? 1 : result;
}
