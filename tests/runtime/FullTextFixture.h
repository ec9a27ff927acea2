#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "StorageFixture.h"
#include "notesapi/ft.h"

namespace runtimetest {

// What one FTSearch returned, read from its results block.
struct FtOutcome {
  STATUS Status = NOERROR;
  DWORD Count = 0;
  bool HadResults = false;
  WORD Flags = 0;
  std::vector<NOTEID> Ids;
  std::vector<BYTE> Scores;
  size_t BlockSize = 0;
};

using Ids = std::vector<NOTEID>;
using Fields = std::initializer_list<std::pair<std::string, std::string>>;

// A database ft.nsf open for each test, documents made from item names and texts, and searches
// that read the published results block and free every handle.
class FullTextTest : public StorageTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  DBHANDLE Db() const { return FDb->Get(); }
  // Closes the database, so that the file is read afresh, and opens it again.
  void Reopen();
  // A saved document with one TYPE_TEXT item per field (texts in UTF-8).
  NOTEID AddDocument(Fields Items);
  // Replaces the text of one item of a saved note.
  void Rewrite(NOTEID Id, const std::string& Name, const std::string& Utf8);

  FtOutcome Search(const std::string& Utf8Query,
                   DWORD Options = FT_SEARCH_SCORES | FT_SEARCH_STEM_WORDS, WORD Limit = 0,
                   DHANDLE Refine = NULLHANDLE);
  // The note IDs found, sorted, for tests that do not look at the order.
  std::vector<NOTEID> Found(const std::string& Utf8Query);

 private:
  std::unique_ptr<DbRef> FDb;
};

std::vector<NOTEID> Sorted(std::vector<NOTEID> Ids);

}  // namespace runtimetest
