#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CdFileWriter.h"
#include "FilterEntry.h"
#include "PictureInfo.h"
#include "notesapi/global.h"

namespace pictures {

// The most data bytes one CDIMAGESEGMENT carries.
inline constexpr size_t MaxSegmentData = 10240;
// The most pixels a picture may have on a side: the CD records keep sizes in 16 bits.
inline constexpr uint32_t MaxPictureSide = 65535;

// The records that show a picture in rich text: CDGRAPHIC (its size on the page, in twips),
// CDIMAGEHEADER (ImageType: CDIMAGETYPE_JPEG, _BMP or _PNG; the size in pixels; the data size
// and segment count), then CDIMAGESEGMENTs of at most MaxSegmentData bytes holding Data
// unchanged. Without a page size the picture shows at 15 twips a pixel (96 dpi), scaled down
// when that would not fit the 16-bit twips fields. Sides must not exceed MaxPictureSide.
void AddPicture(notesfilter::TCdFileWriter& Out, WORD ImageType, const TPictureInfo& Info,
                std::string_view Data, uint32_t PageWidth = 0, uint32_t PageHeight = 0);

// A picture file as rich text: the file is checked to be a picture of Kind (its header), and
// then written by AddPicture. EStatus ERR_NOTESRT_NOT_PICTURE for a file that is not one,
// ERR_NOTESRT_PICTURE_TOO_LARGE for one over MaxPictureSide pixels on a side.
void AddPictureFile(notesfilter::TCdFileWriter& Out, TPictureKind Kind, std::string_view File);

// The import filter of picture files of Kind.
notesfilter::TImportConvert PictureImport(TPictureKind Kind);

}  // namespace pictures
