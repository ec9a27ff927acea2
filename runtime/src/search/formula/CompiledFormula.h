#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/TestedApi.h"
#include "notesapi/global.h"
#include "search/formula/Node.h"

namespace notesrt {

// Where a compile error is, in the text as it was passed.
struct TCompileError {
  STATUS Status = NOERROR;
  WORD Line = 0;
  WORD Column = 0;
  WORD Offset = 0;
  WORD Length = 0;
};

// A parsed formula and its serialised form. The serialised form is self-contained (a header and
// the source as it was passed: LMBCS, or UTF-8 when flagged so), so a compute can be rebuilt
// from the bytes alone. Immutable: one
// compiled formula may serve any number of evaluations.
class NOTESRT_TESTED TCompiledFormula {
 public:
  // Serialised header: magic, version, flags, owner handle, source length, checksum.
  static constexpr size_t HeaderSize = 20;

  // Text is LMBCS or UTF-8 (see TSourceText). ViewSelection admits @AllChildren and
  // @AllDescendants. Null with Error filled when the text does not compile.
  static std::shared_ptr<const TCompiledFormula> Compile(std::string_view Text, bool ViewSelection,
                                                         TCompileError& Error);
  // From a serialised form of which at most Available bytes may be read. Raises EStatus
  // ERR_FORMULA_DAMAGED for anything that is not one, whole and unchanged.
  static std::shared_ptr<const TCompiledFormula> Load(const void* Bytes, size_t Available);
  // The memory handle a serialised form says it lives in (see Serialize); NULLHANDLE when the
  // bytes do not start like a compiled formula. Reads HeaderSize bytes.
  static DHANDLE OwnerOf(const void* Bytes);

  // Owner is recorded so that Load can be given the true size of the block later.
  std::string Serialize(DHANDLE Owner) const;

  const TProgram& Program() const { return FProgram; }
  bool ViewSelection() const;
  bool UsesAllChildren() const { return FProgram.UsesAllChildren; }
  bool UsesAllDescendants() const { return FProgram.UsesAllDescendants; }

  TCompiledFormula(std::string Source, WORD Flags, TProgram Program);

 private:
  std::string FSource;
  // ViewSelectionFlag, Utf8Flag.
  WORD FFlags;
  TProgram FProgram;
};

}  // namespace notesrt
