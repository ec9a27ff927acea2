#include "NotesItemValues.h"

std::vector<TItemValue> ItemValuesAfter(NOTEHANDLE Note, const std::string& LmbcsName,
                                        BLOCKID After) {
  std::vector<TItemValue> values;
  const auto nameLength = static_cast<WORD>(LmbcsName.size());
  TItemValue value;
  STATUS status = ISNULLBLOCKID(After)
                      ? NSFItemInfo(Note, LmbcsName.data(), nameLength, &value.Item,
                                    &value.DataType, &value.Value, &value.Length)
                      : NSFItemInfoNext(Note, After, LmbcsName.data(), nameLength, &value.Item,
                                        &value.DataType, &value.Value, &value.Length);
  while (status == NOERROR) {
    values.push_back(value);
    status = NSFItemInfoNext(Note, value.Item, LmbcsName.data(), nameLength, &value.Item,
                             &value.DataType, &value.Value, &value.Length);
  }
  return values;
}
