#include "search/formula/CompiledFormula.h"

#include <algorithm>
#include <cstring>

#include "core/EStatus.h"
#include "notesapi/nsfsearc.h"
#include "search/formula/CompileError.h"
#include "search/formula/Parser.h"
#include "search/formula/SourceText.h"

namespace notesrt {

namespace {

constexpr char Magic[4] = {'N', 'R', 'F', 'm'};
constexpr WORD Version = 1;
constexpr WORD ViewSelectionFlag = 0x0001;
constexpr WORD Utf8Flag = 0x0002;
constexpr size_t MaxSerialised = 0xFFFF;

#pragma pack(push, 1)
struct THeader {
  char Magic[4];
  WORD Version;
  WORD Flags;
  DWORD Owner;
  DWORD SourceLength;
  DWORD Checksum;
};
#pragma pack(pop)
static_assert(sizeof(THeader) == TCompiledFormula::HeaderSize);

// FNV-1a over what the header says and the source; the owner is left out, it is filled in
// after the block exists.
DWORD Checksum(const THeader& Header, std::string_view Source) {
  DWORD hash = 2166136261u;
  auto mix = [&](const void* Data, size_t Size) {
    for (size_t i = 0; i < Size; ++i) {
      hash ^= static_cast<const unsigned char*>(Data)[i];
      hash *= 16777619u;
    }
  };
  mix(&Header.Version, sizeof Header.Version);
  mix(&Header.Flags, sizeof Header.Flags);
  mix(&Header.SourceLength, sizeof Header.SourceLength);
  mix(Source.data(), Source.size());
  return hash;
}

TCompileError Located(const EFormulaCompile& Failure, const TSourceText& Source) {
  TCompileError error;
  error.Status = Failure.Status();
  Source.Position(Failure.Start(), error.Line, error.Column);
  size_t start = Source.ByteOffset(Failure.Start());
  size_t end = Source.ByteOffset(Failure.End());
  error.Offset = static_cast<WORD>(std::min<size_t>(start, MAXWORD));
  error.Length = static_cast<WORD>(std::min<size_t>(end - start, MAXWORD));
  return error;
}

}  // namespace

TCompiledFormula::TCompiledFormula(std::string Source, WORD Flags, TProgram Program)
    : FSource(std::move(Source)), FFlags(Flags), FProgram(std::move(Program)) {}

bool TCompiledFormula::ViewSelection() const {
  return FFlags & ViewSelectionFlag;
}

std::shared_ptr<const TCompiledFormula> TCompiledFormula::Compile(std::string_view Text,
                                                                  bool ViewSelection,
                                                                  TCompileError& Error) {
  Error = TCompileError();
  TSourceText source = TSourceText::Decode(Text);
  try {
    TProgram program = TParser(source.Text(), ViewSelection).Parse();
    if (Text.size() + HeaderSize > MaxSerialised)
      throw EFormulaCompile(ERR_FORMULA_TOO_LONG, 0, source.Text().size());
    WORD flags = (ViewSelection ? ViewSelectionFlag : 0) | (source.IsUtf8() ? Utf8Flag : 0);
    return std::make_shared<const TCompiledFormula>(std::string(Text), flags, std::move(program));
  } catch (const EFormulaCompile& failure) {
    Error = Located(failure, source);
    return nullptr;
  }
}

std::shared_ptr<const TCompiledFormula> TCompiledFormula::Load(const void* Bytes,
                                                               size_t Available) {
  THeader header;
  if (!Bytes || Available < HeaderSize) throw EStatus(ERR_FORMULA_DAMAGED);
  std::memcpy(&header, Bytes, HeaderSize);
  if (std::memcmp(header.Magic, Magic, sizeof Magic) != 0 || header.Version != Version ||
      header.SourceLength > Available - HeaderSize || header.SourceLength > MaxSerialised)
    throw EStatus(ERR_FORMULA_DAMAGED);
  std::string source(static_cast<const char*>(Bytes) + HeaderSize, header.SourceLength);
  if (Checksum(header, source) != header.Checksum ||
      (header.Flags & ~(ViewSelectionFlag | Utf8Flag)))
    throw EStatus(ERR_FORMULA_DAMAGED);
  try {
    TSourceText text = TSourceText::Decode(source, header.Flags & Utf8Flag);
    TProgram program = TParser(text.Text(), header.Flags & ViewSelectionFlag).Parse();
    return std::make_shared<const TCompiledFormula>(std::move(source), header.Flags,
                                                    std::move(program));
  } catch (const EFormulaCompile&) {
    throw EStatus(ERR_FORMULA_DAMAGED);
  }
}

DHANDLE TCompiledFormula::OwnerOf(const void* Bytes) {
  THeader header;
  std::memcpy(&header, Bytes, HeaderSize);
  return std::memcmp(header.Magic, Magic, sizeof Magic) == 0 ? header.Owner : NULLHANDLE;
}

std::string TCompiledFormula::Serialize(DHANDLE Owner) const {
  THeader header{};
  std::memcpy(header.Magic, Magic, sizeof Magic);
  header.Version = Version;
  header.Flags = FFlags;
  header.Owner = Owner;
  header.SourceLength = static_cast<DWORD>(FSource.size());
  header.Checksum = Checksum(header, FSource);
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  return bytes + FSource;
}

}  // namespace notesrt
