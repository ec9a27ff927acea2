#pragma once

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/EStatus.h"
#include "notesapi/editods.h"
#include "notesapi/notesrterr.h"

namespace notesfilter {

// The most text bytes (LMBCS) one CDTEXT carries: runs are cut well below the item limit.
inline constexpr size_t MaxTextRun = 16000;

// A CD file as import filters hand it over: the TYPE_COMPOSITE word, then records laid out as
// the runtime's editods.h declares them, each on an even offset. Built in memory and written
// whole, so that a failure leaves no half file.
class TCdFileWriter {
 public:
  TCdFileWriter();
  // Continues a CD file written before (an import called without IXFLAG_FIRST); EStatus
  // ERR_NOTESRT_RICH_TEXT_DAMAGED when Existing does not begin with the type word.
  explicit TCdFileWriter(std::string Existing);

  // Record with Trailing bytes after it; the header gets Signature (SIG_CD_xxx) and the length.
  // EStatus ERR_NOTESRT_RICH_TEXT_DAMAGED when the length does not fit the header.
  template <class TRecord>
  void Add(TRecord Record, WORD Signature, std::string_view Trailing = {}) {
    SetHeader(Record.Header, Signature, sizeof Record + Trailing.size());
    Append(std::string_view(reinterpret_cast<const char*>(&Record), sizeof Record), Trailing);
  }
  // Text (UTF-8; NUL bytes and line breaks are the caller's to remove) as CDTEXT runs of Font,
  // in LMBCS, cut between characters at MaxTextRun bytes.
  void AddText(FONTID Font, std::string_view Utf8);
  // The same for text already in LMBCS.
  void AddLmbcsText(FONTID Font, std::string_view Lmbcs);
  void AddParagraph();
  // Whole records (each on an even offset), as another writer's Records() gives them.
  void AddRecords(std::string_view Records);

  // The file's bytes, type word first.
  const std::string& Bytes() const { return FBytes; }
  std::string_view Records() const { return std::string_view(FBytes).substr(sizeof(WORD)); }
  // Whether anything was added after the type word.
  bool Empty() const { return FBytes.size() == sizeof(WORD); }
  void Save(const std::filesystem::path& Path) const;

 private:
  static void SetHeader(BSIG& Header, WORD Signature, size_t Length);
  static void SetHeader(WSIG& Header, WORD Signature, size_t Length);
  static void SetHeader(LSIG& Header, WORD Signature, size_t Length);
  void Append(std::string_view Fixed, std::string_view Trailing);

  std::string FBytes;
};

}  // namespace notesfilter
