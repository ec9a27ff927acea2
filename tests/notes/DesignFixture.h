#pragma once

#include <map>
#include <string>
#include <vector>

#include "StorageFixture.h"

// A test database with helpers that write view, folder and form design notes through the
// published API, as a designer's tool would.
class DesignFixture : public StorageFixture {
 protected:
  static constexpr char User[] = "CN=Jane Doe/O=Acme";

  // A view titled Title ("Title|Alias|..."): Selection is its selection formula ("" for none),
  // each column "ItemName|Formula|Flags", Flags its design flags ("V" makes it the current
  // user's private view).
  NOTEID CreateView(const std::string& Title, const std::string& Selection,
                    const std::vector<std::string>& Columns, const std::string& Flags = "");
  // A form titled Title with the given text items.
  NOTEID CreateForm(const std::string& Title, const std::map<std::string, std::string>& Items);
  // A saved document with the given text items.
  NOTEID CreateDocument(const std::map<std::string, std::string>& Items);
  // The note IDs of a collection, in order.
  static std::vector<NOTEID> IDs(const TNotesDocumentCollection& Collection);
  // The same in ascending order, for finders that promise no order.
  static std::vector<NOTEID> SortedIDs(const TNotesDocumentCollection& Collection);
};
