// Formula compilation and evaluation: NSFFormulaCompile, NSFComputeStart, NSFComputeEvaluate,
// NSFComputeStop.
#include <cstdint>
#include <cstring>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "note/Note.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfsearc.h"
#include "search/formula/ApiContext.h"
#include "search/formula/Compute.h"
#include "search/formula/ItemLayout.h"
#include "search/formula/NoteContext.h"

using notesrt::EStatus;
using notesrt::TCompiledFormula;
using notesrt::TCompileError;
using notesrt::TCompute;
using notesrt::THandleTable;
using notesrt::TMemoryBlock;

namespace {

void ReportCompileError(const TCompileError& Error, STATUS* retCompileError, WORD* retLine,
                        WORD* retColumn, WORD* retOffset, WORD* retLength) {
  notesrt::PutOptional(retCompileError, Error.Status);
  notesrt::PutOptional(retLine, Error.Line);
  notesrt::PutOptional(retColumn, Error.Column);
  notesrt::PutOptional(retOffset, Error.Offset);
  notesrt::PutOptional(retLength, Error.Length);
}

// A new caller-owned memory handle holding Bytes.
DHANDLE NewBlock(const std::string& Bytes) {
  DHANDLE handle = TMemoryBlock::Allocate(Bytes.size());
  std::memcpy(THandleTable::Instance().Get<TMemoryBlock>(handle).Data(), Bytes.data(),
              Bytes.size());
  return handle;
}

// The compiled formula names the block it was made in; when the pointer is that block's start,
// reads stay inside it. Any other memory (a copy the caller made) is trusted as far as the
// header says.
size_t ReadableSize(const void* Compiled) {
  DHANDLE owner = TCompiledFormula::OwnerOf(Compiled);
  auto* block = THandleTable::Instance().Find<TMemoryBlock>(owner);
  return block && block->Data() == Compiled ? block->Size() : SIZE_MAX;
}

// HCOMPUTE is a pointer in the published API; the runtime keeps its handle value in it.
HCOMPUTE ComputeOf(DHANDLE Handle) {
  return reinterpret_cast<HCOMPUTE>(static_cast<uintptr_t>(Handle));
}

DHANDLE HandleOf(HCOMPUTE Compute) {
  auto value = reinterpret_cast<uintptr_t>(Compute);
  return value <= MAXDWORD ? static_cast<DHANDLE>(value) : NULLHANDLE;
}

notesrt::TFormulaResult Evaluate(TCompute& Compute, NOTEHANDLE hNote) {
  if (hNote == NULLHANDLE) {
    notesrt::TApiContext context;
    return Compute.Evaluator().Evaluate(context);
  }
  notesrt::TNoteContext context(THandleTable::Instance().Get<notesrt::TNote>(hNote));
  return Compute.Evaluator().Evaluate(context);
}

}  // namespace

// A FormulaTextLength of 0 reads up to a NUL. The outputs are cleared first, so that a failure
// never leaves a handle or an old error position behind.
STATUS LNPUBLIC NSFFormulaCompile(char*, WORD, const char* FormulaText, WORD FormulaTextLength,
                                  FORMULAHANDLE* rethFormula, WORD* retFormulaLength,
                                  STATUS* retCompileError, WORD* retCompileErrorLine,
                                  WORD* retCompileErrorColumn, WORD* retCompileErrorOffset,
                                  WORD* retCompileErrorLength) {
  notesrt::PutOptional(rethFormula, NULLHANDLE);
  notesrt::PutOptional(retFormulaLength, WORD{0});
  ReportCompileError(TCompileError(), retCompileError, retCompileErrorLine, retCompileErrorColumn,
                     retCompileErrorOffset, retCompileErrorLength);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!FormulaText) return ERR_MISC_INVALID_ARGS;
    size_t length = FormulaTextLength ? FormulaTextLength : strnlen(FormulaText, MAXWORD);
    TCompileError error;
    auto formula = TCompiledFormula::Compile({FormulaText, length}, false, error);
    if (!formula) {
      ReportCompileError(error, retCompileError, retCompileErrorLine, retCompileErrorColumn,
                         retCompileErrorOffset, retCompileErrorLength);
      return ERR_FORMULA_COMPILATION;
    }
    std::string bytes = formula->Serialize(NULLHANDLE);
    notesrt::PutOptional(retFormulaLength, static_cast<WORD>(bytes.size()));
    if (rethFormula) {
      DHANDLE handle = NewBlock(bytes);
      bytes = formula->Serialize(handle);
      std::memcpy(THandleTable::Instance().Get<TMemoryBlock>(handle).Data(), bytes.data(),
                  bytes.size());
      *rethFormula = handle;
    }
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFComputeStart(WORD Flags, void* lpCompiledFormula, HCOMPUTE* rethCompute) {
  notesrt::PutOptional(rethCompute, HCOMPUTE{nullptr});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (Flags != 0 || !lpCompiledFormula || !rethCompute) return ERR_MISC_INVALID_ARGS;
    auto formula = TCompiledFormula::Load(lpCompiledFormula, ReadableSize(lpCompiledFormula));
    *rethCompute = ComputeOf(THandleTable::Instance().Add(std::make_unique<TCompute>(formula)));
    return NOERROR;
  });
}

// The flags are set even when the value turns out to be an error: FIELD assignments before the
// error have changed the note all the same.
STATUS LNPUBLIC NSFComputeEvaluate(HCOMPUTE hCompute, NOTEHANDLE hNote, DHANDLE* rethResult,
                                   WORD* retResultLength, BOOL* retNoteMatchesFormula,
                                   BOOL* retNoteShouldBeDeleted, BOOL* retNoteModified) {
  notesrt::PutOptional(rethResult, NULLHANDLE);
  notesrt::PutOptional(retResultLength, WORD{0});
  notesrt::PutOptional(retNoteMatchesFormula, BOOL{FALSE});
  notesrt::PutOptional(retNoteShouldBeDeleted, BOOL{FALSE});
  notesrt::PutOptional(retNoteModified, BOOL{FALSE});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    auto& compute = THandleTable::Instance().Get<TCompute>(HandleOf(hCompute));
    notesrt::TFormulaResult result = Evaluate(compute, hNote);
    notesrt::PutOptional(retNoteMatchesFormula, BOOL{result.Matches});
    notesrt::PutOptional(retNoteShouldBeDeleted, BOOL{result.ShouldBeDeleted});
    notesrt::PutOptional(retNoteModified, BOOL{result.Modified});
    notesrt::TItemValue item;
    if (STATUS status = notesrt::ItemOfValue(result.Value, item)) return status;
    std::string bytes(reinterpret_cast<const char*>(&item.Type), sizeof item.Type);
    bytes += item.Bytes;
    notesrt::PutOptional(retResultLength, static_cast<WORD>(bytes.size()));
    if (rethResult) *rethResult = NewBlock(bytes);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFComputeStop(HCOMPUTE hCompute) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!THandleTable::Instance().Remove(HandleOf(hCompute), TCompute::KindId))
      return ERR_NOTESRT_INVALID_HANDLE;
    return NOERROR;
  });
}
