// The import and the export together: what the import made comes back the same after an export
// and another import, and an export of that is the export it came from.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Corpus.h"
#include "FileText.h"
#include "FilterFixture.h"

namespace {

using corpustest::ExportCd;
using corpustest::ImportRtf;

const char* const Documents[] = {
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Liberation "
    "Serif;}{\\f2\\fmodern "
    "Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
    "\\pard\\qc\\b\\fs32 Title\\par\\pard\\li720\\fi-360\\sa120 {\\i it}{\\ul u}{\\strike "
    "s}{\\super 2}{\\sub i}"
    "{\\cf1 red}{\\cf2\\f1 serif}{\\f2 mono} \\u8364\\'3f caf\\'e9\\par"
    "\\pard\\ls1{\\listtext \\'95\\tab}one\\par\\pard\\ls2{\\listtext 1.\\tab}two\\par"
    "\\pard see {\\field{\\*\\fldinst HYPERLINK \"https://x.example/?a=1&b=2\"}{\\fldrslt here}} "
    "and "
    "{\\field{\\*\\fldinst HYPERLINK \"mailto:a@b.example\"}{\\fldrslt mail}}\\par"
    "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl a\\cell {\\b b}\\cell c\\cell\\row"
    "\\trowd\\cellx2000\\cellx4000\\cellx6000\\pard\\intbl d\\cell e\\cell f\\cell\\row\\pard "
    "after\\par}",
    "{\\rtf1\\ansi\\par\\par first after two empty paragraphs}",
    "{\\rtf1\\ansi an empty last paragraph\\par\\par}",
    "{\\rtf1\\ansi\\trowd\\cellx1001\\cellx2002\\cellx3337\\intbl a\\cell b\\cell "
    "c\\cell\\row\\pard\\par}",
    "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset204 Arial Cyr;}}\\f0 \\'cf\\'f0\\'e8\\par "
    "\\u20013\\u25991 "
    "\\u-10179\\u-8704 x\\tab y}",
    // A fixed face's name with a control character, a noncharacter in a name, a margin left of
    // the inch, a link to a UNC path.
    R"({\rtf1\ansi\uc0{\fonttbl{\f0\fnil Cour)"
    "\x01"
    R"(ier New;}{\f1\fnil X\u-1 Y;}}\f0 a\f1 b\par\pard\li-720\fi-720 c)"
    R"({\field{\*\fldinst HYPERLINK "\\\\\\\\srv\\\\x"}{\fldrslt d}}\par})",
};

}  // namespace

// For records X the import made, export(import(export(X))) is export(X); for the document R,
// import(export(import(R))) is import(R): the documents above, the newsletter, the platform's
// RTF files and the corpus.
TEST(RoundTrip, ImportExportImportGivesTheSameRecords) {
  std::vector<std::pair<std::string, std::string>> inputs;
  for (const char* document : Documents) inputs.emplace_back("document", document);
  inputs.emplace_back("newsletter",
                      vesktest::ReadFileText(std::string(GOLDEN_DIR) + "/newsletter.rtf"));
  for (const auto& entry : std::filesystem::directory_iterator(VESK_TEST_DATA_DIR "/rtf"))
    if (entry.path().extension() == ".rtf")
      inputs.emplace_back(entry.path().filename(), vesktest::ReadFileText(entry.path()));
  for (const std::string& name : corpustest::CorpusDocuments())
    inputs.emplace_back(name, corpustest::CorpusRtf(name));
  for (size_t i = 0; i < inputs.size(); ++i) {
    SCOPED_TRACE(inputs[i].first + " " + std::to_string(i));
    const std::string first = ImportRtf(inputs[i].second);
    const std::string exported = ExportCd(first);
    const std::string second = ImportRtf(exported);
    EXPECT_EQ(filtertest::Describe(second), filtertest::Describe(first));
    EXPECT_TRUE(second == first) << "the records differ beyond what Describe shows";
    EXPECT_EQ(ExportCd(second), exported);
  }
}
