#include "RtfPicture.h"

#include "PictureInfo.h"
#include "PngWriter.h"
#include "notesapi/editods.h"
#include "storage/StoredValue.h"

namespace xrtf {

namespace {

std::string Number(const char* Word, long Value) {
  return Word + std::to_string(Value);
}

}  // namespace

void TRtfPicture::Begin(std::string_view Record) {
  const auto graphic = notesrt::ReadAt<CDGRAPHIC>(Record, 0);
  FDestWidth = graphic.DestSize.Width;
  FDestHeight = graphic.DestSize.Height;
  FState = TState::Graphic;
}

bool TRtfPicture::Header(std::string_view Record) {
  if (FState != TState::Graphic) return false;
  const auto header = notesrt::ReadAt<CDIMAGEHEADER>(Record, 0);
  FType = header.ImageType;
  FWidth = header.Width;
  FHeight = header.Height;
  FSize = header.ImageDataSize;
  FData.clear();
  FState = TState::Data;
  return true;
}

bool TRtfPicture::Segment(std::string_view Record) {
  if (FState != TState::Data) return false;
  const auto segment = notesrt::ReadAt<CDIMAGESEGMENT>(Record, 0);
  std::string_view data = Record.substr(sizeof(CDIMAGESEGMENT));
  FData.append(data.substr(0, std::min<size_t>(segment.DataSize, FSize - FData.size())));
  return FData.size() >= FSize;
}

bool TRtfPicture::Write(TRtfOutput& Out) {
  FState = TState::None;
  std::string_view blip = FType == CDIMAGETYPE_JPEG ? "\\jpegblip" : "\\pngblip";
  if (FType == CDIMAGETYPE_BMP) {
    pictures::TPictureInfo info;
    std::optional<std::string> rgb = pictures::BmpToRgb(FData, info);
    if (!rgb) return false;
    FData = PngOfRgb(info.Width, info.Height, *rgb);
  } else if (FType != CDIMAGETYPE_JPEG && FType != CDIMAGETYPE_PNG) {
    return false;
  }
  const uint32_t goalWidth = FDestWidth ? FDestWidth : FWidth * 15;
  const uint32_t goalHeight = FDestHeight ? FDestHeight : FHeight * 15;
  Out.Word("{\\pict");
  Out.Word(blip);
  Out.Word(Number("\\picw", FWidth) + Number("\\pich", FHeight));
  Out.Word(Number("\\picwgoal", goalWidth) + Number("\\pichgoal", goalHeight) + " ");
  Out.LineBreak();
  Out.Hex(FData);
  Out.Word("}");
  FData.clear();
  return true;
}

}  // namespace xrtf
