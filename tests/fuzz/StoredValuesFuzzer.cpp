// Feeds arbitrary bytes to the readers of stored values, which read mail that comes from
// outside: the first byte picks the reader, the rest is the value.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSettings.h"
#include "NotesApi.h"
#include "NotesFileObject.h"
#include "NotesFontTable.h"
#include "NotesSummary.h"
#include "ValueToVariant.h"
#include "notesapi/notesrt.h"

namespace {

std::filesystem::path FuzzDirectory;

void RemoveFuzzDirectory() {
  NotesTerm();
  std::filesystem::remove_all(FuzzDirectory);
}

// The value conversions need the runtime (character sets, time zones): start it once with
// settings of its own.
void StartRuntime() {
  FuzzDirectory = MakeFuzzSettings();
  if (NotesInit() != NOERROR) abort();
  atexit(RemoveFuzzDirectory);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StartRuntime();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  // A copy of exactly the value's length, so that any read past it is caught.
  const std::vector<uint8_t> value(Data + 1, Data + Size);
  switch (Data[0] % 4) {
    case 0: {
      TVariant result;
      ValueToVariant(value.data(), value.size(), result);
      break;
    }
    case 1:
      DecodeSummary(value.data(), value.size(), [](const std::string& Name, const TVariant& Item) {
        std::string text;
        AppendSummaryText(Name, Item, text);
      });
      break;
    case 2: {
      TFileObjectInfo info;
      if (ReadFileObject(value.data(), value.size(), info)) SafeAttachmentFileName(info.FileName);
      break;
    }
    default:
      ReadFontTable(value.data(), value.size());
  }
  return 0;
}
