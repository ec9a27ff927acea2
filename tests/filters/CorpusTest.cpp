// The corpus against LibreOffice's golden renderings of it, without any peer installed (the
// round trip of its documents is in RoundTripTest).
#include <gtest/gtest.h>

#include "Corpus.h"

namespace {

using namespace corpustest;

class Corpus : public testing::TestWithParam<std::string> {};

// Our import read back as text is the text LibreOffice shows of the document.
TEST_P(Corpus, ImportedTextIsLibreOfficesText) {
  const std::string cd = ImportRtf(CorpusRtf(GetParam()));
  EXPECT_EQ(NormalisedText(CdTextLines(cd)), NormalisedText(GoldenFile(GetParam(), ".txt")));
}

INSTANTIATE_TEST_SUITE_P(Documents, Corpus, testing::ValuesIn(CorpusDocuments()), CaseName);

}  // namespace
