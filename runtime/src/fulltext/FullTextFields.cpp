#include "fulltext/FullTextFields.h"

#include <algorithm>
#include <unordered_map>

#include "note/ItemText.h"
#include "notesapi/nsfdata.h"
#include "notesapi/nsfnote.h"
#include "text/TextFold.h"

namespace notesrt {

namespace {

bool IsSearchable(WORD Type) {
  return Type == TYPE_TEXT || Type == TYPE_TEXT_LIST || Type == TYPE_COMPOSITE;
}

// NUL is Notes' line break inside text and ends rich-text paragraphs; as a line break it keeps
// the words on either side apart.
std::string SearchableText(const TStoredItem& Item) {
  std::string text = LmbcsToUtf8(ValueToText(Item.Type, Item.Value, '\n'));
  std::replace(text.begin(), text.end(), '\0', '\n');
  return text;
}

// Positions by key, so that a note with many items is grouped in one pass.
TFullTextField& FieldFor(std::vector<TFullTextField>& Fields,
                         std::unordered_map<std::string, size_t>& Positions, std::string Key) {
  auto [position, added] = Positions.try_emplace(Key, Fields.size());
  if (added) Fields.push_back(TFullTextField{std::move(Key), ""});
  return Fields[position->second];
}

}  // namespace

std::string FullTextFieldKey(std::string_view Utf8Name) {
  std::string key(Utf8Name);
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return key;
}

std::vector<TFullTextField> FullTextFields(const TStoredNote& Note) {
  std::vector<TFullTextField> fields;
  std::unordered_map<std::string, size_t> positions;
  const TNoteHeader& header = Note.Header;
  if (header.Class != NOTE_CLASS_DOCUMENT || !header.ProfileName.empty()) return fields;
  for (const TStoredItem& item : Note.Items) {
    if (!IsSearchable(item.Type)) continue;
    std::string text = SearchableText(item);
    if (text.empty()) continue;
    TFullTextField& field = FieldFor(fields, positions, FullTextFieldKey(LmbcsToUtf8(item.Name)));
    if (!field.Text.empty()) field.Text += '\n';
    field.Text += text;
  }
  return fields;
}

}  // namespace notesrt
