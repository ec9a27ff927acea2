#pragma once

#include <gtest/gtest.h>

#include "NotesSession.h"
#include "ScopedEnv.h"
#include "TestNotesEnv.h"

// A test with its own Notes environment and the object library started as the module does.
class NotesFixture : public testing::Test {
 protected:
  void SetUp() override { NotesObjectsInitialize(); }
  void TearDown() override { NotesObjectsFinalize(); }

  vesktest::TestNotesEnv FEnv;
};

using vesktest::ScopedTimeZone;
