#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "RtfFormat.h"
#include "RtfOutput.h"
#include "RtfPicture.h"
#include "notesapi/editods.h"
#include "notesapi/global.h"

namespace xrtf {

// Rich text (CD records, without the type word) as an RTF document in 7-bit bytes that common
// readers open: runs, paragraph definitions, lists, URL links, sections, tables and pictures.
// Records it does not know are skipped. Damage (a length that breaks the header rules, or a
// record too short for its fixed part) gives ERR_NOTESRT_RICH_TEXT_DAMAGED and no document.
class TCdToRtf {
 public:
  explicit TCdToRtf(TLmbcsDecoder Decode) : FDecode(std::move(Decode)) {}
  STATUS Convert(std::string_view Records, std::string& Rtf);

 private:
  struct THotspot {
    bool Field = false;  // an open HYPERLINK field
  };
  struct TCell {
    BYTE Row = 0;
    WORD Width = 0;  // fractional: 28,800 is the whole table
    BYTE Border = 0;
    int Background = -1;
    TRtfOutput Out;
  };

  std::string Decode(std::string_view Lmbcs) const;
  bool Record(WORD Signature, std::string_view Record, bool First);
  bool Text(std::string_view Record);
  void Paragraph();
  void Reference(WORD Id);
  void HotspotBegin(std::string_view Record, bool Link);
  void HotspotEnd();
  void CloseFields();
  void SectionTitle(std::string_view Record);
  void LinkComment(std::string_view Strings);
  void TableBegin();
  void TableCell(std::string_view Record);
  void TableEnd();
  void EndCell();
  void WriteRow();
  bool Picture(WORD Signature, std::string_view Record);

  // Paragraphs: the definition in force, and whether the open one has its properties written.
  void StartParagraph();
  void EnsureParagraph();
  void WriteParagraphProperties(bool WithMarker);
  void WriteListTables(TRtfOutput& Out) const;
  TRtfOutput& Out() { return FTableDepth > 0 && !FCells.empty() ? FCells.back().Out : FBody; }

  TLmbcsDecoder FDecode;
  TRtfFonts FFonts;
  TRtfOutput FBody;
  std::map<WORD, CDPABDEFINITION> FDefinitions;
  const CDPABDEFINITION* FPab = nullptr;  // null: the default paragraph
  bool FParagraphOpen = false;
  bool FPropertiesPending = false;
  int FListNumber = 0;              // of the last numbered paragraph in an unbroken run of them
  std::vector<bool> FListNumbered;  // whether list \lsN (N from 1) is numbered
  WORD FListKind = 0;               // of the run of list paragraphs going on, 0 outside lists
  std::vector<THotspot> FHotspots;
  int FTableDepth = 0;
  std::vector<TCell> FCells;  // of the row being gathered
  TRtfPicture FPicture;
};

}  // namespace xrtf
