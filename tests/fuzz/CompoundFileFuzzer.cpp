// Feeds arbitrary bytes to the compound-file reader as a whole file and reads the summary
// properties the way the document summary does; seeded with documents of the builder.
#include <cstdint>
#include <string_view>

#include "CompoundFile.h"
#include "PropertySet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    TCompoundFile file(std::string_view(reinterpret_cast<const char*>(Data), Size), "fuzz");
    const auto stream = file.ReadRootStream(u"\005SummaryInformation");
    if (!stream) return 0;
    const auto section = TPropertySection::Find(*stream, FmtIdSummaryInformation, "fuzz");
    if (!section) return 0;
    for (uint32_t id : {4, 2, 3, 8, 7}) section->Text(id);
    section->FileTime(13);
  } catch (const ECompoundFile&) {
  }
  return 0;
}
