#pragma once

#include <unicode/coll.h>

#include <memory>
#include <string>

#include "search/formula/Value.h"

namespace notesrt {

// Byte strings that order entries as a view does when compared with memcmp (SQLite's order
// for blobs), so the index can keep them and sort without the collator: an empty value first,
// then numbers, times and texts; texts by ICU's root collation (case and accents decide only
// between otherwise equal texts). Each key is prefix-free, so keys concatenate column by column
// and a descending column simply inverts its bytes.
class TSortKeys {
 public:
  TSortKeys();
  ~TSortKeys();
  TSortKeys(const TSortKeys&) = delete;
  TSortKeys& operator=(const TSortKeys&) = delete;

  // The key of the first element of Value.
  void Append(std::string& Key, const TValue& Value, bool Descending);
  // A final tie-break in ascending order.
  static void AppendNumber(std::string& Key, uint64_t Number, size_t Bytes);

 private:
  void AppendText(std::string& Key, const std::u16string& Text);

  std::unique_ptr<icu::Collator> FCollator;
};

}  // namespace notesrt
