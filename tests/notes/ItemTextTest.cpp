// Text items against ICU's LMBCS converter: what is stored, what reads back, what a formula
// finds.
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <map>
#include <string>
#include <vector>

#include "DesignFixture.h"

namespace {

// Text converted by ICU; "" when a character has no form in the target.
std::string IcuConverted(const char* To, const char* From, const std::string& Text) {
  std::string out(Text.size() * 4 + 8, '\0');
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = ucnv_convert(To, From, out.data(), static_cast<int32_t>(out.size()),
                                      Text.data(), static_cast<int32_t>(Text.size()), &error);
  if (U_FAILURE(error)) return "";
  out.resize(static_cast<size_t>(length));
  return out;
}

std::string IcuLmbcs(const std::string& Utf8) {
  return IcuConverted("LMBCS-1", "UTF-8", Utf8);
}

std::string Utf8Of(UChar32 CodePoint) {
  char bytes[U8_MAX_LENGTH];
  int32_t length = 0;
  U8_APPEND_UNSAFE(bytes, length, CodePoint);
  return std::string(bytes, static_cast<size_t>(length));
}

// Characters from every LMBCS group: the code-page groups, the double-byte groups and the
// Unicode group, with every U+xx0A and U+xx0D (whose LMBCS may hold a line-break byte). Only
// characters ICU maps both ways; no quotes or backslashes, so that lines fit a formula literal.
// One line per group, the group byte first (1 for single bytes).
std::map<int, std::string> CharactersByGroup() {
  std::vector<std::pair<UChar32, UChar32>> ranges = {
      {0x20, 0x24F},    {0x370, 0x6FF},   {0xA00, 0xAFF},    {0xD00, 0xD7F},
      {0xE00, 0xE7F},   {0x2000, 0x27BF}, {0x3040, 0x30FF},  {0x4E00, 0x4FFF},
      {0xAC00, 0xAC7F}, {0xFF01, 0xFF5E}, {0x1F600, 0x1F60F}};
  for (UChar32 high = 0x100; high < 0x10000; high += 0x100)
    ranges.push_back({high + 0x0A, high + 0x0A}), ranges.push_back({high + 0x0D, high + 0x0D});
  std::map<int, std::string> groups;
  for (const auto& [first, last] : ranges)
    for (UChar32 c = first; c <= last; ++c) {
      if (c == '"' || c == '\\' || !u_isdefined(c) || u_iscntrl(c) || U_IS_SURROGATE(c)) continue;
      const std::string text = Utf8Of(c);
      const std::string lmbcs = IcuLmbcs(text);
      if (lmbcs.empty() || IcuConverted("UTF-8", "LMBCS-1", lmbcs) != text) continue;
      const auto lead = static_cast<unsigned char>(lmbcs[0]);
      groups[lead < 0x20 ? lead : 1] += text;
    }
  return groups;
}

class ItemTextTest : public DesignFixture {
 protected:
  // Writes Text as the item S of a new saved note and reopens it.
  std::unique_ptr<TNotesDocument> Written(const std::string& Text) {
    return std::make_unique<TNotesDocument>(*FDatabase, CreateDocument({{"S", Text}}));
  }

  static std::string Stored(TNotesDocument& Document) {
    const std::vector<char> value = Document.GetItemByName("S")->GetValueBuffer();
    return value.size() < 2 ? "" : std::string(value.begin() + 2, value.end());
  }

  // The note a formula selecting S = Text finds, 0 for none.
  NOTEID Found(const std::string& Text) {
    auto found = FDatabase->FindDocument("S = \"" + Text + "\"");
    return found ? found->NoteID() : 0;
  }
};

TEST_F(ItemTextTest, TextOfEveryLmbcsGroupIsStoredAsIcuEncodesItAndFoundAndStaysWhole) {
  const std::map<int, std::string> groups = CharactersByGroup();
  for (int group : {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x0B, 0x10, 0x11, 0x14})
    EXPECT_TRUE(groups.count(group)) << "no character of group " << group;
  std::string all, allStored;
  for (const auto& [group, line] : groups) {
    SCOPED_TRACE("group " + std::to_string(group));
    auto document = Written(line);
    EXPECT_EQ(Stored(*document), IcuLmbcs(line));
    EXPECT_EQ(document->GetItemByName("S")->GetAsString(), line);
    EXPECT_EQ(Found(line), document->NoteID());
    all += (all.empty() ? "" : "\r\n") + line;
    allStored += IcuLmbcs(line) + std::string(1, '\0');
  }
  // Every line in one text: the lines go apart at the breaks and nowhere else.
  auto document = Written(all);
  EXPECT_EQ(Stored(*document), allStored);
  EXPECT_EQ(document->GetItemByName("S")->GetAsString(), all);
  // Characters with line-break bytes in their LMBCS stay whole.
  const struct {
    const char* Name;
    std::string Text;
    std::vector<std::string> Lines;
  } cases[] = {{"U+270D", "✍ sign", {"✍ sign"}},
               {"U+0A05", "ਅ", {"ਅ"}},
               {"U+0D0A", "xഊy", {"xഊy"}},
               {"CJK", "中文 한국어", {"中文 한국어"}},
               {"CR LF, LF and CR", "✍\r\nഊ\nਅ\r中", {"✍", "ഊ", "ਅ", "中"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto document = Written(c.Text);
    std::string stored, read;
    for (const std::string& line : c.Lines) {
      stored += (stored.empty() ? "" : std::string(1, '\0')) + IcuLmbcs(line);
      read += (read.empty() ? "" : "\r\n") + line;
    }
    if (c.Lines.size() > 1) stored += '\0';
    EXPECT_EQ(Stored(*document), stored);
    EXPECT_EQ(document->GetItemByName("S")->GetAsString(), read);
    if (c.Lines.size() == 1) {
      EXPECT_EQ(Found(c.Text), document->NoteID());
    }
  }
}

}  // namespace
