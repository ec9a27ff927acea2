#include "UnitSections.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {

// One O_APPEND write a line, so the sections of several modules never mix their lines. A trace
// that cannot be written is no reason to stop a module.
void Trace(const char* Event, const TUnitSection& Section) {
  const char* File = std::getenv("VESK_TRACE_UNITS");
  if (!File || !*File || !Section.Name) return;
  std::string Line = std::string(Event) + " " + Section.Name + "\n";
  int Fd = open(File, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (Fd < 0) return;
  if (write(Fd, Line.data(), Line.size()) < 0) {
    // See above.
  }
  close(Fd);
}

}  // namespace

void TUnitSections::Initialize() {
  try {
    for (; FStarted < FCount; ++FStarted) {
      const TUnitSection& Section = FSections[FStarted];
      if (Section.Initialize) Section.Initialize();
      Trace("start", Section);
    }
  } catch (...) {
    std::exception_ptr Ignored;  // the start-up error is the one the loader must see
    FinalizeStarted(Ignored);
    throw;
  }
}

void TUnitSections::Finalize() {
  std::exception_ptr FirstError;
  FinalizeStarted(FirstError);
  if (FirstError) std::rethrow_exception(FirstError);
}

void TUnitSections::FinalizeStarted(std::exception_ptr& FirstError) {
  while (FStarted > 0) {
    const TUnitSection& Section = FSections[--FStarted];
    Trace("stop", Section);
    try {
      if (Section.Finalize) Section.Finalize();
    } catch (...) {
      if (!FirstError) FirstError = std::current_exception();
    }
  }
}
