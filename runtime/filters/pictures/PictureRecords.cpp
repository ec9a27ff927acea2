#include "PictureRecords.h"

#include <algorithm>

#include "core/EStatus.h"
#include "notesapi/editods.h"
#include "notesapi/notesrterr.h"

namespace pictures {

namespace {

// The page size at 15 twips a pixel, both sides scaled alike to fit 16 bits.
RECTSIZE PageSize(const TPictureInfo& Info, uint32_t Width, uint32_t Height) {
  uint64_t width = Width ? Width : uint64_t{Info.Width} * 15;
  uint64_t height = Height ? Height : uint64_t{Info.Height} * 15;
  const uint64_t largest = std::max(width, height);
  if (largest > 0xFFFF) {
    width = width * 0xFFFF / largest;
    height = height * 0xFFFF / largest;
  }
  return {static_cast<WORD>(std::max<uint64_t>(width, 1)),
          static_cast<WORD>(std::max<uint64_t>(height, 1))};
}

WORD ImageTypeOf(TPictureKind Kind) {
  switch (Kind) {
    case TPictureKind::Jpeg:
      return CDIMAGETYPE_JPEG;
    case TPictureKind::Bmp:
      return CDIMAGETYPE_BMP;
    case TPictureKind::Png:
      break;
  }
  return CDIMAGETYPE_PNG;
}

}  // namespace

void AddPicture(notesfilter::TCdFileWriter& Out, WORD ImageType, const TPictureInfo& Info,
                std::string_view Data, uint32_t PageWidth, uint32_t PageHeight) {
  CDGRAPHIC graphic{};
  graphic.DestSize = PageSize(Info, PageWidth, PageHeight);
  graphic.Version = CDGRAPHIC_VERSION3;
  Out.Add(graphic, SIG_CD_GRAPHIC);
  CDIMAGEHEADER header{};
  header.ImageType = ImageType;
  header.Width = static_cast<WORD>(Info.Width);
  header.Height = static_cast<WORD>(Info.Height);
  header.ImageDataSize = static_cast<DWORD>(Data.size());
  header.SegCount = static_cast<DWORD>((Data.size() + MaxSegmentData - 1) / MaxSegmentData);
  Out.Add(header, SIG_CD_IMAGEHEADER);
  for (size_t at = 0; at < Data.size(); at += MaxSegmentData) {
    std::string_view piece = Data.substr(at, MaxSegmentData);
    CDIMAGESEGMENT segment{};
    segment.DataSize = static_cast<WORD>(piece.size());
    segment.SegSize = static_cast<WORD>(piece.size() + piece.size() % 2);
    Out.Add(segment, SIG_CD_IMAGESEGMENT, piece);
  }
}

void AddPictureFile(notesfilter::TCdFileWriter& Out, TPictureKind Kind, std::string_view File) {
  const std::optional<TPictureInfo> info = ReadPictureInfo(Kind, File);
  if (!info) throw notesrt::EStatus(ERR_NOTESRT_NOT_PICTURE);
  if (info->Width > MaxPictureSide || info->Height > MaxPictureSide)
    throw notesrt::EStatus(ERR_NOTESRT_PICTURE_TOO_LARGE);
  AddPicture(Out, ImageTypeOf(Kind), *info, File);
}

notesfilter::TImportConvert PictureImport(TPictureKind Kind) {
  return [Kind](std::string_view Input, FONTID, notesfilter::TCdFileWriter& Out) {
    AddPictureFile(Out, Kind, Input);
  };
}

}  // namespace pictures
