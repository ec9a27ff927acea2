#include "UnitSections.h"

void TUnitSections::Initialize() {
  try {
    for (; FStarted < FCount; ++FStarted)
      if (FSections[FStarted].Initialize) FSections[FStarted].Initialize();
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
    try {
      if (Section.Finalize) Section.Finalize();
    } catch (...) {
      if (!FirstError) FirstError = std::current_exception();
    }
  }
}
