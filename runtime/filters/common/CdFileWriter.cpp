#include "CdFileWriter.h"

#include "FilterFiles.h"
#include "LmbcsText.h"
#include "notesapi/nsfdata.h"
#include "storage/StoredValue.h"

namespace notesfilter {

using notesrt::EStatus;

TCdFileWriter::TCdFileWriter() {
  const WORD type = TYPE_COMPOSITE;
  FBytes.assign(reinterpret_cast<const char*>(&type), sizeof type);
}

TCdFileWriter::TCdFileWriter(std::string Existing) : FBytes(std::move(Existing)) {
  if (FBytes.size() < sizeof(WORD) || notesrt::ReadAt<WORD>(FBytes, 0) != TYPE_COMPOSITE)
    throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  if (FBytes.size() % 2) FBytes.push_back('\0');
}

void TCdFileWriter::SetHeader(BSIG& Header, WORD Signature, size_t Length) {
  if (Length > 0xFF) throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  Header.Signature = static_cast<BYTE>(Signature);
  Header.Length = static_cast<BYTE>(Length);
}

void TCdFileWriter::SetHeader(WSIG& Header, WORD Signature, size_t Length) {
  if (Length > MAXWORD) throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  Header.Signature = Signature;
  Header.Length = static_cast<WORD>(Length);
}

void TCdFileWriter::SetHeader(LSIG& Header, WORD Signature, size_t Length) {
  if (Length > MAXDWORD) throw EStatus(ERR_NOTESRT_RICH_TEXT_DAMAGED);
  Header.Signature = Signature;
  Header.Length = static_cast<DWORD>(Length);
}

void TCdFileWriter::Append(std::string_view Fixed, std::string_view Trailing) {
  FBytes.append(Fixed);
  FBytes.append(Trailing);
  if (FBytes.size() % 2) FBytes.push_back('\0');
}

// Text is cut before it is converted, so that every cut falls between characters: a piece of
// UTF-8 at most doubles in LMBCS.
void TCdFileWriter::AddText(FONTID Font, std::string_view Utf8) {
  while (!Utf8.empty()) {
    const size_t take = Utf8PrefixLength(Utf8, MaxTextRun / 2);
    AddLmbcsText(Font, Utf8ToLmbcs(Utf8.substr(0, take)));
    Utf8.remove_prefix(take);
  }
}

void TCdFileWriter::AddLmbcsText(FONTID Font, std::string_view Lmbcs) {
  while (!Lmbcs.empty()) {
    const size_t take = LmbcsPrefixLength(Lmbcs, MaxTextRun);
    CDTEXT text{};
    text.FontID = Font;
    Add(text, SIG_CD_TEXT, Lmbcs.substr(0, take));
    Lmbcs.remove_prefix(take);
  }
}

void TCdFileWriter::AddParagraph() {
  Add(CDPARAGRAPH{}, SIG_CD_PARAGRAPH);
}

void TCdFileWriter::AddRecords(std::string_view Records) {
  Append(Records, {});
}

void TCdFileWriter::Save(const std::filesystem::path& Path) const {
  WriteFileWhole(Path, FBytes);
}

}  // namespace notesfilter
