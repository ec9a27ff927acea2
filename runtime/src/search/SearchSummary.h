#pragma once

#include <string>
#include <string_view>

#include <vector>

#include "core/TestedApi.h"
#include "notesapi/nsfdata.h"
#include "storage/ItemCodec.h"

namespace notesrt {

// Builds a summary buffer (ITEM_TABLE, ITEM descriptors, then names and values) that never
// grows past a limit: an item that would push it further is left out and the table remembers
// that it was cut.
class NOTESRT_TESTED TSummaryTable {
 public:
  explicit TSummaryTable(size_t Limit = 0xFFFF) : FLimit(Limit) {}

  // Value is the item's bytes without the type word.
  void Add(std::string_view Name, WORD Type, std::string_view Value);
  // As Add, for a value that already starts with its type word.
  void AddTyped(std::string_view Name, std::string_view TypedValue);
  std::string Bytes() const;
  bool Truncated() const { return FTruncated; }
  size_t Items() const { return FItems; }

  // The same items as Table (a buffer Bytes made), keeping only those the filter accepts and
  // that fit Limit; used to cut an entry that does not fit a reader's buffer.
  template <class TFilter>
  static TSummaryTable Copy(std::string_view Table, size_t Limit, TFilter&& Keep);
  // The table of a note's items straight into Out, with no copy in between (a search makes one
  // per note): the same items Add would keep, in order. True when some were left out.
  static bool WriteItems(const std::vector<TItemView>& Items, size_t Limit, std::string& Out);
  // The Index-th item of Table: its name and typed value; false when there is none.
  static bool ItemAt(std::string_view Table, size_t Index, std::string_view& Name,
                     std::string_view& TypedValue);

 private:
  bool Fits(size_t NameLength, size_t ValueLength);

  static constexpr size_t HeaderSize = 4;
  static constexpr size_t DescriptorSize = 4;

  size_t FLimit;
  size_t FItems = 0;
  bool FTruncated = false;
  std::string FDescriptors;
  std::string FData;
};

template <class TFilter>
TSummaryTable TSummaryTable::Copy(std::string_view Table, size_t Limit, TFilter&& Keep) {
  TSummaryTable copy(Limit);
  std::string_view name;
  std::string_view value;
  for (size_t index = 0; ItemAt(Table, index, name, value); ++index)
    if (Keep(index, name)) copy.AddTyped(name, value);
  return copy;
}

}  // namespace notesrt
