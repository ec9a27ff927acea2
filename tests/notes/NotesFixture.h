#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

#include "NotesSession.h"
#include "TestNotesEnv.h"

// A test with its own Notes environment and the object library started as the module does.
class NotesFixture : public testing::Test {
 protected:
  void SetUp() override { NotesObjectsInitialize(); }
  void TearDown() override { NotesObjectsFinalize(); }

  vesktest::TestNotesEnv FEnv;
};

// Runs a test in another time zone, restoring the machine's afterwards.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* Zone) {
    if (const char* old = getenv("TZ")) FOld = old;
    setenv("TZ", Zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (FOld)
      setenv("TZ", FOld->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::optional<std::string> FOld;
};
