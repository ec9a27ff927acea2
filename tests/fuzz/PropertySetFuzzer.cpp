// Feeds arbitrary bytes to the property-set reader as the bytes of a summary stream; the first
// byte picks the property read.
#include <cstdint>
#include <string_view>

#include "CompoundFile.h"
#include "PropertySet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  try {
    const std::string_view stream(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    const auto section = TPropertySection::Find(stream, FmtIdSummaryInformation, "fuzz");
    if (!section) return 0;
    section->Text(Data[0] % 20);
    section->FileTime(Data[0] % 20);
  } catch (const ECompoundFile&) {
  }
  return 0;
}
