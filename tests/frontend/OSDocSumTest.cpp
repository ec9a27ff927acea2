// Summary properties of compound documents: what office programs write, code pages, embedded
// objects, read-only files, and damaged files, which give false without a crash or a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <random>
#include <sstream>

#include "ByteOrder.h"
#include "CompoundFile.h"
#include "CompoundFileBuilder.h"
#include "FileText.h"
#include "OSDocSum.h"
#include "PropertySet.h"
#include "ScopedEnv.h"
#include "TempDir.h"

namespace {

using namespace vesktest;

constexpr uint64_t March5 = 126913252200000000;  // 2003-03-05 08:07 UTC
constexpr uint64_t July5 = 127018660200000000;   // 2003-07-05 08:07 UTC

// A summary with every property, in the order libgsf writes them.
std::vector<TProperty> Summary(const std::string& Prefix, int16_t CodePage = 1252) {
  return {I2(1, CodePage),
          Lpstr(7, Prefix + "Normal.dot"),
          Lpstr(8, Prefix + "Last"),
          Lpstr(2, Prefix + "Title"),
          Lpstr(3, Prefix + "Subject"),
          FileTime(13, March5),
          Lpstr(4, Prefix + "Author")};
}

std::string Document(const std::vector<TProperty>& Properties, int Version = 3) {
  return BuildCompoundFile({{u"\005SummaryInformation", SummaryStream(Properties)}}, Version);
}

std::vector<std::string> Fields(const TOSDocSummary& S) {
  return {S.Author(), S.Title(), S.Subject(), S.LastAuthor(), S.Template(), S.LastSaved()};
}

class OSDocSumTest : public testing::Test {
 protected:
  TempDir FDir;
  ScopedTimeZone FUtc{"UTC"};
};

const std::string WordDocument(200000, 'w');

struct TReadCase {
  const char* Name;
  std::string File;
  std::vector<std::string> Expected;  // Author, Title, Subject, LastAuthor, Template, LastSaved
};

// Code pages 1200 and 65001 and long titles are in the corpus documents below.
std::vector<TReadCase> ReadCases() {
  const std::string saved = "5.3.2003 um 8:7 Uhr";
  return {
      {"4096-byte sectors",
       Document(Summary(""), 4),
       {"Author", "Title", "Subject", "Last", "Normal.dot", saved}},
      {"UTF-16 strings",
       Document({I2(1, 1252), Lpwstr(3, u"\u62A5\u544A")}),
       {"", "", "\xE6\x8A\xA5\xE5\x91\x8A", "", "", ""}},
      {"no code page, UTF-8",
       Document({Lpstr(4, "Gr\u00fc\u00dfe")}),
       {"Gr\u00fc\u00dfe", "", "", "", "", ""}},
      {"no code page, not UTF-8",
       Document({Lpstr(4, "Gr\xFC\xDF\x65")}),
       {"Gr\u00fc\u00dfe", "", "", "", "", ""}},
      {"a string ends at its first NUL",
       Document({Lpstr(2, std::string("abc\0junk", 8))}),
       {"", "abc", "", "", "", ""}},
      {"empty, absent and VT_EMPTY values",
       Document({Lpstr(2, ""), TProperty{8, 0, ""}, FileTime(13, 0)}),
       {"", "", "", "", "", ""}},
      // A large stream beside the summary, and an embedded object whose own summary a flat scan
      // of the directory would find first.
      {"embedded object and a large stream",
       BuildCompoundFile(
           {{u"ObjectPool", TStorageEntry::TStreams{{u"\005SummaryInformation",
                                                     SummaryStream(Summary("Embedded "))}}},
            {u"WordDocument", WordDocument},
            {u"\005SummaryInformation", SummaryStream(Summary(""))}}),
       {"Author", "Title", "Subject", "Last", "Normal.dot", saved}},
  };
}

TEST_F(OSDocSumTest, ReadsTheSixPropertiesByTypeAndCodePage) {
  for (const TReadCase& c : ReadCases()) {
    SCOPED_TRACE(c.Name);
    TOSDocSummary summary(FDir.Write("case.doc", c.File));
    EXPECT_TRUE(summary.IsSSFile());
    EXPECT_EQ(Fields(summary), c.Expected);
    EXPECT_EQ(summary.PropSpec().PropId, 13u);  // the last one read
  }
  // Only the sectors needed are read: not the 200 KB stream.
  TCompoundFile file(FDir.Write("large.doc", ReadCases().back().File));
  ASSERT_TRUE(file.ReadRootStream(u"\005summaryinformation"));
  EXPECT_LT(file.BytesRead(), 8192u);
}

// "2003-03-05 08:07" as LastSaved shows it under UTC; "" stays "".
std::string SaveTimeText(const std::string& Utc) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  if (std::sscanf(Utc.c_str(), "%d-%d-%d %d:%d", &year, &month, &day, &hour, &minute) != 5)
    return Utc;
  return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year) + " um " +
         std::to_string(hour) + ":" + std::to_string(minute) + " Uhr";
}

// Documents LibreOffice and libgsf wrote (tests/data/docsum/make-corpus.sh), read as
// python3-olefile and exiftool read them when they were made: the time saved in UTC.
TEST_F(OSDocSumTest, LibreOfficeAndLibgsfDocumentsReadAsThePeersReadThem) {
  const std::filesystem::path corpus = std::filesystem::path(VESK_TEST_DATA_DIR) / "docsum";
  std::istringstream expected(ReadFileText(corpus / "expected.tsv"));
  int files = 0;
  for (std::string line; std::getline(expected, line); ++files) {
    std::vector<std::string> fields;
    for (size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
      tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
    }
    ASSERT_EQ(fields.size(), 7u) << line;
    SCOPED_TRACE(fields[0]);
    fields[6] = SaveTimeText(fields[6]);
    const TOSDocSummary summary((corpus / fields[0]).string());
    EXPECT_TRUE(summary.IsSSFile());
    EXPECT_EQ(Fields(summary), std::vector<std::string>(fields.begin() + 1, fields.end()));
  }
  EXPECT_GE(files, 14);
  // Saved at 2003-03-05 08:07 UTC, by LibreOffice and by libgsf.
  ScopedTimeZone berlin(std::filesystem::exists("/usr/share/zoneinfo/Europe/Berlin")
                            ? "Europe/Berlin"
                            : "CET-1CEST,M3.5.0,M10.5.0/3");
  for (const char* name : {"saved-2003-03-05.doc", "gsf-1252.doc"})
    EXPECT_EQ(TOSDocSummary((corpus / name).string()).LastSaved(), "5.3.2003 um 9:7 Uhr") << name;
  EXPECT_EQ(FormatSaveTime(July5), "5.7.2003 um 10:7 Uhr") << "in summer time";
}

TEST_F(OSDocSumTest, WhatIsNoCompoundDocumentGivesFalseAndEmptyValues) {
  const std::string readOnly = FDir.Write("read-only.doc", Document(Summary("")));
  chmod(readOnly.c_str(), 0400);
  TOSDocSummary summary(readOnly);
  EXPECT_TRUE(summary.IsSSFile()) << "a read-only document is read";
  EXPECT_FALSE(summary.SetSubject("new"));
  EXPECT_EQ(summary.Subject(), "Subject");
  const std::pair<const char*, std::string> cases[] = {
      {"text file", FDir.Write("notes.txt", "plain text\n")},
      {"empty file", FDir.Write("empty.doc", "")},
      {"missing file", (FDir.Path() / "missing.doc").string()},
      {"directory", FDir.Path().string()},
      {"no summary stream", FDir.Write("bare.doc", BuildCompoundFile({{u"WordDocument", "x"}}))}};
  for (const auto& [name, path] : cases) {
    EXPECT_FALSE(summary.GetSummaryInfo(path)) << name;
    EXPECT_FALSE(summary.IsSSFile()) << name;
    EXPECT_EQ(Fields(summary), std::vector<std::string>(6)) << name;
  }
}

TEST_F(OSDocSumTest, DamagedFilesGiveFalse) {
  TCompoundLayout small, large;
  const std::string smallFile =
      BuildCompoundFile({{u"\005SummaryInformation", SummaryStream(Summary(""))}}, 3, &small);
  // Over 109 FAT sectors, so that the FAT needs a DIFAT sector; the summary is large too.
  std::vector<TProperty> padded = Summary("");
  padded.push_back(Lpstr(19, std::string(5000, 'p')));
  const std::string largeFile = BuildCompoundFile(
      {{u"\005SummaryInformation", SummaryStream(padded)}, {u"Data", std::string(7500000, 'd')}}, 3,
      &large);
  ASSERT_NE(large.FirstDifatSector, 0xFFFFFFFEu);
  const uint64_t summaryAt = small.SectorOffset(small.FirstMiniStreamSector);
  const uint64_t rootEntry = small.SectorOffset(small.FirstDirectorySector);
  const struct {
    const char* Name;
    bool Large;
    std::function<void(std::string&)> Damage;
  } cases[] = {
      {"sector shift 10", false, [](std::string& B) { B[0x1E] = 10; }},
      {"cut inside the header", false, [](std::string& B) { B.resize(300); }},
      {"cut before the directory", false, [&](std::string& B) { B.resize(rootEntry); }},
      {"FAT cycle", true,
       [&](std::string& B) {
         const uint32_t s = large.StreamStarts[0];
         PutLE32At(B, large.SectorOffset(s / 128) + 4 * (s % 128), s);
       }},
      {"DIFAT cycle", true,
       [&](std::string& B) {
         PutLE32At(B, large.SectorOffset(large.FirstDifatSector) + 508, large.FirstDifatSector);
         PutLE32At(B, 0x48, 2);  // claims two DIFAT sectors, the second being the first
         PutLE32At(B, 0x2C, 109 + 127 + 5);
       }},
      {"mini FAT cycle", false,
       [&](std::string& B) { PutLE32At(B, small.SectorOffset(small.FirstMiniFatSector), 0); }},
      {"directory tree cycle", false,
       [&](std::string& B) {
         B[rootEntry + 128] = 'X';  // the only child no longer matches, and is its own sibling
         PutLE32At(B, rootEntry + 128 + 0x44, 1);
       }},
      {"stream start past the end", false,
       [&](std::string& B) { PutLE32At(B, rootEntry + 0x74, 0x00FFFFF0); }},
      {"4 GB stream in a small file", false,
       [&](std::string& B) { PutLE32At(B, rootEntry + 128 + 0x78, 0xFFFFFFF0); }},
      {"2^31 properties", false,
       [&](std::string& B) { PutLE32At(B, summaryAt + 48 + 4, 0x80000000); }},
      {"a string of 2^32-1 bytes", false,
       [&](std::string& B) {
         // The first property after the code page is the template's string.
         const size_t at = B.find("Normal.dot", summaryAt);
         PutLE32At(B, at - 4, 0xFFFFFFFF);
       }},
  };
  for (const auto& c : cases) {
    std::string bytes = c.Large ? largeFile : smallFile;
    c.Damage(bytes);
    TOSDocSummary summary;
    EXPECT_FALSE(summary.GetSummaryInfo(FDir.Write("damaged.doc", bytes))) << c.Name;
    EXPECT_FALSE(summary.IsSSFile()) << c.Name;
  }
}

// Reads what a file holds without the summary object, straight from memory.
bool ReadsWithoutCrashing(const std::string& Bytes) {
  try {
    TCompoundFile file(Bytes, "memory");
    const auto stream = file.ReadRootStream(u"\005SummaryInformation");
    if (!stream) return false;
    const auto section = TPropertySection::Find(*stream, FmtIdSummaryInformation, "memory");
    if (!section) return false;
    for (uint32_t id : {4, 2, 3, 8, 7}) section->Text(id);
    section->FileTime(13);
    return true;
  } catch (const ECompoundFile&) {
    return false;
  }
}

TEST_F(OSDocSumTest, CutAndFlippedFilesNeverCrash) {
  TCompoundLayout layout;
  const std::string summary = SummaryStream(Summary("Cut "));
  const std::string file = BuildCompoundFile({{u"\005SummaryInformation", summary}}, 3, &layout);
  ASSERT_TRUE(ReadsWithoutCrashing(file));
  // Cut anywhere before the summary's last byte, the file is never read.
  const uint64_t summaryEnd = layout.SectorOffset(layout.FirstMiniStreamSector) + summary.size();
  for (size_t size = 0; size < summaryEnd; size += 64)
    EXPECT_FALSE(ReadsWithoutCrashing(file.substr(0, size))) << size << " bytes";
  std::mt19937 random(42);
  for (int flip = 0; flip < 1000; ++flip) {
    std::string bytes = file;
    bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
    ReadsWithoutCrashing(bytes);
  }
}

}  // namespace
