#include "RichTextWalk.h"

#include <exception>

#include "NotesApiErrors.h"

namespace {

struct TWalk {
  const TRecordVisitor& Visit;
  std::exception_ptr Error;
};

// Any non-zero status stops EnumCompositeBuffer; the exception is what the caller gets.
constexpr STATUS StoppedByException = ERR_ODS_ENUM_COMPLETE;

STATUS LNCALLBACK VisitRecord(char* Record, WORD Signature, DWORD Length, void* Context) {
  auto* walk = static_cast<TWalk*>(Context);
  try {
    return walk->Visit(Record, Signature, Length);
  } catch (...) {
    walk->Error = std::current_exception();
    return StoppedByException;
  }
}

}  // namespace

STATUS WalkRecords(BLOCKID Value, DWORD Length, const TRecordVisitor& Visit) {
  TWalk walk{Visit, nullptr};
  const STATUS status = EnumCompositeBuffer(Value, Length, VisitRecord, &walk);
  if (walk.Error) std::rethrow_exception(walk.Error);
  return status;
}
