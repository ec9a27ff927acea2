#include "FilterEntry.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <type_traits>

#include "FilterFiles.h"
#include "core/EStatus.h"
#include "core/StatusCall.h"
#include "notesapi/oserr.h"

static_assert(std::is_same_v<decltype(&MainEntryPoint), IXENTRYPROC>);

namespace notesfilter {

using notesrt::EStatus;

namespace {

// A file name of a data block: NUL-terminated inside its field, and not empty.
std::string BlockFileName(const char (&Field)[OLDMAXPATH]) {
  const size_t length = strnlen(Field, sizeof Field);
  if (length == 0 || length == sizeof Field) throw EStatus(ERR_NOTESRT_FILTER_ARGS);
  return std::string(Field, length);
}

std::string GivenPath(const char* PathName) {
  if (!PathName || !*PathName) throw EStatus(ERR_NOTESRT_FILTER_ARGS);
  return PathName;
}

template <class TBody>
STATUS Guarded(TBody&& Body) noexcept {
  return notesrt::StatusCall([&]() -> STATUS {
    Body();
    return NOERROR;
  });
}

}  // namespace

STATUS RunImport(void* IXContext, WORD Flags, const char* PathName,
                 const TImportConvert& Convert) noexcept {
  const bool append = Flags != 0 && !(Flags & IXFLAG_FIRST);
  std::string output;
  STATUS status = Guarded([&] {
    if (!IXContext) throw EStatus(ERR_NOTESRT_FILTER_ARGS);
    const auto& block = *static_cast<const EDITIMPORTDATA*>(IXContext);
    output = BlockFileName(block.OutputFileName);
    const std::string input = ReadInputFile(GivenPath(PathName));
    TCdFileWriter writer = append && std::filesystem::exists(output)
                               ? TCdFileWriter(ReadInputFile(output))
                               : TCdFileWriter();
    Convert(input, block.FontID ? block.FontID : DEFAULT_FONT_ID, writer);
    writer.Save(output);
  });
  if (status != NOERROR && !append && !output.empty()) {
    std::error_code ignored;
    std::filesystem::remove(output, ignored);
  }
  return status;
}

STATUS RunExport(void* IXContext, const char* PathName, const TExportConvert& Convert) noexcept {
  return Guarded([&] {
    if (!IXContext) throw EStatus(ERR_NOTESRT_FILTER_ARGS);
    const auto& block = *static_cast<const EDITEXPORTDATA*>(IXContext);
    const std::string output = GivenPath(PathName);
    const TCdFileReader input = TCdFileReader::Load(BlockFileName(block.InputFileName));
    WriteFileWhole(output, Convert(input, block));
  });
}

}  // namespace notesfilter
