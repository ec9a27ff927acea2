#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "Classes.h"
#include "NotesFixture.h"
#include "NotesSummary.h"
#include "TNotesDatabase.h"
#include "TNotesDocumentCollection.h"

namespace {

using SummaryTest = NotesFixture;

template <typename T>
void Put(std::vector<char>& Bytes, const T& Value) {
  const auto* data = reinterpret_cast<const char*>(&Value);
  Bytes.insert(Bytes.end(), data, data + sizeof(T));
}

std::vector<char> TextValue(const std::string& Text) {
  std::vector<char> value;
  Put(value, WORD{TYPE_TEXT});
  value.insert(value.end(), Text.begin(), Text.end());
  return value;
}

std::vector<char> TextListValue(const std::vector<std::string>& Entries) {
  std::vector<char> value;
  Put(value, WORD{TYPE_TEXT_LIST});
  Put(value, static_cast<WORD>(Entries.size()));
  for (const auto& entry : Entries) Put(value, static_cast<WORD>(entry.size()));
  for (const auto& entry : Entries) value.insert(value.end(), entry.begin(), entry.end());
  return value;
}

// A summary buffer as Notes lays it out: total, count, descriptors, then names and values.
std::vector<char> Summary(const std::vector<std::pair<std::string, std::vector<char>>>& Items) {
  std::vector<char> body;
  std::vector<char> table;
  Put(table, WORD{0});
  Put(table, static_cast<WORD>(Items.size()));
  for (const auto& [name, value] : Items) {
    Put(table, static_cast<WORD>(name.size()));
    Put(table, static_cast<WORD>(value.size()));
    body.insert(body.end(), name.begin(), name.end());
    body.insert(body.end(), value.begin(), value.end());
  }
  table.insert(table.end(), body.begin(), body.end());
  const WORD total = static_cast<WORD>(table.size());
  std::memcpy(table.data(), &total, sizeof(total));
  return table;
}

std::string SummaryText(const std::vector<char>& Buffer, size_t Size) {
  std::string text;
  DecodeSummary(Buffer.data(), Size, [&](const std::string& Name, const TVariant& Value) {
    AppendSummaryText(Name, Value, text);
  });
  return text;
}

const std::vector<char> TwoItems =
    Summary({{"A", TextValue("1")}, {"B", TextListValue({"x", "y"})}});

// A copy of Buffer with the WORD at Offset set to Value.
std::vector<char> WithWord(std::vector<char> Buffer, size_t Offset, WORD Value) {
  std::memcpy(Buffer.data() + Offset, &Value, sizeof(Value));
  return Buffer;
}

// Items are read only while whole inside both the buffer and the table's claimed total;
// malformed headers give nothing; unsupported values have no text.
TEST_F(SummaryTest, SummaryBuffersGiveNameValueLinesOfTheirWholeItems) {
  std::vector<char> object;
  Put(object, WORD{TYPE_OBJECT});
  Put(object, DWORD{42});
  const WORD shortTotal = static_cast<WORD>(TwoItems.size() - 3);
  const struct {
    const char* Name;
    std::vector<char> Buffer;
    size_t Cut;  // bytes left out at the end
    std::string Text;
    size_t Total;  // what a caller steps over
  } cases[] = {
      {"text and text list", TwoItems, 0, "\r\nA=1\r\nB=x;y;", TwoItems.size()},
      {"an object", Summary({{"$FILE", object}, {"A", TextValue("1")}}), 0, "\r\n$FILE=\r\nA=1", 0},
      {"cut inside the second item", TwoItems, 1, "\r\nA=1", 0},
      {"a total claiming less than the items hold", WithWord(TwoItems, 0, shortTotal), 0, "\r\nA=1",
       shortTotal},
      {"cut in the header", TwoItems, TwoItems.size() - 3, "", 0},
      {"descriptors past the buffer", WithWord(TwoItems, sizeof(WORD), 5000), 0, "", 0},
      {"a name length past the table", WithWord(TwoItems, 4, 0xFFFF), 0, "", 0},
  };
  for (const auto& c : cases) {
    const size_t size = c.Buffer.size() - c.Cut;
    EXPECT_EQ(SummaryText(c.Buffer, size), c.Text) << c.Name;
    if (c.Total) {
      EXPECT_EQ(DecodeSummary(c.Buffer.data(), size, [](auto&, auto&) {}), c.Total) << c.Name;
    }
  }
  std::string text;
  AppendSummaryText("N", TVariant::Null(), text);
  AppendSummaryText("E", TVariant(), text);
  EXPECT_EQ(text, "\r\nN=\r\nE=");
}

class CollectionTest : public NotesFixture {
 protected:
  TNotesDatabase FDatabase;
  TNotesDocumentCollection FCollection{FDatabase};
};

// A view-reading buffer in Notes memory: note IDs, each followed by its summary.
class ViewBuffer {
 public:
  void Add(DWORD NoteID, const std::vector<char>& SummaryBuffer) {
    Put(FBytes, NoteID);
    FBytes.insert(FBytes.end(), SummaryBuffer.begin(), SummaryBuffer.end());
  }
  DHANDLE Allocate(size_t Size) {
    EXPECT_EQ(OSMemAlloc(0, static_cast<DWORD>(Size), &FHandle), NOERROR);
    std::memcpy(OSLockObject(FHandle), FBytes.data(), std::min(Size, FBytes.size()));
    OSUnlockObject(FHandle);
    return FHandle;
  }
  size_t Size() const { return FBytes.size(); }
  ~ViewBuffer() {
    if (FHandle != NULLHANDLE) OSMemFree(FHandle);
  }

 private:
  std::vector<char> FBytes;
  DHANDLE FHandle = NULLHANDLE;
};

TEST_F(CollectionTest, NoteIDZeroIsNeverAddedDeleteMovesEntriesUpAndViewBuffersAreRead) {
  EXPECT_EQ(FCollection.AddDocumentId(0, "\r\nA=1"), -1);
  EXPECT_EQ(FCollection.Count(), 0);
  EXPECT_EQ(FCollection.AddDocumentId(8, "x"), 0);
  EXPECT_EQ(FCollection.AddDocumentId(8, "y"), 1);
  EXPECT_EQ(FCollection.GetSummaryValues(1), "y");
  FCollection.Clear();
  FCollection.AddDocumentId(4, "");
  FCollection.AddDocumentId(8, "");
  FCollection.AddDocumentId(12, "");
  FCollection.DeleteDocumentID(1);
  EXPECT_EQ(FCollection.GetDocumentId(1), 12);
  EXPECT_THROW(FCollection.GetDocumentId(2), EStringListError);
  EXPECT_THROW(FCollection.DeleteDocumentID(-1), EStringListError);
  FCollection.Clear();
  EXPECT_EQ(FCollection.Count(), 0);
  // Category rows (high bits set) are stepped over with their summaries; a buffer that claims more
  // entries or bytes than it holds is read up to its end.
  const std::vector<char> a2 = Summary({{"A", TextValue("2")}});
  const struct {
    const char* Name;
    std::vector<std::pair<DWORD, std::vector<char>>> Entries;
    size_t Cut;  // bytes of the buffer not in memory
    WORD Claimed;
    bool Summaries;
    std::vector<std::pair<int32_t, std::string>> Read;
  } cases[] = {
      {"categories",
       {{0x80000004, Summary({{"Cat", TextValue("c")}})},
        {20, TwoItems},
        {0x40000008, Summary({})},
        {24, a2}},
       0,
       4,
       true,
       {{20, "\r\nA=1\r\nB=x;y;"}, {24, "\r\nA=2"}}},
      {"no summaries", {{4, {}}, {0xC000000C, {}}, {12, {}}}, 0, 3, false, {{4, ""}, {12, ""}}},
      {"claiming more",
       {{20, TwoItems}, {24, TwoItems}},
       1,
       50,
       true,
       {{20, "\r\nA=1\r\nB=x;y;"}, {24, "\r\nA=1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ViewBuffer buffer;
    for (const auto& [id, summary] : c.Entries) buffer.Add(id, summary);
    FCollection.Clear();
    FCollection.GetCollectionByHandle(buffer.Allocate(buffer.Size() - c.Cut), c.Claimed,
                                      c.Summaries);
    std::vector<std::pair<int32_t, std::string>> read;
    for (int index = 0; index < FCollection.Count(); ++index)
      read.emplace_back(FCollection.GetDocumentId(index), FCollection.GetSummaryValues(index));
    EXPECT_EQ(read, c.Read);
  }
}

}  // namespace
