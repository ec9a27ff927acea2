#pragma once

#include <map>
#include <string>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/lookup.h"
#include "notesapi/osmem.h"

namespace runtimetest {

// Item name to values: one value is stored as a text, several as a text list.
using TFields = std::map<std::string, std::vector<std::string>>;
// A lookup result read through the locator functions: records, their matches, and per match
// the text values of each item (empty for an item the document lacks).
using TMatchValues = std::vector<std::vector<std::string>>;
using TLookupResult = std::vector<std::vector<TMatchValues>>;

// Address books in the test's data directory, filled through the note API.
class NameLookupTest : public StorageTest {
 protected:
  static std::string Packed(const std::vector<std::string>& Strings);
  static NOTEID Save(DBHANDLE Db, const TFields& Fields);
  static NOTEID AddPerson(DBHANDLE Db, const std::string& First, const std::string& Last,
                          TFields More = {});
  static NOTEID AddGroup(DBHANDLE Db, const std::string& Name,
                         const std::vector<std::string>& Members);
  static void Append(NOTEHANDLE Note, const std::string& Name,
                     const std::vector<std::string>& Values);

  // NAMELookup on Server ("" for local), read whole; the status when it fails.
  STATUS Lookup(const std::string& Server, WORD Flags, const std::vector<std::string>& Spaces,
                const std::vector<std::string>& Names, const std::vector<std::string>& Items,
                TLookupResult& Result);
  // The first item of every match of a one-record lookup in $Users.
  std::vector<std::string> Find(const std::string& Name, WORD Flags = 0,
                                const std::string& Item = "FullName");
};

// Owns a locked lookup result.
class LockedLookup {
 public:
  explicit LockedLookup(DHANDLE Handle)
      : FHandle(Handle), FData(static_cast<char*>(OSLockObject(Handle))) {}
  ~LockedLookup() { OSUnlockObject(FHandle); }
  LockedLookup(const LockedLookup&) = delete;
  LockedLookup& operator=(const LockedLookup&) = delete;
  char* Data() const { return FData; }

 private:
  DHANDLE FHandle;
  char* FData;
};

}  // namespace runtimetest
