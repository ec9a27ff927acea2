#pragma once

#include <cstddef>
#include <exception>

#include "Export.h"

// The start-up and shutdown sections of a module's units, run in a fixed order from one place.
// Start-up runs the sections in order; when one raises, the sections already started are shut
// down in reverse order and the error goes on to the loader. Shutdown runs the started sections
// in exactly the reverse order.
//
// With VESK_TRACE_UNITS naming a file, each named section appends "start <name>" to it once it
// has started and "stop <name>" as it shuts down, so the order can be seen from outside.
struct TUnitSection {
  void (*Initialize)();        // null: nothing to start
  void (*Finalize)();          // null: nothing to shut down
  const char* Name = nullptr;  // the unit's name in the trace
};

class VESK_API TUnitSections {
 public:
  template <size_t N>
  explicit TUnitSections(const TUnitSection (&Sections)[N]) : FSections(Sections), FCount(N) {}

  void Initialize();
  // Every started section is shut down even when one raises; the first error is raised after.
  void Finalize();

 private:
  void FinalizeStarted(std::exception_ptr& FirstError);

  const TUnitSection* FSections;
  size_t FCount;
  size_t FStarted = 0;
};

// Defines a module's exported Initialize and Finalize over its table of sections, the entry
// points TPackage runs when it loads and unloads the module.
#define VESK_MODULE_SECTIONS(Sections)    \
  namespace {                             \
  TUnitSections& ModuleUnits() {          \
    static TUnitSections Units(Sections); \
    return Units;                         \
  }                                       \
  }                                       \
  extern "C" VESK_API void Initialize() { \
    ModuleUnits().Initialize();           \
  }                                       \
  extern "C" VESK_API void Finalize() {   \
    ModuleUnits().Finalize();             \
  }
