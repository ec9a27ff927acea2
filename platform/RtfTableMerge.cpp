#include "RtfTableMerge.h"

#include <limits>

#include "RtfCodePage.h"
#include "RtfEscaper.h"

TRtfTableMerge::TRtfTableMerge(const TRtfFragmentInfo& First)
    : FAnsiCodePage(First.Document.AnsiCodePage),
      FFonts(First.Document.Fonts),
      FTaken(First.UsedFonts),
      FColors(First.Document.Colors),
      FFirstColors(First.Document.Colors.size()) {
  for (const auto& Entry : FFonts) FTaken.insert(Entry.first);
}

TRtfTableMerge::TMaps TRtfTableMerge::Add(const TRtfFragmentInfo& Fragment) {
  TMaps Maps;
  const auto& Fonts = Fragment.Document.Fonts;
  for (const auto& [Number, Font] : Fonts) Maps.Fonts[Number] = FontFor(Font);
  // A number the document names without defining it reads as a font of the default charset.
  for (int32_t Number : Fragment.UsedFonts) {
    if (!Fonts.contains(Number)) Maps.Fonts[Number] = FontFor(TRtfFont());
  }
  const auto& Colors = Fragment.Document.Colors;
  for (size_t I = 0; I < Colors.size(); ++I) {
    Maps.Colors[static_cast<int32_t>(I)] = ColorFor(Colors[I]);
  }
  return Maps;
}

int32_t TRtfTableMerge::FontFor(const TRtfFont& Font) {
  for (const auto& [Number, Known] : FFonts) {
    if (Known.Name == Font.Name && Known.Charset == Font.Charset) return Number;
  }
  int32_t Number = FreeFontNumber();
  FFonts.emplace(Number, Font);
  FTaken.insert(Number);
  FAddedFonts.push_back(Number);
  return Number;
}

int32_t TRtfTableMerge::ColorFor(const TRtfColor& Color) {
  for (size_t I = 0; I < FColors.size(); ++I) {
    if (FColors[I] == Color) return static_cast<int32_t>(I);
  }
  FColors.push_back(Color);
  return static_cast<int32_t>(FColors.size() - 1);
}

int32_t TRtfTableMerge::FreeFontNumber() {
  int32_t Number = FTaken.empty() ? 0 : *FTaken.rbegin();
  if (Number < std::numeric_limits<int32_t>::max() && Number >= 0) return Number + 1;
  for (Number = 0; FTaken.contains(Number); ++Number) {
  }
  return Number;
}

std::string TRtfTableMerge::AddedFonts() const {
  TRtfEscaper Escaper;
  Escaper.UseCodePage1252 = false;
  std::string Out;
  for (int32_t Number : FAddedFonts) {
    const TRtfFont& Font = FFonts.at(Number);
    Out += "{\\f" + std::to_string(Number) + "\\uc1\\" + Font.Family + "\\fcharset" +
           std::to_string(Font.Charset);
    if (Font.Pitch >= 0) Out += "\\fprq" + std::to_string(Font.Pitch);
    if (Font.CodePage > 0) Out += "\\cpg" + std::to_string(Font.CodePage);
    Out += ' ' + Escaper.Escape(Font.Name) + ";}";
  }
  return Out;
}

std::string TRtfTableMerge::AddedColors() const {
  std::string Out;
  for (size_t I = FFirstColors; I < FColors.size(); ++I) {
    const TRtfColor& Color = FColors[I];
    if (!Color.Auto) {
      Out += "\\red" + std::to_string(Color.Red) + "\\green" + std::to_string(Color.Green) +
             "\\blue" + std::to_string(Color.Blue);
    }
    Out += ';';
  }
  return Out;
}

int32_t TRtfTableMerge::CodePageOf(int32_t Font) const {
  auto Found = FFonts.find(Font);
  if (Found == FFonts.end()) return FAnsiCodePage;
  if (Found->second.CodePage > 0) return Found->second.CodePage;
  int32_t Own = CodePageOfCharset(Found->second.Charset);
  return Own > 0 ? Own : FAnsiCodePage;
}
