#include "FilterFiles.h"

#include <fstream>

#include "core/AtomicFile.h"
#include "core/EStatus.h"
#include "notesapi/notesrterr.h"

namespace notesfilter {

using notesrt::EStatus;

std::string ReadInputFile(const std::filesystem::path& Path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(Path, error);
  if (error) throw EStatus(ERR_NOTESRT_FILTER_READ);
  if (size > MaxInputFile) throw EStatus(ERR_NOTESRT_FILTER_TOO_BIG);
  std::ifstream in(Path, std::ios::binary);
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
    throw EStatus(ERR_NOTESRT_FILTER_READ);
  return bytes;
}

void WriteFileWhole(const std::filesystem::path& Path, std::string_view Bytes) {
  // The outputs are read at once and deleted: whole or not at all matters, durability does not.
  if (notesrt::WriteFileAtomically(Path.string(), Bytes, false) != 0)
    throw EStatus(ERR_NOTESRT_FILTER_WRITE);
}

}  // namespace notesfilter
