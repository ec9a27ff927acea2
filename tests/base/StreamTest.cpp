#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "ErrorOf.h"
#include "FileStream.h"
#include "FileText.h"
#include "MemoryStream.h"
#include "TempDir.h"

namespace {

std::string Contents(const TMemoryStream& Stream) {
  return std::string(static_cast<const char*>(Stream.Memory()), Stream.Size());
}

int OpenDescriptors() {
  int Count = 0;
  for ([[maybe_unused]] auto& Entry : std::filesystem::directory_iterator("/proc/self/fd")) ++Count;
  return Count;
}

class FileStreamTest : public testing::Test {
 protected:
  std::string File(const char* Name) const { return (FDir.Path() / Name).string(); }

  vesktest::TempDir FDir;
};

TEST(MemoryStream, ReadWriteSeekAndSizeGapsReadAsZerosAndShortReadsRaise) {
  TMemoryStream Stream;
  Stream.WriteBuffer("hello world", 11);
  EXPECT_EQ(Stream.Size(), 11);
  EXPECT_EQ(Stream.Position(), 11);
  EXPECT_EQ(Stream.Seek(-5, soFromEnd), 6);
  Stream.WriteBuffer("there!", 6);
  EXPECT_EQ(Contents(Stream), "hello there!");
  Stream.SetPosition(0);
  char Buffer[8] = {};
  EXPECT_EQ(Stream.Read(Buffer, 5), 5);
  EXPECT_EQ(std::string(Buffer, 5), "hello");
  EXPECT_EQ(Stream.Seek(2, soFromCurrent), 7);
  EXPECT_EQ(Stream.Read(Buffer, 8), 5);  // only what remains
  EXPECT_EQ(Stream.Read(Buffer, 8), 0);
  Stream.Clear();
  Stream.SetPosition(3);
  EXPECT_EQ(Stream.Size(), 0);
  Stream.WriteBuffer("x", 1);
  EXPECT_EQ(Contents(Stream), std::string("\0\0\0x", 4));
  Stream.SetSize(2);
  EXPECT_EQ(Stream.Position(), 2);
  Stream.SetSize(6);
  EXPECT_EQ(Contents(Stream), std::string(6, '\0'));
  Stream.Clear();
  EXPECT_EQ(Stream.Size(), 0);
  EXPECT_EQ(Stream.Position(), 0);
  // A short read and bad positions raise.
  TMemoryStream Short;
  Short.WriteBuffer("abc", 3);
  Short.SetPosition(1);
  char Four[4];
  EXPECT_EQ(vesktest::ErrorOf<EReadError>([&] { Short.ReadBuffer(Four, 4); }), "Stream read error");
  const std::function<void()> Raising[] = {
      [&] { Short.Seek(-1, soFromBeginning); }, [&] { Short.Seek(-4, soFromEnd); },
      [&] { Short.Seek(INT64_MAX, soFromEnd); }, [&] { Short.SetSize(-1); }};
  for (size_t I = 0; I < std::size(Raising); ++I) EXPECT_THROW(Raising[I](), EStreamError) << I;
  EXPECT_EQ(Short.Read(Four, -1) + Short.Write(Four, -1), 0);
}

TEST(MemoryStream, CopyFromWholeOrPartAndFromItsOwnMemory) {
  TMemoryStream Source;
  std::string Large(200000, '\0');
  for (size_t I = 0; I < Large.size(); ++I) Large[I] = static_cast<char>(I * 7);
  Source.WriteBuffer(Large.data(), Large.size());
  TMemoryStream Whole;
  EXPECT_EQ(Whole.CopyFrom(Source, 0), 200000);  // 0: all of it, from the start
  EXPECT_EQ(Contents(Whole), Large);
  Source.SetPosition(10);
  TMemoryStream Part;
  EXPECT_EQ(Part.CopyFrom(Source, 5), 5);
  EXPECT_EQ(Contents(Part), Large.substr(10, 5));
  EXPECT_THROW(Part.CopyFrom(Source, 300000), EReadError);
  EXPECT_THROW(Part.CopyFrom(Source, -1), EStreamError);
  // A stream may write its own memory into itself.
  TMemoryStream Stream;
  Stream.WriteBuffer("abcd", 4);
  Stream.SaveToStream(Stream);  // grows while reading from its own memory
  EXPECT_EQ(Contents(Stream), "abcdabcd");
  Stream.SetPosition(1);
  Stream.WriteBuffer(Stream.Memory(), 4);  // overlapping, without growth
  EXPECT_EQ(Contents(Stream), "aabcdbcd");
}

TEST_F(FileStreamTest, MemoryStreamsRoundTripCreateWritesReopenReadsAndModesLimitAccess) {
  TMemoryStream Memory;
  std::string Data("binary\0\r\n\xFF data", 15);
  Memory.WriteBuffer(Data.data(), Data.size());
  Memory.SaveToFile(File("out.bin"));
  EXPECT_EQ(vesktest::ReadFileText(File("out.bin")), Data);
  TMemoryStream Loaded;
  Loaded.WriteBuffer("old", 3);
  Loaded.LoadFromFile(File("out.bin"));
  EXPECT_EQ(Contents(Loaded), Data);
  EXPECT_EQ(Loaded.Position(), 0);
  {
    TFileStream Stream(File("a.txt"), fmCreate);
    Stream.WriteBuffer("0123456789", 10);
    EXPECT_EQ(Stream.Size(), 10);
    Stream.SetSize(4);
    EXPECT_EQ(Stream.Position(), 4);
  }
  EXPECT_EQ(vesktest::ReadFileText(File("a.txt")), "0123");
  {
    TFileStream Stream(File("a.txt"), fmOpenReadWrite | fmShareDenyWrite);
    Stream.Seek(0, soFromEnd);
    Stream.WriteBuffer("45", 2);
    Stream.SetPosition(1);
    char Buffer[8];
    EXPECT_EQ(Stream.Read(Buffer, 8), 5);
    EXPECT_EQ(std::string(Buffer, 5), "12345");
  }
  TFileStream Again(File("a.txt"), fmCreate);  // creating empties an existing file
  EXPECT_EQ(Again.Size(), 0);
  std::ofstream(File("r.txt")) << "data";
  TFileStream Reader(File("r.txt"), fmOpenRead);
  EXPECT_THROW(Reader.WriteBuffer("x", 1), EWriteError);
  TFileStream Writer(File("r.txt"), fmOpenWrite);
  char Buffer[4];
  EXPECT_THROW(Writer.ReadBuffer(Buffer, 1), EReadError);
  Writer.WriteBuffer("DA", 2);
  EXPECT_EQ(vesktest::ReadFileText(File("r.txt")), "DAta");
}

TEST_F(FileStreamTest, OpenErrorsNameThePathAndEveryPathClosesTheFile) {
  EXPECT_EQ(vesktest::ErrorOf<EFOpenError>([&] {
              TFileStream(File("missing.txt"), fmOpenRead);
            }).rfind("Cannot open file \"" + File("missing.txt") + "\". ", 0),
            0u);
  EXPECT_PRED_FORMAT2(testing::IsSubstring, "no/dir/x.txt", vesktest::ErrorOf<EFCreateError>([&] {
                        TFileStream Stream(File("no/dir/x.txt"), fmCreate);
                      }));
  EXPECT_THROW(TFileStream(FDir.Path().string(), fmOpenRead), EFOpenError);  // a directory
  EXPECT_THROW(TFileStream(File("missing.txt"), 0x0003), EFOpenError);       // no such mode
  // Every path closes the file.
  std::ofstream(File("f.txt")) << "abc";
  int Before = OpenDescriptors();
  char Buffer[8];
  for (int I = 0; I < 20; ++I) {
    { TFileStream Stream(File("f.txt"), fmOpenRead); }
    EXPECT_THROW(TFileStream(File("f.txt/x"), fmOpenRead), EFOpenError);
    TMemoryStream Memory;
    EXPECT_THROW(Memory.SaveToFile(File("none/x")), EFCreateError);
    EXPECT_THROW(TFileStream(File("f.txt"), fmOpenRead).ReadBuffer(Buffer, 8), EReadError);
  }
  EXPECT_EQ(OpenDescriptors(), Before);
}

}  // namespace
