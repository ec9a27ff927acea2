// A plug-in module for the loader tests. Each section and entry point writes a line to the file
// named by VESK_TEST_MODULE_LOG; compile definitions make one start-up or shutdown section
// fail, or leave out Register.
#include <cstdlib>
#include <fstream>
#include <string>

#include "Exception.h"
#include "Export.h"
#include "UnitSections.h"

#ifndef FAIL_START_SECTION
#define FAIL_START_SECTION 0
#endif
#ifndef FAIL_STOP_SECTION
#define FAIL_STOP_SECTION 0
#endif

namespace {

void Log(const std::string& Line) {
  if (const char* File = std::getenv("VESK_TEST_MODULE_LOG"))
    std::ofstream(File, std::ios::app) << Line << "\n";
}

template <int N>
void Start() {
  if constexpr (N == FAIL_START_SECTION)
    throw Exception("section " + std::to_string(N) + " cannot start");
  Log("start " + std::to_string(N));
}

template <int N>
void Stop() {
  Log("stop " + std::to_string(N));
  if constexpr (N == FAIL_STOP_SECTION)
    throw Exception("section " + std::to_string(N) + " cannot stop");
}

const TUnitSection Sections[] = {
    {Start<1>, Stop<1>},
    {nullptr, nullptr},
    {Start<2>, Stop<2>},
    {Start<3>, Stop<3>},
};

}  // namespace

VESK_MODULE_SECTIONS(Sections)

extern "C" {

#ifndef NO_REGISTER
VESK_API void Register() {
  Log("register");
}
#endif

VESK_API void UnRegister() {
  Log("unregister");
}
}
