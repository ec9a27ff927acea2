#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/TestedApi.h"
#include "notesapi/nsfdata.h"
#include "views/design/ViewDesign.h"

namespace notesrt {

class TDatabase;
class TNote;

namespace design {

// A view or folder to create. Selection is formula text (compiled when built); folders have
// none, and a view without one selects every document. A non-empty Owner makes it private.
struct TViewSpec {
  std::string Title;
  std::string Selection;
  std::vector<TColumnText> Columns;
  bool Folder = false;
  bool Hierarchy = false;
  std::string Owner;
};

// A form: its title and aliases, and field default formulas (field name, formula text).
struct TFormSpec {
  std::vector<std::string> Titles;
  std::vector<std::pair<std::string, std::string>> FieldDefaults;
};

// Collects design notes and writes them into a database in one transaction: all or nothing.
class NOTESRT_TESTED TDesignBuilder {
 public:
  TDesignBuilder& View(TViewSpec Spec);
  TDesignBuilder& Form(TFormSpec Spec);

  // The note IDs, in the order the notes were added. A selection that does not compile raises
  // its compile status before anything is written.
  std::vector<NOTEID> Build(const std::shared_ptr<TDatabase>& Database) const;
  // The same for the database behind a handle.
  std::vector<NOTEID> Build(DBHANDLE Database) const;

  // The items of a view or folder note, for callers that change an existing one.
  static void SetViewItems(TNote& Note, const TViewSpec& Spec);

 private:
  std::vector<TViewSpec> FViews;
  std::vector<TFormSpec> FForms;
  // Which list each added note came from, in order.
  std::vector<std::pair<bool, size_t>> FOrder;
};

}  // namespace design

}  // namespace notesrt
