#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/miscerr.h"
#include "notesapi/nif.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "notesapi/ostime.h"
#include "views/design/DesignBuilder.h"

namespace runtimetest {

// A field of a test document: a text, a number, a text list or a time.
using FieldValue = std::variant<std::string, double, std::vector<std::string>, TIMEDATE>;
using Fields = std::map<std::string, FieldValue>;

// One entry of a collection as NIFReadEntries returned it, summary values as texts (lists
// joined with ";", numbers as %g).
struct ReadEntry {
  NOTEID Id = 0;
  std::map<std::string, std::string> Values;
  size_t SummaryItems = 0;
};

// A database "views.nsf" open as FDb, with helpers to make documents and design notes and to
// read collections the way the object library does.
class ViewsTest : public StorageTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  NOTEID Doc(const Fields& Values, NOTEID Parent = 0);
  static void SetFields(NOTEHANDLE Note, const Fields& Values);
  void Change(NOTEID Note, const Fields& Values);
  NOTEID AddView(const notesrt::design::TViewSpec& Spec);
  // Sets the current user (canonical name) in the settings.
  static void SetUser(const std::string& Name);

  // Opens a collection of the view (failing the test when it cannot).
  HCOLLECTION Open(NOTEID View, WORD Flags = 0);
  // Opens the view, reads all of it (0x8001, pages of at most 64 KB) and closes it. Calls and
  // Evaluations, when given, receive the number of reads and the collection's evaluations.
  std::vector<ReadEntry> ReadAll(NOTEID View, size_t* Calls = nullptr,
                                 DWORD* Evaluations = nullptr);
  static std::vector<ReadEntry> Decode(const char* Buffer, size_t Size, DWORD Count);
  static std::vector<NOTEID> Ids(const std::vector<ReadEntry>& Entries);
  static std::vector<std::string> Column(const std::vector<ReadEntry>& Entries,
                                         const std::string& Name);

  DBHANDLE FDb = NULLHANDLE;
};

}  // namespace runtimetest
