#include "views/design/DesignNote.h"

#include "core/TextList.h"
#include "note/ItemName.h"
#include "notesapi/kfm.h"
#include "notesapi/names.h"
#include "text/TextFold.h"
#include "text/TextTrim.h"
#include "views/design/DesignItems.h"

namespace notesrt::design {

namespace {

std::string Join(const std::vector<std::string>& Parts) {
  std::string text;
  for (const std::string& part : Parts) text += (text.empty() ? "" : "|") + part;
  return text;
}

}  // namespace

TDesignNote::TDesignNote(const std::vector<TStoredItem>& Items) {
  for (const TStoredItem& item : Items)
    FItems.push_back(TItemView{item.Name, item.Flags, item.Type, item.Value});
}

const TItemView* TDesignNote::Find(std::string_view Name) const {
  for (const TItemView& item : FItems)
    if (SameItemName(item.Name, Name)) return &item;
  return nullptr;
}

std::string TDesignNote::Text(std::string_view Name) const {
  const TItemView* item = Find(Name);
  if (!item) return {};
  if (item->Type == TYPE_TEXT) return std::string(item->Value);
  return Join(TextList(Name));
}

std::vector<std::string> TDesignNote::TextList(std::string_view Name) const {
  const TItemView* item = Find(Name);
  if (!item) return {};
  if (item->Type == TYPE_TEXT) return {std::string(item->Value)};
  if (item->Type != TYPE_TEXT_LIST) return {};
  auto list = TTextList::Parse(item->Value.data(), item->Value.size(), false);
  return list ? list->Entries() : std::vector<std::string>{};
}

std::string TDesignNote::Raw(std::string_view Name, WORD Type) const {
  const TItemView* item = Find(Name);
  return item && item->Type == Type ? std::string(item->Value) : std::string();
}

std::string TDesignNote::Title() const {
  return Text(TitleItem);
}

bool TDesignNote::IsFolder() const {
  return Text(FlagsItem).find(FolderFlag) != std::string::npos;
}

bool TDesignNote::IsPrivate() const {
  return Text(FlagsItem).find(PrivateFlag) != std::string::npos;
}

std::string TDesignNote::Owner() const {
  return Text(OwnerItem);
}

bool TDesignNote::VisibleTo(std::string_view User) const {
  return !IsPrivate() || (!User.empty() && FoldLmbcs(Owner()) == FoldLmbcs(User));
}

std::vector<std::string> TitleParts(std::string_view Title) {
  std::vector<std::string> parts{std::string(TrimBlanks(Title))};
  if (Title.find('|') == Title.npos) return parts;
  size_t start = 0;
  while (start <= Title.size()) {
    size_t end = std::min(Title.find('|', start), Title.size());
    parts.emplace_back(TrimBlanks(Title.substr(start, end - start)));
    start = end + 1;
  }
  return parts;
}

bool TitleMatches(std::string_view Title, std::string_view Name) {
  std::string key = FoldLmbcs(TrimBlanks(Name));
  if (key.empty()) return false;
  for (const std::string& part : TitleParts(Title))
    if (FoldLmbcs(part) == key) return true;
  return false;
}

std::string MainTitle(std::string_view Title) {
  return std::string(TrimBlanks(Title.substr(0, Title.find('|'))));
}

std::string CurrentUser() {
  char name[MAXUSERNAME + 1] = {};
  return SECKFMGetUserName(name) == NOERROR ? std::string(name) : std::string();
}

}  // namespace notesrt::design
