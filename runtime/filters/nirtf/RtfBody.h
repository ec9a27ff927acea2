#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "CdFileWriter.h"
#include "RtfFormats.h"

namespace nirtf {

// A table row as \trowd ... \cellx define it.
struct TCellDefinition {
  int32_t Right = 0;    // \cellx: the cell's right edge, twips
  BYTE Border = 0;      // CDTABLECELL.Border
  int Background = -1;  // a Notes colour, or -1
};
struct TRowDefinition {
  int32_t Left = 0;  // \trleft
  std::vector<TCellDefinition> Cells;
};

// The records of the document's body, written as the RTF is read. Paragraphs open when their
// first content comes, so that the formatting in effect then is theirs: CDPARAGRAPH (none for
// the document's first paragraph, which the importer opens, nor for a cell's first), then a
// CDPABREFERENCE, the CDPABDEFINITION written just before its first reference (IDs from 2).
// Tables open and close as paragraphs enter and leave them; runs of one font are joined; a link
// never spans a paragraph or cell.
class TRtfBody {
 public:
  void Text(FONTID Font, std::string_view Utf8, const TParaFormat& Para, const TRowDefinition& Row);
  // \par, \line.
  void ParagraphMark(const TParaFormat& Para, const TRowDefinition& Row);
  void CellEnd(TParaFormat Para, const TRowDefinition& Row);
  void RowEnd();
  void BeginLink(const std::string& Url, const TParaFormat& Para, const TRowDefinition& Row);
  void EndLink();
  // The writer, for records of a paragraph's content (pictures), after the paragraph is placed.
  notesfilter::TCdFileWriter& Content(const TParaFormat& Para, const TRowDefinition& Row);
  // Closes what is open and hands the records over (after the type word).
  std::string Finish();

 private:
  void Place(const TParaFormat& Para, const TRowDefinition& Row);
  void StartParagraph(const TParaFormat& Para);
  void BeginTable();
  void EndTable();
  void StartCell(const TRowDefinition& Row);
  void FlushRun();
  WORD DefinitionId(const TParaFormat& Para);

  notesfilter::TCdFileWriter FOut;
  std::map<std::string, WORD> FDefinitions;
  bool FParagraphOpen = false, FNeedBreak = false;
  bool FInTable = false, FCellOpen = false, FLinkOpen = false;
  bool FContent = false;  // anything but paragraph definitions and references written
  int FRow = 0, FColumn = 0;
  FONTID FRunFont = 0;
  std::string FRunText;
};

}  // namespace nirtf
