#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "RuntimeFixture.h"
#include "notesapi/acl.h"
#include "notesapi/bsafeerr.h"
#include "notesapi/clerr.h"
#include "notesapi/foldman.h"
#include "notesapi/fterr.h"
#include "notesapi/mailserv.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/notesrt.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/osmisc.h"
#include "notesapi/srverr.h"

using runtimetest::StatusText;

// A text is found with or without the flag bits; an unknown status gives nothing; a known one
// is cut to the given length, NUL included.
TEST(StatusTexts, FoundWithOrWithoutTheFlagBitsNeverWrittenPastTheGivenLength) {
  EXPECT_EQ(StatusText(ERR_NOEXIST), "File does not exist");
  EXPECT_EQ(StatusText(0x8103), "File does not exist");
  EXPECT_EQ(StatusText(0x4000 | ERR_ITEM_NOT_FOUND), "Note item not found");
  EXPECT_EQ(StatusText(0xC000 | ERR_ACL_NOENTRY), "The name is not in the list.");
  EXPECT_EQ(StatusText(0x9728), "The prompt for password was aborted by user");
  EXPECT_EQ(StatusText(ERR_CANCEL), "Operation stopped at your request");
  char text[16];
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, 0x3FFE, text, sizeof text - 1), 0);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(OSLoadString(nullptr, 0, text, sizeof text - 1), 0);
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 5), 4);
  EXPECT_STREQ(text, "File");
  EXPECT_EQ(text[5], 'x');
  std::memset(text, 'x', sizeof text);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 1), 0);
  EXPECT_EQ(std::string(text, 2), std::string("\0x", 2));
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, text, 0), 0);
  EXPECT_EQ(OSLoadString(nullptr, ERR_NOEXIST, nullptr, 10), 0);
}

// The list is made at build time from every ERR_ name in the runtime's sources.
TEST(StatusTexts, EveryStatusTheRuntimeNamesHasOne) {
  struct TNamed {
    const char* Name;
    STATUS Status;
  };
  const TNamed statuses[] = {
#define STATUS_NAME(name) {#name, name},
#include "RuntimeStatuses.inc"
#undef STATUS_NAME
  };
  ASSERT_GT(std::size(statuses), 100u);
  for (const TNamed& named : statuses) {
    EXPECT_FALSE(StatusText(named.Status).empty()) << named.Name;
    bool own = std::string_view(named.Name).starts_with("ERR_NOTESRT_");
    EXPECT_EQ(own, (named.Status & PKG_MASK) == PKG_NOTESRT)
        << named.Name << " is in package " << std::hex << (named.Status & PKG_MASK);
  }
}
