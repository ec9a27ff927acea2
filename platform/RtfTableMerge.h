#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "RtfFragment.h"

// The font and colour tables of merged documents: the first document's tables unchanged, then
// each font of a later one that is not there by name and charset, and each colour not there by
// value.
class TRtfTableMerge {
 public:
  explicit TRtfTableMerge(const TRtfFragmentInfo& First);

  // A later document's font and colour numbers to the merged ones.
  struct TMaps {
    std::map<int32_t, int32_t> Fonts;
    std::map<int32_t, int32_t> Colors;
  };
  TMaps Add(const TRtfFragmentInfo& Fragment);

  // The entries added to the first document's tables, as RTF.
  std::string AddedFonts() const;
  std::string AddedColors() const;
  bool HasAddedFonts() const { return !FAddedFonts.empty(); }
  bool HasAddedColors() const { return FColors.size() > FFirstColors; }
  // The code page text is read in under a merged font.
  int32_t CodePageOf(int32_t Font) const;
  int32_t AnsiCodePage() const { return FAnsiCodePage; }

 private:
  int32_t FontFor(const TRtfFont& Font);
  int32_t ColorFor(const TRtfColor& Color);
  int32_t FreeFontNumber();

  int32_t FAnsiCodePage;
  std::map<int32_t, TRtfFont> FFonts;
  std::vector<int32_t> FAddedFonts;
  // Numbers the first document defines or names, and those given out since.
  std::set<int32_t> FTaken;
  std::vector<TRtfColor> FColors;
  size_t FFirstColors;
};
