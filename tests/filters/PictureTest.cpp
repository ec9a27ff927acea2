// Picture files as rich text: which files are taken, and the records written for them.
#include <gtest/gtest.h>

#include "CdRecordBuilder.h"
#include "CdToRtf.h"
#include "FilterFixture.h"
#include "LmbcsText.h"
#include "PictureRecords.h"
#include "core/EStatus.h"
#include "notesapi/notesrterr.h"
#include "notesapi/nsfdata.h"

namespace {

using namespace filtertest;
using pictures::TPictureKind;
using PictureFiles = FilterTest;

// The records an import of the file writes (after the type word), or the status it refuses with.
STATUS PictureRecords(TPictureKind Kind, const std::string& File, std::string& Records) {
  notesfilter::TCdFileWriter out;
  try {
    pictures::AddPictureFile(out, Kind, File);
  } catch (const notesrt::EStatus& e) {
    return e.Status();
  }
  Records = out.Bytes().substr(sizeof(WORD));
  return NOERROR;
}

std::string Jpeg(WORD Width, WORD Height, char FrameMarker = '\xC0') {
  std::string app0 = std::string("\xFF\xE0\x00\x10JFIF\0", 9) + std::string(9, '\0');
  std::string frame = std::string("\xFF", 1) + FrameMarker + std::string("\x00\x11\x08", 3) +
                      std::string{static_cast<char>(Height >> 8), static_cast<char>(Height & 0xFF),
                                  static_cast<char>(Width >> 8), static_cast<char>(Width & 0xFF)} +
                      std::string(10, '\x01');
  return std::string("\xFF\xD8", 2) + app0 + frame + std::string("\xFF\xDA\x00\x02", 4) + "scan" +
         std::string("\xFF\xD9", 2);
}

std::string Png(uint32_t Width, uint32_t Height, size_t Extra = 0) {
  auto big = [](uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
  };
  return std::string("\x89PNG\r\n\x1A\n", 8) + big(13) + "IHDR" + big(Width) + big(Height) +
         std::string("\x08\x02\x00\x00\x00", 5) + big(0) + std::string(Extra, 'p');
}

// A BMP of 1 bit a pixel, one row, its palette and row in the file.
std::string Bmp(int32_t Width, int32_t Height, uint32_t PixelOffset = 62) {
  const size_t stride = ((static_cast<size_t>(Width) + 31) / 32) * 4;
  std::string pixels(stride * static_cast<size_t>(std::abs(Height)), '\xAA');
  return "BM" + Le32(62 + pixels.size()) + Le32(0) + Le32(PixelOffset) + Le32(40) + Le32(Width) +
         Le32(Height) + Le16(1) + Le16(1) + Le32(0) + Le32(pixels.size()) + std::string(16, '\0') +
         std::string("\0\0\0\0\xFF\xFF\xFF\0", 8) + pixels;
}

TEST_F(PictureFiles, TakenOrRefusedByTheirHeaders) {
  struct TCase {
    const char* Name;
    TPictureKind Kind;
    std::string File;
    STATUS Expected;
    uint32_t Width = 0, Height = 0;
  };
  const TCase cases[] = {
      {"JPEG baseline", TPictureKind::Jpeg, Jpeg(300, 200), NOERROR, 300, 200},
      {"JPEG progressive", TPictureKind::Jpeg, Jpeg(7, 9, '\xC2'), NOERROR, 7, 9},
      {"JPEG without SOI", TPictureKind::Jpeg, Jpeg(3, 3).substr(2), ERR_NOTESRT_NOT_PICTURE},
      {"JPEG cut in a segment", TPictureKind::Jpeg, Jpeg(3, 3).substr(0, 20),
       ERR_NOTESRT_NOT_PICTURE},
      {"JPEG with no frame before its scan", TPictureKind::Jpeg,
       std::string("\xFF\xD8\xFF\xDA\x00\x02", 6), ERR_NOTESRT_NOT_PICTURE},
      {"PNG", TPictureKind::Png, Png(640, 480, 20), NOERROR, 640, 480},
      {"PNG wider than 65,535 pixels", TPictureKind::Png, Png(65536, 2),
       ERR_NOTESRT_PICTURE_TOO_LARGE},
      {"PNG with a wrong signature", TPictureKind::Png, "\x89PNX" + Png(1, 1).substr(4),
       ERR_NOTESRT_NOT_PICTURE},
      {"PNG cut in its header", TPictureKind::Png, Png(1, 1).substr(0, 30),
       ERR_NOTESRT_NOT_PICTURE},
      {"PNG of no pixels", TPictureKind::Png, Png(0, 5), ERR_NOTESRT_NOT_PICTURE},
      {"BMP", TPictureKind::Bmp, Bmp(12, 3), NOERROR, 12, 3},
      {"BMP top down", TPictureKind::Bmp, Bmp(5, -4), NOERROR, 5, 4},
      {"BMP wider than 65,535 pixels", TPictureKind::Bmp, Bmp(70000, 1),
       ERR_NOTESRT_PICTURE_TOO_LARGE},
      {"BMP rows past the end", TPictureKind::Bmp, Bmp(64, 64).substr(0, 200),
       ERR_NOTESRT_NOT_PICTURE},
      {"BMP pixels before its palette", TPictureKind::Bmp, Bmp(8, 1, 20), ERR_NOTESRT_NOT_PICTURE},
      {"a PNG is no BMP", TPictureKind::Bmp, Png(1, 1), ERR_NOTESRT_NOT_PICTURE},
      {"empty file", TPictureKind::Jpeg, "", ERR_NOTESRT_NOT_PICTURE},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    std::string records;
    ASSERT_EQ(PictureRecords(test.Kind, test.File, records), test.Expected);
    if (test.Expected != NOERROR) continue;
    // CDGRAPHIC: the page size at 15 twips a pixel.
    ASSERT_GE(records.size(), 56u);
    EXPECT_EQ(records.substr(0, 6), "\x99" + std::string(1, '\0') + Le32(28));
    EXPECT_EQ(records.substr(6, 4), Le16(test.Width * 15) + Le16(test.Height * 15));
    // CDIMAGEHEADER: the size in pixels and the whole file as data.
    EXPECT_EQ(records.substr(28, 6), "\x7D" + std::string(1, '\0') + Le32(28));
    EXPECT_EQ(records.substr(36, 8), Le16(test.Width) + Le16(test.Height) + Le32(test.File.size()));
  }
}

// Data in segments of at most 10,240 bytes, unchanged: the export gives the same bytes back.
TEST_F(PictureFiles, SegmentsCarryTheFileUnchangedAndLibrariesWriteThemBehindTheTypeWord) {
  const std::string file = Png(5000, 100, 25000);
  std::string records;
  ASSERT_EQ(PictureRecords(TPictureKind::Png, file, records), NOERROR);
  // Scaled to fit 16 bits; three segments.
  const std::string size = std::to_string(file.size());
  EXPECT_EQ(Describe(Le16(TYPE_COMPOSITE) + records), "G65535x1310|I4 5000x100 " + size +
                                                          "/3|S10240|S10240|S" +
                                                          std::to_string(file.size() - 20480));
  std::string rtf;
  ASSERT_EQ(xrtf::TCdToRtf(notesfilter::LmbcsToUtf8).Convert(records, rtf), NOERROR);
  std::string hex;
  for (unsigned char byte : file)
    hex += "0123456789abcdef"[byte >> 4], hex += "0123456789abcdef"[byte & 15];
  std::string joined;
  for (char c : rtf)
    if (c != '\r' && c != '\n') joined += c;
  EXPECT_NE(joined.find("\\pngblip\\picw5000\\pich100\\picwgoal65535\\pichgoal1310 " + hex + "}"),
            std::string::npos);
  // The libraries as the runtime loads them: a picture's records behind the type word. What
  // refuses a file is above; that a refusal leaves no output file is the import entry's, shared
  // with NITEXT and tested there.
  const struct {
    const char* Library;
    TPictureKind Kind;
    std::string File;
  } cases[] = {{"NIJPG", TPictureKind::Jpeg, Jpeg(20, 10)},
               {"NIBMP", TPictureKind::Bmp, Bmp(9, 9)},
               {"nipng.so", TPictureKind::Png, Png(3, 4, 100)}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test.Library);
    const TImport result = Import(test.Library, test.File);
    ASSERT_EQ(result.Status, NOERROR);
    std::string records;
    ASSERT_EQ(PictureRecords(test.Kind, test.File, records), NOERROR);
    EXPECT_EQ(result.Output, Le16(TYPE_COMPOSITE) + records);
  }
}

}  // namespace
