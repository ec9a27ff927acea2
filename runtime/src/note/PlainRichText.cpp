#include "note/PlainRichText.h"

#include <algorithm>

#include "notesapi/editods.h"
#include "text/LmbcsCodec.h"

namespace notesrt {

namespace {

constexpr WORD PlainPabId = 1;

// The structures are packed and this machine is little-endian: their bytes are canonical.
template <class T>
void AppendRecord(std::string& Out, const T& Record) {
  Out.append(reinterpret_cast<const char*>(&Record), sizeof Record);
}

void AppendRun(std::string& Out, std::string_view Run, FONTID Font) {
  CDTEXT text{};
  text.Header.Signature = SIG_CD_TEXT;
  text.Header.Length = static_cast<WORD>(sizeof text + Run.size());
  text.FontID = Font;
  AppendRecord(Out, text);
  Out.append(Run);
  if (Run.size() % 2) Out += '\0';
}

}  // namespace

std::string PlainStyle() {
  CDPABDEFINITION style{};
  style.Header.Signature = SIG_CD_PABDEFINITION;
  style.Header.Length = sizeof style;
  style.PABID = PlainPabId;
  style.LeftMargin = DEFAULT_LEFT_MARGIN;
  style.FirstLineLeftMargin = DEFAULT_FIRST_LEFT_MARGIN;
  std::string records;
  AppendRecord(records, style);
  return records;
}

void AppendPlainParagraph(std::string& Out, std::string_view Text, FONTID Font) {
  AppendRecord(Out, CDPARAGRAPH{{SIG_CD_PARAGRAPH, sizeof(CDPARAGRAPH)}});
  AppendRecord(Out, CDPABREFERENCE{{SIG_CD_PABREFERENCE, sizeof(CDPABREFERENCE)}, PlainPabId});
  TLmbcsCodec& codec = TLmbcsCodec::Shared();
  do {
    // A window a little over the limit holds the character that crosses it.
    size_t run = codec.WholePrefix(Text.substr(0, MaxRunText + 4), MaxRunText);
    if (run == 0) run = std::min(Text.size(), MaxRunText);  // bytes that are no character
    AppendRun(Out, Text.substr(0, run), Font);
    Text.remove_prefix(run);
  } while (!Text.empty());
}

}  // namespace notesrt
