#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "RtfOutput.h"

namespace xrtf {

// A picture gathered from CDGRAPHIC, CDIMAGEHEADER and its CDIMAGESEGMENTs, written as a \pict
// group in hexadecimal: JPEG as \jpegblip, PNG as \pngblip, BMP turned into PNG. GIF is
// skipped, as is a picture whose segments do not add up to its stated size.
class TRtfPicture {
 public:
  // A CDGRAPHIC: a new picture begins.
  void Begin(std::string_view Record);
  // A CDIMAGEHEADER; false when no picture was begun.
  bool Header(std::string_view Record);
  // A CDIMAGESEGMENT; true when the picture is complete.
  bool Segment(std::string_view Record);
  bool Collecting() const { return FState != TState::None; }
  // Forgets a picture left incomplete.
  void Abandon() { FState = TState::None; }
  // Writes the complete picture; false for a kind RTF cannot carry.
  bool Write(TRtfOutput& Out);

 private:
  enum class TState { None, Graphic, Data };
  TState FState = TState::None;
  uint32_t FDestWidth = 0, FDestHeight = 0;  // twips
  uint32_t FType = 0, FWidth = 0, FHeight = 0, FSize = 0;
  std::string FData;
};

}  // namespace xrtf
