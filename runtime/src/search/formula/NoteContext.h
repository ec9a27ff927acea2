#pragma once

#include "search/formula/ApiContext.h"

namespace notesrt {

class TDatabase;
class TNote;

// What @DbName and @DbTitle give for a database: its path (relative to the data directory when
// it is inside it) and its title. Searches and views use them for the notes they read too.
std::string DatabasePathOf(const TDatabase& Database);
std::string DatabaseTitleOf(TDatabase& Database);

// The context of NSFComputeEvaluate with a note open in memory: FIELD assignments change the
// note's items there, as NSFItemAppend would; nothing is saved.
class TNoteContext : public TApiContext {
 public:
  explicit TNoteContext(TNote& Note) : FNote(Note) {}

  bool HasNote() const override { return true; }
  std::optional<TItemValue> ReadItem(std::string_view Name) override;
  void WriteItem(std::string_view Name, const TItemValue& Value) override;
  NOTEID NoteId() override;
  UNIVERSALNOTEID Unid() override;
  TIMEDATE Created() override;
  TIMEDATE Modified() override;
  bool IsResponse() override;
  std::string DbPath() override;
  std::string DbTitle() override;

 private:
  TNote& FNote;
};

}  // namespace notesrt
