// Feeds arbitrary bytes to the readers of stored values, which read mail that comes from
// outside: the first byte picks the reader, the rest is the value.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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
  std::string pattern = (std::filesystem::temp_directory_path() / "vesk-fuzz-XXXXXX").string();
  FuzzDirectory = mkdtemp(pattern.data());
  std::filesystem::create_directories(FuzzDirectory / "data");
  std::ofstream(FuzzDirectory / "notes.ini")
      << "[Notes]\nDirectory=" << (FuzzDirectory / "data").string() << "\n";
  setenv(NOTESRT_INI_ENV, (FuzzDirectory / "notes.ini").c_str(), 1);
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
