#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "storage/ItemCodec.h"
#include "storage/StoredNote.h"

namespace notesrt::design {

// What the runtime reads from the items of a design note (views, folders, forms), by the item
// names of DesignItems.h. A missing item reads as empty.
class TDesignNote {
 public:
  explicit TDesignNote(std::vector<TItemView> Items) : FItems(std::move(Items)) {}
  // Borrows the items: they must outlive this object.
  explicit TDesignNote(const std::vector<TStoredItem>& Items);

  // A TYPE_TEXT item, or the entries of a TYPE_TEXT_LIST joined by "|" (form titles).
  std::string Text(std::string_view Name) const;
  // The entries of a text list; a TYPE_TEXT item gives one entry.
  std::vector<std::string> TextList(std::string_view Name) const;
  // The value of the first item of Name, without its type word; empty when there is none.
  std::string Raw(std::string_view Name, WORD Type) const;

  std::string Title() const;
  bool IsFolder() const;
  bool IsPrivate() const;
  std::string Owner() const;
  // Shared, or private to User (canonical, compared without regard to case).
  bool VisibleTo(std::string_view User) const;

 private:
  const TItemView* Find(std::string_view Name) const;

  std::vector<TItemView> FItems;
};

// The parts a name matches a title by: the whole title and each "|"-separated part, trimmed.
std::vector<std::string> TitleParts(std::string_view Title);
// Name against Title, without regard to case (LMBCS).
bool TitleMatches(std::string_view Title, std::string_view Name);
// The title without its aliases: the text before the first "|", trimmed.
std::string MainTitle(std::string_view Title);
// The current user's canonical name; "" when none is configured.
std::string CurrentUser();

}  // namespace notesrt::design
