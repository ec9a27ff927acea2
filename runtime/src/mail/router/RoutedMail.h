#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/StoredNote.h"

namespace notesrt {

class TDatabase;

namespace router {

// The entries of the first text or text-list item of Name; nothing when there is none or it
// has another type.
std::vector<std::string> TextsOf(const std::vector<TStoredItem>& Items, std::string_view Name);

// A mail as a router mailbox holds it, read whole so that the router can change its items for
// one recipient and store a copy elsewhere. Attachment objects are read from the database it
// came from.
class TRoutedMail {
 public:
  TRoutedMail(std::shared_ptr<TDatabase> Source, TStoredNote Stored);
  static TRoutedMail Load(const std::shared_ptr<TDatabase>& Source, NOTEID Id);

  NOTEID Id() const { return FStored.Header.Id; }
  const ORIGINATORID& Oid() const { return FStored.Header.Oid; }
  // The UNID as 32 hexadecimal digits: the key the router's logs know the mail by.
  std::string UnidText() const;

  // The entries of a text or text-list item; nothing when it is missing or of another type.
  std::vector<std::string> Texts(std::string_view Name) const;
  // The first entry, or "".
  std::string Text(std::string_view Name) const;
  bool Has(std::string_view Name) const;
  // The items of Name, in note order.
  std::vector<TStoredItem> ItemsNamed(std::string_view Name) const;

  // Each replaces every item of Name, in the place of the first one (else at the end), as a
  // summary item.
  void SetText(std::string_view Name, std::string_view Value);
  void SetTexts(std::string_view Name, const std::vector<std::string>& Values);
  // For what the router writes about a mail (reasons, names in a report): the entries that fit
  // in MaxBytes, the last of them replaced by "... and N more" when some had to be left out.
  void SetTextsShortened(std::string_view Name, const std::vector<std::string>& Values,
                         size_t MaxBytes = 16384);
  void SetTime(std::string_view Name, const TIMEDATE& Value);
  void Remove(std::string_view Name);
  void Append(const TStoredItem& Item);

  // Stores a copy under Oid in Target, items in order and attachment objects copied, in the
  // current write of Target (or one of its own). Returns its note ID there.
  NOTEID SaveCopy(const std::shared_ptr<TDatabase>& Target, const ORIGINATORID& Oid) const;
  // Writes the changed items back over the mail where it came from.
  void Save() const;

 private:
  void Put(std::string_view Name, WORD Type, std::string Value);

  std::shared_ptr<TDatabase> FSource;
  TStoredNote FStored;
};

}  // namespace router

}  // namespace notesrt
