#include "search/formula/Collation.h"

#include <unicode/coll.h>

#include "core/EStatus.h"
#include "notesapi/notesrt.h"

namespace notesrt {

TCollation::TCollation() = default;

TCollation::~TCollation() = default;

int TCollation::Compare(std::u16string_view A, std::u16string_view B) {
  UErrorCode error = U_ZERO_ERROR;
  if (!FCollator) {
    FCollator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), error));
    if (U_FAILURE(error) || !FCollator) {
      FCollator.reset();
      throw EStatus(ERR_NOTESRT_INTERNAL);
    }
  }
  UCollationResult result = FCollator->compare(A.data(), static_cast<int32_t>(A.size()), B.data(),
                                               static_cast<int32_t>(B.size()), error);
  if (U_FAILURE(error)) throw EStatus(ERR_NOTESRT_INTERNAL);
  return result;
}

}  // namespace notesrt
