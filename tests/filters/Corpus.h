#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace corpustest {

// The corpus: RTF written by LibreOffice, pandoc and by hand (tests/data/rtf/corpus/rtf), with
// LibreOffice's text and XHTML of each in golden/.
std::filesystem::path CorpusDir();
// The names of the corpus documents without ".rtf", sorted.
std::vector<std::string> CorpusDocuments();
std::string CorpusRtf(const std::string& Name);
std::string GoldenFile(const std::string& Name, const char* Extension);
// A document's name as a test name: "lo-large" is "lo_large".
std::string CaseName(const testing::TestParamInfo<std::string>& Info);

// The import of an RTF document (the CD file, type word first), and the export of such a file
// as a note holds it: after the paragraph the importer opens, with the font table, which the
// note keeps apart, in front as the export is given it.
std::string ImportRtf(const std::string& Rtf);
std::string ExportCd(const std::string& CdFile);

// The text of a CD file as LibreOffice writes a document's text: a line for each paragraph and
// for each table cell, the text of links, nothing for pictures.
std::string CdTextLines(const std::string& CdFile);

// Text made comparable: without a byte order mark and carriage returns, without the blanks at
// the ends of lines and the empty lines at the end, without a list marker ("• ", "1. ", "a) ")
// at the start of a line.
std::string NormalisedText(std::string Text);

}  // namespace corpustest
