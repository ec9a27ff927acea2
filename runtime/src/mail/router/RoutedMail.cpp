#include "mail/router/RoutedMail.h"

#include <algorithm>
#include <cstdio>

#include "core/TextList.h"
#include "note/ItemName.h"
#include "note/ItemValue.h"
#include "note/Note.h"
#include "note/NoteWriter.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/StoredValue.h"
#include "text/TimeConversion.h"

namespace notesrt::router {

std::vector<std::string> TextsOf(const std::vector<TStoredItem>& Items, std::string_view Name) {
  std::vector<std::string> texts;
  auto item = std::find_if(Items.begin(), Items.end(),
                           [&](const TStoredItem& Item) { return SameItemName(Item.Name, Name); });
  if (item == Items.end()) return texts;
  for (size_t index = 0; index < TextEntryCount(item->Type, item->Value); ++index)
    texts.emplace_back(TextEntry(item->Type, item->Value, index).value_or(""));
  return texts;
}

TRoutedMail::TRoutedMail(std::shared_ptr<TDatabase> Source, TStoredNote Stored)
    : FSource(std::move(Source)), FStored(std::move(Stored)) {}

TRoutedMail TRoutedMail::Load(const std::shared_ptr<TDatabase>& Source, NOTEID Id) {
  return TRoutedMail(Source, Source->Notes().Load(Id));
}

std::string TRoutedMail::UnidText() const {
  const ORIGINATORID& oid = FStored.Header.Oid;
  char text[33];
  std::snprintf(text, sizeof text, "%08X%08X%08X%08X", static_cast<unsigned>(oid.File[1]),
                static_cast<unsigned>(oid.File[0]), static_cast<unsigned>(oid.Note.Innards[1]),
                static_cast<unsigned>(oid.Note.Innards[0]));
  return text;
}

std::vector<std::string> TRoutedMail::Texts(std::string_view Name) const {
  return TextsOf(FStored.Items, Name);
}

std::string TRoutedMail::Text(std::string_view Name) const {
  std::vector<std::string> texts = Texts(Name);
  return texts.empty() ? std::string() : texts.front();
}

bool TRoutedMail::Has(std::string_view Name) const {
  return std::any_of(FStored.Items.begin(), FStored.Items.end(),
                     [&](const TStoredItem& Item) { return SameItemName(Item.Name, Name); });
}

std::vector<TStoredItem> TRoutedMail::ItemsNamed(std::string_view Name) const {
  std::vector<TStoredItem> items;
  for (const TStoredItem& item : FStored.Items)
    if (SameItemName(item.Name, Name)) items.push_back(item);
  return items;
}

void TRoutedMail::SetText(std::string_view Name, std::string_view Value) {
  Put(Name, TYPE_TEXT, std::string(Value));
}

void TRoutedMail::SetTexts(std::string_view Name, const std::vector<std::string>& Values) {
  Put(Name, TYPE_TEXT_LIST, TTextList::ValueOf(Values));
}

void TRoutedMail::SetTextsShortened(std::string_view Name, const std::vector<std::string>& Values,
                                    size_t MaxBytes) {
  // Each entry costs its text and a length word; the marker needs room of its own.
  constexpr size_t MarkerRoom = 40;
  std::vector<std::string> kept;
  size_t used = 0;
  for (const std::string& value : Values) {
    if (used + value.size() + sizeof(WORD) + MarkerRoom > MaxBytes) break;
    used += value.size() + sizeof(WORD);
    kept.push_back(value);
  }
  if (kept.size() < Values.size())
    kept.push_back("... and " + std::to_string(Values.size() - kept.size()) + " more");
  SetTexts(Name, kept);
}

void TRoutedMail::SetTime(std::string_view Name, const TIMEDATE& Value) {
  Put(Name, TYPE_TIME, std::string(BytesOf(Value)));
}

void TRoutedMail::Remove(std::string_view Name) {
  std::erase_if(FStored.Items,
                [&](const TStoredItem& Item) { return SameItemName(Item.Name, Name); });
}

void TRoutedMail::Append(const TStoredItem& Item) {
  FStored.Items.push_back(Item);
}

// Items before the first one of Name have other names, so removing every item of Name leaves
// the first one's position free for the new one.
void TRoutedMail::Put(std::string_view Name, WORD Type, std::string Value) {
  auto first = std::find_if(FStored.Items.begin(), FStored.Items.end(),
                            [&](const TStoredItem& Item) { return SameItemName(Item.Name, Name); });
  auto position = first - FStored.Items.begin();
  Remove(Name);
  FStored.Items.insert(
      FStored.Items.begin() + position,
      TStoredItem{std::string(Name), ITEM_SUMMARY, Type, std::move(Value), CurrentTimeDate()});
}

NOTEID TRoutedMail::SaveCopy(const std::shared_ptr<TDatabase>& Target,
                             const ORIGINATORID& Oid) const {
  TNoteHeader header = FStored.Header;
  header.Id = 0;
  header.Oid = Oid;
  // Loaded against the source, so that attachment objects are read from there.
  TNote note(FSource, NULLHANDLE, header);
  note.Load(FStored.Items);
  note.Retarget(NULLHANDLE, Target);
  SaveNote(note);
  return note.Header().Id;
}

void TRoutedMail::Save() const {
  TNote note(FSource, NULLHANDLE, FStored.Header);
  note.Load(FStored.Items);
  SaveNote(note);
}

}  // namespace notesrt::router
