#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CdToRtf.h"
#include "FileText.h"
#include "LmbcsText.h"
#include "RtfImport.h"
#include "StoredRecords.h"
#include "note/CdRecords.h"

namespace corpustest {

// The corpus: RTF written by LibreOffice, pandoc and by hand (tests/data/rtf/corpus/rtf), with
// LibreOffice's text and XHTML of each in golden/.
inline std::filesystem::path CorpusDir() {
  return std::filesystem::path(VESK_TEST_DATA_DIR) / "rtf" / "corpus";
}

// The names of the corpus documents without ".rtf", sorted.
inline std::vector<std::string> CorpusDocuments() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir() / "rtf"))
    if (entry.path().extension() == ".rtf") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

inline std::string CorpusRtf(const std::string& Name) {
  return vesktest::ReadFileText(CorpusDir() / "rtf" / (Name + ".rtf"));
}

inline std::string GoldenFile(const std::string& Name, const char* Extension) {
  return vesktest::ReadFileText(CorpusDir() / "golden" / (Name + Extension));
}

// A document's name as a test name: "lo-large" is "lo_large".
inline std::string CaseName(const testing::TestParamInfo<std::string>& Info) {
  std::string name = Info.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

// The import of an RTF document (the CD file, type word first), and the export of such a file
// as a note holds it: after the paragraph the importer opens, with the font table, which the
// note keeps apart, in front as the export is given it.
inline std::string ImportRtf(const std::string& Rtf) {
  notesfilter::TCdFileWriter out;
  nirtf::RtfToCd(Rtf, DEFAULT_FONT_ID, out);
  return out.Bytes();
}

inline std::string ExportCd(const std::string& CdFile) {
  std::string rtf;
  const std::string stored = filtertest::AsStored(std::string_view(CdFile).substr(sizeof(WORD)));
  EXPECT_EQ(xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(stored, rtf), NOERROR);
  return rtf;
}

// The text of a CD file as LibreOffice writes a document's text: a line for each paragraph and
// for each table cell, the text of links, nothing for pictures.
inline std::string CdTextLines(const std::string& CdFile) {
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

// Text made comparable: without a byte order mark and carriage returns, without the blanks at
// the ends of lines and the empty lines at the end, without a list marker ("• ", "1. ", "a) ")
// at the start of a line.
inline std::string NormalisedText(std::string Text) {
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
