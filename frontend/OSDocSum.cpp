#include "OSDocSum.h"

#include <ctime>

#include "CompoundFile.h"
#include "PropertySet.h"
#include "SysUtils.h"

namespace {

constexpr uint32_t PidTitle = 2, PidSubject = 3, PidAuthor = 4, PidTemplate = 7, PidLastAuthor = 8,
                   PidLastSaveTime = 13;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t FileTimeEpoch = 11644473600;

}  // namespace

TOSDocSummary::TOSDocSummary(const std::string& FileName) {
  GetSummaryInfo(FileName);
}

void TOSDocSummary::FillPropertySpec(uint32_t PropId) {
  FPropSpec = TPropSpec{1, PropId};
}

bool TOSDocSummary::SetSubject(const std::string&) {
  return false;
}

std::string FormatSaveTime(uint64_t FileTime) {
  if (FileTime == 0) return "";
  const auto seconds =
      static_cast<time_t>(static_cast<int64_t>(FileTime / 10000000) - FileTimeEpoch);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return "";
  return Format("%d.%d.%d um %d:%d Uhr", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                local.tm_hour, local.tm_min);
}

bool TOSDocSummary::GetSummaryInfo(const std::string& FileName) {
  FIsSSFile = false;
  FFileName = FileName;
  // An object asked about a second file must not show the first file's values.
  for (std::string* field : {&FAuthor, &FTitle, &FSubject, &FLastAuthor, &FTemplate, &FLastSaved})
    field->clear();
  if (!TCompoundFile::IsCompoundFile(FileName)) return false;
  try {
    TCompoundFile file(FileName);
    const std::optional<std::string> stream = file.ReadRootStream(u"\005SummaryInformation");
    if (!stream) return false;
    const auto section = TPropertySection::Find(*stream, FmtIdSummaryInformation, FileName);
    if (!section) return false;
    const std::pair<uint32_t, std::string*> texts[] = {{PidAuthor, &FAuthor},
                                                       {PidTitle, &FTitle},
                                                       {PidSubject, &FSubject},
                                                       {PidLastAuthor, &FLastAuthor},
                                                       {PidTemplate, &FTemplate}};
    for (const auto& [id, field] : texts) {
      FillPropertySpec(id);
      *field = section->Text(FPropSpec.PropId).value_or("");
    }
    FillPropertySpec(PidLastSaveTime);
    FLastSaved = FormatSaveTime(section->FileTime(FPropSpec.PropId).value_or(0));
  } catch (const ECompoundFile&) {
    return false;
  }
  FIsSSFile = true;
  return true;
}
