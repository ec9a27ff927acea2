#pragma once

#include <gtest/gtest.h>

#include "Hlxintf.h"
#include "PackageLoader.h"
#include "TestNotesEnv.h"

// The real plug-in module, loaded in a private Notes environment for one test, with the
// framework's application services empty until a test publishes some.
class PluginModuleFixture : public testing::Test {
 protected:
  PluginModuleFixture() : Module(VESK_PLUGIN_MODULE) {}
  ~PluginModuleFixture() override { ApplicationServices = nullptr; }

  vesktest::TestNotesEnv Env;
  TPackage Module;
};
