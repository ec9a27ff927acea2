#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FileText.h"
#include "StorageFixture.h"
#include "TNotesRichTextItem.h"
#include "TempDir.h"

// Bytes written as hex pairs, blanks between them ignored: "81 02" is a CDPARAGRAPH.
inline std::string Hex(const std::string& Pairs) {
  std::string bytes;
  for (size_t at = 0; at < Pairs.size(); ++at) {
    if (Pairs[at] == ' ') continue;
    bytes += static_cast<char>(std::stoi(Pairs.substr(at, 2), nullptr, 16));
    ++at;
  }
  return bytes;
}
// A WORD as records store it, low byte first.
inline std::string Word(WORD Value) {
  return {static_cast<char>(Value & 0xFF), static_cast<char>(Value >> 8)};
}
// A record with the pad byte that keeps the next one at an even offset.
inline std::string Even(const std::string& Record) {
  return Record.size() % 2 ? Record + '\0' : Record;
}
// A CDHOTSPOTBEGIN of type file: its data the two names, each NUL-terminated.
inline std::string FileHotspot(const std::string& Internal, const std::string& Shown) {
  const std::string data = Internal + '\0' + Shown + '\0';
  return Even(Hex("A9 FF") + Word(static_cast<WORD>(12 + data.size())) + Hex("04 00 01 00 00 00") +
              Word(static_cast<WORD>(data.size())) + data);
}

// A document of a scratch database for rich-text tests, with helpers for the bytes of records.
class RichTextFixture : public DocumentFixture {
 protected:
  static std::string ContextBytes(const TNotesRichTextItem& Item) {
    return std::string(Item.Context(), Item.ContextSize());
  }
  // What follows the paragraph definition and reference every context starts with.
  static std::string AfterStyle(const TNotesRichTextItem& Item) {
    return ContextBytes(Item).substr(74);
  }
  // A file of Bytes named Name in a folder of the test's own; its path.
  std::string WriteFile(const std::string& Name, const std::string& Bytes) {
    const std::filesystem::path path = FFiles.Path() / Name;
    vesktest::WriteFileText(path, Bytes);
    return path.string();
  }
  std::unique_ptr<TNotesRichTextItem> NewBody() {
    return TNotesRichTextItem::CreateNew(*FDocument, "Body");
  }
  // The value of every item of Name, type words removed, joined.
  std::vector<std::string> ItemValues(const std::string& Name) {
    std::vector<std::string> values;
    for (const auto& item : FDocument->LoadMultipleItems(Name)) {
      const std::vector<char> value = item->GetValueBuffer();
      values.emplace_back(value.begin() + 2, value.end());
    }
    return values;
  }

  vesktest::TempDir FFiles;
};
