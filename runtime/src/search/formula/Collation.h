#pragma once

#include <unicode/coll.h>

#include <memory>
#include <string_view>

namespace notesrt {

// Orders texts for < > and @Sort with ICU's root collation (letters before their accented and
// upper-case forms, at all strengths), the same on every machine. The collator is opened on
// first use and kept for the evaluations that follow.
class TCollation {
 public:
  TCollation();
  ~TCollation();
  TCollation(const TCollation&) = delete;
  TCollation& operator=(const TCollation&) = delete;

  // Negative, zero or positive.
  int Compare(std::u16string_view A, std::u16string_view B);

 private:
  std::unique_ptr<icu::Collator> FCollator;
};

}  // namespace notesrt
