#include "CdFileReader.h"

#include "FilterFiles.h"
#include "core/EStatus.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsfdata.h"

namespace notesfilter {

TCdFileReader::TCdFileReader(std::string Bytes) : FBytes(std::move(Bytes)) {
  if (FBytes.size() >= sizeof(WORD) && notesrt::ReadAt<WORD>(FBytes, 0) == TYPE_COMPOSITE)
    FStart = sizeof(WORD);
}

TCdFileReader TCdFileReader::Load(const std::string& Path) {
  return TCdFileReader(ReadInputFile(Path));
}

std::vector<notesrt::TCdRecord> TCdFileReader::Walk() const {
  std::vector<notesrt::TCdRecord> records;
  notesrt::TCdReader reader(Records());
  for (notesrt::TCdRecord record; reader.Next(record);) records.push_back(record);
  if (reader.Damaged()) throw notesrt::EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  return records;
}

}  // namespace notesfilter
