// The corpus against LibreOffice's golden renderings of it, and the import and export against
// each other, without any peer installed.
#include <gtest/gtest.h>

#include "Corpus.h"
#include "FilterFixture.h"

namespace {

using namespace corpustest;

class Corpus : public testing::TestWithParam<std::string> {};

// Our import read back as text is the text LibreOffice shows of the document.
TEST_P(Corpus, ImportedTextIsLibreOfficesText) {
  const std::string cd = ImportRtf(CorpusRtf(GetParam()));
  EXPECT_EQ(NormalisedText(CdTextLines(cd)), NormalisedText(GoldenFile(GetParam(), ".txt")));
}

// For records X the import made, export(import(export(X))) is export(X); for the document R,
// import(export(import(R))) is import(R).
TEST_P(Corpus, ExportAndImportAreFixedPointsOfEachOther) {
  const std::string imported = ImportRtf(CorpusRtf(GetParam()));
  const std::string exported = ExportCd(imported);
  const std::string again = ImportRtf(exported);
  EXPECT_EQ(filtertest::Describe(again), filtertest::Describe(imported));
  EXPECT_TRUE(again == imported) << "the records differ beyond what Describe shows";
  EXPECT_EQ(ExportCd(again), exported);
}

INSTANTIATE_TEST_SUITE_P(Documents, Corpus, testing::ValuesIn(CorpusDocuments()), CaseName);

}  // namespace
