// Rich text into the note: the pieces HugeNSFRTFItemAppend and SaveContext append, damaged
// buffers, failing appends, and plain SetRichText.
#include <cstdint>

#include "BulkAllocator.h"
#include "ELotusNotes.h"
#include "HugeNSFRTFItemAppend.h"
#include "RichTextFixture.h"
#include "notesapi/notesrt.h"

namespace {

class RichTextSaveTest : public RichTextFixture {
 protected:
  void TearDown() override {
    NotesRTFailItemAppend(0, NOERROR);
    RichTextFixture::TearDown();
  }
  // A CDTEXT of exactly Length bytes (even, at least 8).
  static std::string RunOf(size_t Length) {
    return Hex("85 FF") + Word(static_cast<WORD>(Length)) + Hex("01 00 00 0A") +
           std::string(Length - 8, 'x');
  }
  // A record with a DWORD length (a graphic) of exactly Length bytes.
  static std::string LongRecord(size_t Length) {
    std::string record = Hex("99 00") + std::string(4, '\0') + std::string(Length - 6, 'g');
    for (int i = 0; i < 4; ++i) record[2 + i] = static_cast<char>(Length >> (8 * i));
    return record;
  }
  void AppendRaw(const std::string& Buffer) {
    HugeNSFRTFItemAppend(FDocument->NoteHandle(), 0, "Body", 4, Buffer.data(),
                         static_cast<DWORD>(Buffer.size()));
  }
  std::vector<size_t> ItemSizes() {
    std::vector<size_t> sizes;
    for (const std::string& value : ItemValues("Body")) sizes.push_back(value.size());
    return sizes;
  }
};

std::string Repeat(const std::string& Part, int Count) {
  std::string all;
  for (int i = 0; i < Count; ++i) all += Part;
  return all;
}

// Pieces take whole records until they hold 40,000 bytes, never more than 64,000 unless one
// record alone is longer.
TEST_F(RichTextSaveTest, BuffersAreCutIntoPiecesAtRecordBoundariesAndDamagedOnesAppendNothing) {
  const struct {
    const char* What;
    std::string Buffer;
    std::vector<size_t> Items;
  } cases[] = {
      {"40,000 bytes", Repeat(RunOf(10000), 4), {40000}},
      {"40,002 bytes", Repeat(RunOf(10000), 4) + Hex("81 02"), {40000, 2}},
      {"40,001 bytes ending in an odd record",
       Repeat(RunOf(10000), 3) + RunOf(9996) + Hex("81 05 01 02 03"),
       {40001}},
      {"two records up to 64,000", Repeat(RunOf(30000), 3), {60000, 30000}},
      {"a record past 64,000 starts a piece", RunOf(39000) + RunOf(30000), {39000, 30000}},
      {"a longer record alone", RunOf(100) + LongRecord(70000) + RunOf(100), {100, 70000, 100}},
  };
  for (const auto& test : cases) {
    FDocument = FDatabase->CreateDocument();
    AppendRaw(test.Buffer);
    EXPECT_EQ(ItemSizes(), test.Items) << test.What;
    std::string joined;
    for (const std::string& value : ItemValues("Body")) joined += value;
    EXPECT_EQ(joined, test.Buffer) << test.What;
  }
  // A damaged buffer appends nothing.
  const std::pair<const char*, std::string> damaged[] = {
      {"length below the header", Hex("81 02 85 FF 02 00")},
      {"record past the end", Hex("85 FF 10 00 01 00 00 0A")},
      {"length near 4 GiB", Hex("81 02 99 00 FE FF FF FF 00 00")},
      {"zero length", Hex("99 00 00 00 00 00")},
      {"header cut off", Hex("81 02 85 FF 09")},
      {"a stray byte", Hex("81 02 00")},
      {"damage after the first piece", Repeat(RunOf(10000), 5) + Hex("85 FF FF 7F")},
  };
  FDocument->SetBodyAsString("kept");
  for (const auto& [what, buffer] : damaged) {
    EXPECT_THROW(AppendRaw(buffer), ELotusNotes) << what;
    EXPECT_EQ(FDocument->CountMultipleItems("Body"), 1) << what;
  }
}

// A failing append takes back what this save appended; the context stays open and the font
// table is not written, so the save can be tried again.
TEST_F(RichTextSaveTest, ASaveIsAllOrNothing) {
  auto body = NewBody();
  body->AddText("first");
  body->SaveContext();
  body->FaceName = "Arial";
  for (int line = 0; line < 3000; ++line)
    body->AddTextPara(std::string(40, 'a' + line % 26) + "\r\n");
  const std::string context = ContextBytes(*body);
  // Every append of the save fails in turn, the font table's last; then none does.
  DWORD failing = 0;
  for (;; ++failing) {
    NotesRTFailItemAppend(failing, ERR_NOTESRT_STORAGE);
    try {
      body->SaveContext();
      break;
    } catch (const ELotusNotes&) {
    }
    EXPECT_EQ(FDocument->CountMultipleItems("Body"), 1) << failing;
    EXPECT_EQ(ContextBytes(*body), context) << failing;
    EXPECT_FALSE(FDocument->IsItemExists("$Fonts")) << failing;
  }
  NotesRTFailItemAppend(0, NOERROR);
  EXPECT_FALSE(body->HasContext());
  const int pieces = FDocument->CountMultipleItems("Body") - 1;
  EXPECT_GE(pieces, 3);
  EXPECT_EQ(failing, static_cast<DWORD>(pieces) + 1);
  EXPECT_TRUE(FDocument->IsItemExists("$Fonts"));
}

// Paragraph definition IDs are unique within the field: text appended later continues the
// numbering of what the note holds.
TEST_F(RichTextSaveTest, LaterTextDoesNotRedefineEarlierStyles) {
  auto first = NewBody();
  first->AddTextPara("one\r\n");
  first->SetParaJustification(rjCenter);
  first->AddPara();
  first->SaveContext();
  EXPECT_EQ(first->PabID(), 2u);
  SaveAndReopen();
  auto startsAtThree = [&](std::unique_ptr<TNotesRichTextItem> next) {
    EXPECT_EQ(next->PabID(), 2u);
    next->CreateContext();
    EXPECT_EQ(ContextBytes(*next).substr(4, 2), Hex("03 00"));
  };
  startsAtThree(TNotesRichTextItem::Create(*FDocument, "Body"));
  startsAtThree(NewBody());
}

// A context of many megabytes moves from the heap into its own mapping as it grows: every byte
// written before comes along, the whole block is writable, and it starts on a huge page.
TEST(BulkAllocator, GrowingPastTheThresholdKeepsEveryByte) {
  std::vector<char, TBulkAllocator<char>> buffer;
  for (const size_t size : {size_t{1} << 20, BulkThreshold - 1, BulkThreshold + 4097}) {
    const size_t old = buffer.size();
    buffer.resize(size);
    for (size_t at = (old + 4095) / 4096 * 4096; at < size; at += 4096)
      buffer[at] = static_cast<char>(at >> 12);
    buffer.back() = 1;
    for (size_t at = 0; at + 1 < size; at += 4096)
      ASSERT_EQ(buffer[at], static_cast<char>(at >> 12)) << "at " << at << " of " << size;
  }
#if defined(__linux__)
  EXPECT_EQ(reinterpret_cast<uintptr_t>(buffer.data()) % (uintptr_t{2} << 20), 0u);
#endif
}

}  // namespace
