#include "note/ItemAppend.h"

#include <utility>

#include "core/EStatus.h"
#include "note/ItemArgs.h"

namespace notesrt {

namespace {

// The armed failure of the test hook. Callers hold the API lock.
struct TAppendFault {
  DWORD AppendsBefore = 0;
  STATUS Failure = NOERROR;
};

TAppendFault& Fault() {
  static TAppendFault& fault = *new TAppendFault;
  return fault;
}

void CheckFault() {
  TAppendFault& fault = Fault();
  if (fault.Failure == NOERROR) return;
  if (fault.AppendsBefore > 0) {
    --fault.AppendsBefore;
    return;
  }
  throw EStatus(std::exchange(fault.Failure, NOERROR));
}

}  // namespace

TNoteItem& AppendItem(TNote& Note, std::string_view Name, WORD Flags, WORD Type,
                      std::string_view Value) {
  CheckFault();
  return Note.Append(Name, Flags, Type, Value, ItemChangeTime());
}

void AppendRichTextItems(TNote& Note, std::string_view Name,
                         const std::vector<std::string_view>& Pieces) {
  std::vector<const TNoteItem*> appended;
  try {
    for (std::string_view piece : Pieces)
      appended.push_back(&AppendItem(Note, Name, 0, TYPE_COMPOSITE, piece));
  } catch (...) {
    for (const TNoteItem* item : appended) Note.Delete(*item);
    throw;
  }
}

void FailItemAppend(DWORD AppendsBefore, STATUS Failure) {
  Fault() = TAppendFault{AppendsBefore, Failure};
}

}  // namespace notesrt
