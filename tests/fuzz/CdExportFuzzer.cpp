// Feeds arbitrary bytes to the RTF export as CD records, perhaps behind a font table made of the
// first bytes. The result must be a status, or a 7-bit RTF document with balanced groups, lines
// of at most 255 characters, that the platform's reader reads to its end.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "CdToRtf.h"
#include "FuzzSettings.h"
#include "LmbcsText.h"
#include "RtfText.h"
#include "notesapi/notesrterr.h"

namespace {

// Data[0]: bit 0 puts a CDFONTTABLE of Data[0] >> 1 faces (from the bytes that follow) first.
std::string Records(const uint8_t* Data, size_t Size) {
  std::string rest(reinterpret_cast<const char*>(Data) + 1, Size - 1);
  if (!(Data[0] & 1)) return rest;
  const size_t faces = Data[0] >> 1, length = 6 + 34 * faces;
  std::string table{'\x8B',
                    '\xFF',
                    static_cast<char>(length & 0xFF),
                    static_cast<char>(length >> 8),
                    static_cast<char>(faces),
                    '\0'};
  table += rest.substr(0, 34 * faces);
  table.resize(length, '\0');
  return table + rest.substr(std::min(rest.size(), 34 * faces));
}

void Check(const std::string& Rtf) {
  int depth = 0;
  size_t column = 0;
  for (size_t i = 0; i < Rtf.size(); ++i) {
    const char c = Rtf[i];
    if (c <= 0 || c >= 0x7F) abort();
    column = c == '\n' ? 0 : column + 1;
    if (column > 256) abort();  // 255 and the CR
    if (c == '\\') {
      ++i;
      ++column;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && --depth < 0) {
      abort();
    }
  }
  if (depth != 0) abort();
  RtfToText(Rtf);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size < 1) return 0;
  static const bool started = [] {
    static const std::filesystem::path directory = MakeFuzzSettings();
    if (NotesInit() != NOERROR) abort();
    atexit([] {
      NotesTerm();
      std::filesystem::remove_all(directory);
    });
    return true;
  }();
  (void)started;
  std::string rtf;
  const STATUS status = xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(Records(Data, Size), rtf);
  if (status == NOERROR)
    Check(rtf);
  else if (status != ERR_NOTESRT_RICH_TEXT_DAMAGED || !rtf.empty())
    abort();
  return 0;
}
