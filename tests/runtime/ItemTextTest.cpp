// Values converted to text.
#include <gtest/gtest.h>

#include <cstring>

#include "ScopedEnv.h"
#include "StorageFixture.h"
#include "notesapi/misc.h"
#include "notesapi/ods.h"
#include "notesapi/ostime.h"

namespace {

class ItemText : public runtimetest::NewNoteTest {
 protected:
  std::string Convert(const char* Name, char Separator = ';', WORD Size = 256) {
    char text[256];
    WORD length = NSFItemConvertToText(Note(), Name, text, Size, Separator);
    return std::string(text, length);
  }

  void Append(const char* Name, WORD Type, const std::string& Value) {
    ASSERT_EQ(NSFItemAppend(Note(), 0, Name, static_cast<WORD>(std::strlen(Name)), Type,
                            Value.data(), Value.size()),
              NOERROR);
  }
};

TEST_F(ItemText, EachTypeHasItsTextForm) {
  NUMBER number = 0.1;
  Append("N", TYPE_NUMBER, std::string(reinterpret_cast<char*>(&number), sizeof number));
  EXPECT_EQ(Convert("N"), "0.1");
  Append("L", TYPE_TEXT_LIST, runtimetest::TextListValue({"a", "bc"}));
  EXPECT_EQ(Convert("L", ','), "a,bc");
  std::string range("\x02\x00\x00\x00", 4);
  for (NUMBER value : {1.5, -2.0}) range.append(reinterpret_cast<char*>(&value), sizeof value);
  Append("R", TYPE_NUMBER_RANGE, range);
  EXPECT_EQ(Convert("R"), "1.5;-2");
  TIME local{2024, 3, 9, 0, 14, 5, 6, 0, 0, 0, {}};
  OSCurrentTimeZone(&local.zone, &local.dst);
  ASSERT_FALSE(TimeLocalToGM(&local));
  ASSERT_EQ(NSFItemSetTime(Note(), "T", &local.GM), NOERROR);
  {
    vesktest::ScopedLocale locale("C");  // its documented date and time formats
    EXPECT_EQ(Convert("T"), "03/09/2024 14:05:06");
  }
  EXPECT_EQ(Convert("Missing"), "");
  EXPECT_EQ(Convert("L", ',', 3), "a,");
}

TEST_F(ItemText, ValueBlockIdsConvertWithinTheirLength) {
  Append("L", TYPE_TEXT_LIST, runtimetest::TextListValue({"a", "b"}));
  BLOCKID value{};
  DWORD length = 0;
  WORD type = 0;
  ASSERT_EQ(NSFItemInfo(Note(), "L", 1, nullptr, &type, &value, &length), NOERROR);
  char text[16];
  EXPECT_EQ(NSFItemConvertValueToText(type, value, length, text, sizeof text, '|'), 3);
  EXPECT_STREQ(text, "a|b");
  EXPECT_EQ(NSFItemConvertValueToText(type, value, 1000, text, sizeof text, '|'), 3);
  EXPECT_EQ(NSFItemConvertValueToText(type, BLOCKID{}, length, text, sizeof text, '|'), 0);
}

}  // namespace
