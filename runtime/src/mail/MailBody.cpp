#include "mail/MailBody.h"

#include <algorithm>

#include "core/EStatus.h"
#include "note/CdRecords.h"
#include "notesapi/mailserv.h"

namespace notesrt {

namespace {

constexpr WORD BodyPabId = 1;
// CDPABDEFINITION is 70 bytes; margins are the published defaults (one inch on the left).
constexpr WORD PabDefinitionLength = 70;
constexpr WORD DefaultLeftMargin = 1440;
constexpr size_t PabLeftMarginOffset = 14;
constexpr size_t PabFirstLineMarginOffset = 18;
// Swiss face, no attributes, black, 10 point: DEFAULT_FONT_ID.
constexpr DWORD DefaultFontId = 1 | (DWORD{10} << 24);
// Readers handle short runs best; the published compound-text writer splits near 16 KB too.
constexpr size_t MaxRunText = 16 * 1024;

void PutWord(std::string& Out, WORD Value) {
  Out += static_cast<char>(Value & 0xFF);
  Out += static_cast<char>(Value >> 8);
}

void PutDword(std::string& Out, DWORD Value) {
  PutWord(Out, static_cast<WORD>(Value & 0xFFFF));
  PutWord(Out, static_cast<WORD>(Value >> 16));
}

void SetWord(std::string& Out, size_t Offset, WORD Value) {
  Out[Offset] = static_cast<char>(Value & 0xFF);
  Out[Offset + 1] = static_cast<char>(Value >> 8);
}

// A short record: its length in the high byte of the signature.
void PutShortHeader(std::string& Out, BYTE Type, BYTE Length) {
  PutWord(Out, static_cast<WORD>((Length << 8) | Type));
}

// Where a run may end without splitting a UTF-8 sequence: the lines are stored as the caller
// gives them, and that may be UTF-8.
size_t RunEnd(std::string_view Text, size_t Start) {
  size_t end = std::min(Text.size(), Start + MaxRunText);
  auto continues = [&](size_t At) { return (static_cast<unsigned char>(Text[At]) & 0xC0) == 0x80; };
  for (size_t at = end; at < Text.size() && at > Start && end - at < 4; --at)
    if (!continues(at)) return at;
  return end;
}

void PutText(std::string& Out, std::string_view Run) {
  PutWord(Out, SigCdText);
  PutWord(Out, static_cast<WORD>(CdTextHeader + Run.size()));
  PutDword(Out, DefaultFontId);
  Out.append(Run);
  if (Run.size() % 2) Out += '\0';
}

}  // namespace

std::string EmptyMailBody() {
  std::string body;
  PutWord(body, SigCdPabDefinition);
  PutWord(body, PabDefinitionLength);
  PutWord(body, BodyPabId);
  body.resize(PabDefinitionLength, '\0');
  SetWord(body, PabLeftMarginOffset, DefaultLeftMargin);
  SetWord(body, PabFirstLineMarginOffset, DefaultLeftMargin);
  return body;
}

std::string MailBodyLine(std::string_view Line) {
  std::string records;
  PutShortHeader(records, CdParagraphType, 2);
  PutShortHeader(records, CdPabReferenceType, 4);
  PutWord(records, BodyPabId);
  size_t start = 0;
  do {
    size_t end = RunEnd(Line, start);
    PutText(records, Line.substr(start, end - start));
    start = end;
  } while (start < Line.size());
  return records;
}

std::vector<std::string_view> MailBodyPieces(std::string_view Body, size_t MaxPiece) {
  std::vector<std::string_view> pieces;
  size_t pieceStart = 0, offset = 0;
  while (offset < Body.size()) {
    size_t length = CdRecordLength(Body, offset);
    size_t next = CdNextRecord(offset, length);
    if (length == 0) throw EStatus(ERR_NOTESRT_MAIL_BODY);
    if (next - pieceStart > MaxPiece && offset > pieceStart) {
      pieces.push_back(Body.substr(pieceStart, offset - pieceStart));
      pieceStart = offset;
    }
    offset = next;
  }
  pieces.push_back(Body.substr(pieceStart));
  return pieces;
}

}  // namespace notesrt
