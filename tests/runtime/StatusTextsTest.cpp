#include <gtest/gtest.h>

#include <cstring>

#include "RuntimeFixture.h"
#include "notesapi/bsafeerr.h"
#include "notesapi/miscerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"

using runtimetest::StatusText;

TEST(StatusTexts, FoundWithOrWithoutTheFlagBits) {
  EXPECT_EQ(StatusText(ERR_NOEXIST), "File does not exist");
  EXPECT_EQ(StatusText(0x8103), "File does not exist");
  EXPECT_EQ(StatusText(0x4000 | ERR_ITEM_NOT_FOUND), "Note item not found");
  EXPECT_EQ(StatusText(0xC000 | ERR_ACL_NOENTRY), "The name is not in the list.");
  EXPECT_EQ(StatusText(0x9728), "The prompt for password was aborted by user");
  EXPECT_EQ(StatusText(ERR_CANCEL), "Operation stopped at your request");
}

TEST(StatusTexts, EveryStatusOfTheRuntimeHasOne) {
  for (unsigned status :
       {ERR_NOTESRT_NO_INI, ERR_NOTESRT_INVALID_HANDLE, ERR_NOTESRT_LOCKED,
        ERR_NOTESRT_RUNTIME_OWNED, ERR_NOTESRT_NOT_INITIALIZED, ERR_NOTESRT_TOO_MANY_HANDLES,
        ERR_NOTESRT_INTERNAL, ERR_MEMORY, ERR_SEGMENT_TOO_BIG, ERR_INV_FILE_NAME,
        ERR_INV_SERVER_NAME, ERR_MISC_INVALID_ARGS, ERR_ODS_NO_SUCH_ENTRY})
    EXPECT_FALSE(StatusText(status).empty()) << std::hex << status;
}

TEST(StatusTexts, UnknownCodeGivesZeroAndAnEmptyString) {
  char text[32];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, 0x3FFE, text, sizeof text - 1), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(OSLoadString(nullptr, 0, text, sizeof text - 1), 0);
}

TEST(StatusTexts, NeverWritesPastTheGivenLength) {
  char text[16];
  std::memset(text, 'x', sizeof text);
  // "File does not exist" cut to 4 characters and the NUL: 5 bytes in all.
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 5), 4);
  EXPECT_STREQ(text, "File");
  EXPECT_EQ(text[5], 'x');

  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 1), 0);
  EXPECT_EQ(text[0], '\0');
  EXPECT_EQ(text[1], 'x');
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 0), 0);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, nullptr, 10), 0);
}
