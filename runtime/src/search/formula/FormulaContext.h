#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/TestedApi.h"
#include "notesapi/nsfdata.h"
#include "text/RegionalSettings.h"

namespace notesrt {

// An item's value as the note holds it: the type, and the bytes after the type word.
struct TItemValue {
  WORD Type = TYPE_TEXT;
  std::string Bytes;
};

// What a formula sees of the note it runs against and of its surroundings. Names are LMBCS and
// compare without regard to case. Without a note (HasNote false) no item exists, writes are
// not called and the document functions give errors instead of calling the note's accessors.
class NOTESRT_TESTED IFormulaContext {
 public:
  virtual ~IFormulaContext() = default;

  virtual bool HasNote() const = 0;
  // The first item of the name; nothing when the note has none.
  virtual std::optional<TItemValue> ReadItem(std::string_view Name) = 0;
  // Replaces every item of the name with one holding Value (no type word).
  virtual void WriteItem(std::string_view Name, const TItemValue& Value) = 0;

  virtual NOTEID NoteId() = 0;
  virtual UNIVERSALNOTEID Unid() = 0;
  virtual TIMEDATE Created() = 0;
  virtual TIMEDATE Modified() = 0;
  virtual bool IsResponse() = 0;
  // The database the note is in: server ("" when local), path, title.
  virtual std::string DbServer() = 0;
  virtual std::string DbPath() = 0;
  virtual std::string DbTitle() = 0;

  // The current user's canonical name; "" when none is configured.
  virtual std::string UserName() = 0;
  // How dates, times and numbers are written and read: as the calling thread's locale says.
  virtual TRegionalSettings RegionalSettings() { return CurrentRegionalSettings(); }
};

}  // namespace notesrt
