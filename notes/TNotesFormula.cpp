#include "TNotesFormula.h"

#include <algorithm>
#include <memory>

#include "ELotusNotes.h"
#include "NotesCharset.h"
#include "NotesLock.h"
#include "ValueToVariant.h"
#include "notesapi/nsfsearc.h"

namespace {

// Notes reports compile positions in the LMBCS text it was given; callers count in their own.
WORD NativeSize(const std::string& Lmbcs, size_t Offset, size_t Length) {
  if (Offset >= Lmbcs.size()) return 0;
  return static_cast<WORD>(Lmbcs2NativeRaw(Lmbcs.substr(Offset, Length)).size());
}

struct TComputeStop {
  void operator()(void* Compute) const { NSFComputeStop(Compute); }
};
using TComputeHandle = std::unique_ptr<void, TComputeStop>;

TComputeHandle StartCompute(void* CompiledFormula) {
  HCOMPUTE compute = nullptr;
  const STATUS status = NSFComputeStart(0, CompiledFormula, &compute);
  TComputeHandle owner(compute);
  CheckNotesStatus(status);
  return owner;
}

}  // namespace

TNotesFormula::TNotesFormula(const std::string& Formula) {
  const std::string text = Native2Lmbcs(Formula);
  // The length crosses as a WORD; a longer text would be cut silently.
  if (text.size() > MAXWORD) throw ELotusNotes(-1, "The formula is too long");
  WORD formulaLength = 0, line = 0, column = 0, offset = 0, length = 0;
  STATUS compileError = NOERROR;
  const STATUS status =
      NSFFormulaCompile(nullptr, 0, text.data(), static_cast<WORD>(text.size()), FHandle.Receive(),
                        &formulaLength, &compileError, &line, &column, &offset, &length);
  try {
    CheckNotesStatus(status);
  } catch (const ELotusNotes& e) {
    throw ELnFormulaCompile(e.Status, e.Message(), compileError, NativeSize(text, 0, offset),
                            NativeSize(text, offset, length));
  }
}

TVariant TNotesFormula::Evaluate(NOTEHANDLE Note, bool* Modified) const {
  TNotesLock formula(FHandle.Get());
  if (formula.Data() == nullptr) throw ELotusNotes(-1, "The compiled formula cannot be read");
  TComputeHandle compute = StartCompute(formula.Data());
  TMemoryHandle result;
  WORD resultLength = 0;
  BOOL matches = FALSE, shouldBeDeleted = FALSE, modified = FALSE;
  CheckNotesStatus(NSFComputeEvaluate(compute.get(), Note, result.Receive(), &resultLength,
                                      &matches, &shouldBeDeleted, &modified));
  if (Modified) *Modified = modified != FALSE;
  TVariant value;
  if (!result) return value;
  DWORD size = 0;
  CheckNotesStatus(OSMemGetSize(result.Get(), &size));
  TNotesLock lock(result.Get());
  if (lock.Data() != nullptr)
    ValueToVariant(lock.Data(), std::min<DWORD>(resultLength, size), value);
  return value;
}
