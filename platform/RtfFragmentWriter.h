#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RtfFragment.h"
#include "RtfReader.h"
#include "RtfTableMerge.h"

// Writes one document of a merge into the merged document, copying its bytes where they can
// stay and changing only what the merge needs.
//
// The first document keeps its header and body; the merge's added fonts and colours go at the
// end of its tables (or in tables of their own where it has none). A later document loses its
// header and goes into a group of its own that restates its \ucN and default font; its font and
// colour numbers become the merged ones, its style references and document settings go, the
// default font is restated after each \plain, and its text bytes become \uN where the merged
// document would read them in another code page.
//
// Both keep their text as it reads: an escape cut short is dropped, \binN says how many bytes
// really follow, and open groups are closed at the end.
class TRtfFragmentWriter : public TRtfHandler {
 public:
  struct TPlan {
    bool First = false;
    // Where the body begins, and the trailing paragraph mark to leave out (npos: none).
    size_t BodyStart = 0;
    size_t DropPar = std::string::npos;
    // For the first document: what goes at the end of its tables.
    std::string AddedFonts;
    std::string AddedColors;
    bool HasFontTable = false;
    bool HasColorTable = false;
    // For a later one: its numbers in the merged tables, and whether its text bytes are all
    // written as \uN (its body changes the default font, which the merged document cannot).
    TRtfTableMerge::TMaps Maps;
    bool BytesAsUnicode = false;
  };

  TRtfFragmentWriter(std::string_view Input, const TPlan& Plan, const TRtfTableMerge& Tables,
                     std::string& Out);

  bool KnowsDestination(std::string_view) override { return true; }
  void Token(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role) override;
  void Text(const TRtfReader& Reader, std::string_view Utf8) override;
  // After the reader is done: closes what the input left open.
  void Finish(const TRtfReader& Reader);

 private:
  void NoteGroupStart(const TRtfToken& Token);
  void Body(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role);
  void LaterBody(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role);
  void StartBody(const TRtfReader& Reader);
  void WriteTables();
  void TrackTable(const TRtfReader& Reader, const TRtfToken& Token, TRtfRole Role);
  void EndTable(size_t Depth);
  bool StartsDrop(const TRtfReader& Reader, const TRtfToken& Token);
  std::string MappedWord(const TRtfToken& Token) const;
  bool KeepsBytes(const TRtfReader& Reader) const;

  void CopyUpTo(size_t Offset);
  void Copy(const TRtfToken& Token);
  void Keep(const TRtfToken& Token);
  void Skip(const TRtfToken& Token);
  void Drop(const TRtfToken& Token);
  void Write(std::string_view Rtf);

  std::string_view FInput;
  const TPlan& FPlan;
  const TRtfTableMerge& FTables;
  std::string& FOut;
  size_t FCopied = 0;
  // The last thing written was a control word without a delimiter after it.
  bool FBareWord = false;
  bool FBodyStarted = false;
  // Where the last group brace went in the output, in case the group is dropped after all.
  size_t FOpenAt = 0;
  bool FOpenBareWord = false;
  // Where the current token stands in its group, and where the next one will.
  bool FAtGroupStart = false;
  bool FAtDestinationWord = false;
  bool FGroupFirst = false;
  bool FStarred = false;
  bool FRunAtGroupStart = false;
  // The depth of a group being left out, 0 when none.
  size_t FDropDepth = 0;
  size_t FFontTableDepth = 0;
  size_t FColorTableDepth = 0;
  bool FTablesWritten = false;
  // Fallback characters the document still owed where it ended.
  int32_t FOwedSkip = 0;
  bool FFontsAdded = false;
  bool FColorsAdded = false;
  // The tokens of the run of text bytes being read.
  std::vector<TRtfToken> FRun;
};
