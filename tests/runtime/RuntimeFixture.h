#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestNotesEnv.h"
#include "notesapi/ossignal.h"

namespace runtimetest {

// A private notes.ini and an initialised runtime for each test.
class RuntimeTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  vesktest::TestNotesEnv FEnv;
};

// A break handler that stops whatever asks, as a user pressing Ctrl+Break.
OSSIGPROC BreakPressed();

// The text of a status, or "" when the runtime has none.
std::string StatusText(unsigned Status);

}  // namespace runtimetest
