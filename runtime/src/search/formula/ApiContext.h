#pragma once

#include "search/formula/FormulaContext.h"

namespace notesrt {

// The context of NSFComputeEvaluate without a note: no items, no document, but the current
// user as the runtime's settings name it.
class TApiContext : public IFormulaContext {
 public:
  bool HasNote() const override { return false; }
  std::optional<TItemValue> ReadItem(std::string_view) override { return std::nullopt; }
  void WriteItem(std::string_view, const TItemValue&) override {}
  NOTEID NoteId() override { return 0; }
  UNIVERSALNOTEID Unid() override { return {}; }
  TIMEDATE Created() override { return {}; }
  TIMEDATE Modified() override { return {}; }
  bool IsResponse() override { return false; }
  std::string DbServer() override { return ""; }
  std::string DbPath() override { return ""; }
  std::string DbTitle() override { return ""; }
  std::string UserName() override;
};

}  // namespace notesrt
