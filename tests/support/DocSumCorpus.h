#pragma once

#include <string>

// The summary-property documents of tests/data/docsum (made by its make-corpus.sh) that several
// suites read.
namespace DocSumCorpus {

inline std::string Dir() {
  return VESK_TEST_DATA_DIR "/docsum/";
}

// What western.doc shows as its attachment description: "Title: Subject, Author".
inline std::string WesternDescription() {
  return "Gr\xC3\xB6\xC3\x9F"
         "e und Ma\xC3\x9F"
         "e: \xC3\x9C"
         "bersicht f\xC3\xBC"
         "r J\xC3\xB6"
         "rg, J\xC3\xBC"
         "rgen Gro\xC3\x9F";
}

}  // namespace DocSumCorpus
