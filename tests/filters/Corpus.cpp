#include "Corpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "CdToRtf.h"
#include "FileText.h"
#include "LmbcsText.h"
#include "RtfImport.h"
#include "StoredRecords.h"
#include "note/CdRecords.h"

namespace corpustest {

std::filesystem::path CorpusDir() {
  return std::filesystem::path(VESK_TEST_DATA_DIR) / "rtf" / "corpus";
}

std::vector<std::string> CorpusDocuments() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir() / "rtf"))
    if (entry.path().extension() == ".rtf") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string CorpusRtf(const std::string& Name) {
  return vesktest::ReadFileText(CorpusDir() / "rtf" / (Name + ".rtf"));
}

std::string GoldenFile(const std::string& Name, const char* Extension) {
  return vesktest::ReadFileText(CorpusDir() / "golden" / (Name + Extension));
}

std::string CaseName(const testing::TestParamInfo<std::string>& Info) {
  std::string name = Info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

std::string ImportRtf(const std::string& Rtf) {
  notesfilter::TCdFileWriter out;
  nirtf::RtfToCd(Rtf, DEFAULT_FONT_ID, out);
  return out.Bytes();
}

std::string ExportCd(const std::string& CdFile) {
  std::string rtf;
  const std::string stored = filtertest::AsStored(std::string_view(CdFile).substr(sizeof(WORD)));
  EXPECT_EQ(xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(stored, rtf), NOERROR);
  return rtf;
}

std::string CdTextLines(const std::string& CdFile) {
  const std::string_view records = std::string_view(CdFile).substr(sizeof(WORD));
  std::string text;
  bool firstCell = false;
  notesrt::TCdReader reader(records);
  for (notesrt::TCdRecord record; reader.Next(record);) {
    const std::string_view bytes = records.substr(record.Offset, record.Length);
    if (record.Signature == SIG_CD_TEXT) {
      std::string run = notesfilter::LmbcsToUtf8(bytes.substr(sizeof(CDTEXT)));
      std::replace(run.begin(), run.end(), '\0', '\n');
      text += run;
    } else if (record.Signature == SIG_CD_PARAGRAPH) {
      text += "\n";
    } else if (record.Signature == SIG_CD_TABLEBEGIN) {
      firstCell = true;
    } else if (record.Signature == SIG_CD_TABLECELL) {
      if (!firstCell) text += "\n";
      firstCell = false;
    }
  }
  EXPECT_FALSE(reader.Damaged());
  return text;
}

std::string NormalisedText(std::string Text) {
  if (Text.starts_with("\xEF\xBB\xBF")) Text.erase(0, 3);
  static const std::regex marker(R"(^\s*(\xE2\x80\xA2|\xE2\x80\x93|-|\*|[0-9]+[.)]|[a-z][.)])\s+)");
  std::istringstream lines(Text);
  std::string result, line;
  while (std::getline(lines, line)) {
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    line = std::regex_replace(line, marker, "", std::regex_constants::format_first_only);
    line.erase(line.find_last_not_of(" \t") + 1);
    result += line + "\n";
  }
  while (result.ends_with("\n\n")) result.pop_back();
  if (result == "\n") result.clear();
  return result;
}

}  // namespace corpustest
