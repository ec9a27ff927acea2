// vesk-mail's command line and the mail table it prints.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ErrorOf.h"
#include "Exception.h"
#include "MailHostOptions.h"
#include "MailListText.h"
#include "StringList.h"

namespace {

TMailHostOptions Parsed(std::vector<const char*> Arguments) {
  Arguments.insert(Arguments.begin(), {"vesk-mail", "--plugin", "/x.so"});
  return ParseMailHostOptions(static_cast<int>(Arguments.size()), Arguments.data());
}

TEST(MailHostOptionsTest, AddresseesAddUpFoldersTakeAnyCaseAndDesktopCommandsTheirWords) {
  const struct {
    std::vector<const char*> Arguments;
    std::string SendTo, CopyTo, Folder;
  } cases[] = {{{"send", "--to", "A", "--to", "B", "--cc", "C", "--cc", "D"}, "A, B", "C, D", ""},
               {{"send", "--to", "A, B", "--cc", "C", "--to", "E"}, "A, B, E", "C", ""},
               {{"list", "INBOX"}, "", "", "inbox"},
               {{"list", "Drafts", "--raw"}, "", "", "drafts"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Arguments[0] + std::string(" ") + c.Arguments[1]);
    const TMailHostOptions options = Parsed(c.Arguments);
    EXPECT_EQ(options.SendTo, c.SendTo);
    EXPECT_EQ(options.CopyTo, c.CopyTo);
    EXPECT_EQ(options.Folder, c.Folder);
  }
  // Desktop commands take their words.
  TMailHostOptions Open = Parsed({"--log", "--verbose", "open", "/usr/bin/prog", "--new -x"});
  EXPECT_TRUE(Open.Log && Open.Verbose && IsDesktopCommand(Open.Command));
  EXPECT_EQ(Open.OpenFile, "/usr/bin/prog");
  EXPECT_EQ(Open.OpenParams, "--new -x");
  TMailHostOptions Unc = Parsed({"unc", "/a", "--local-as-unc", "b"});
  EXPECT_EQ(Unc.Paths, (std::vector<std::string>{"/a", "b"}));
  EXPECT_TRUE(Unc.LocalAsUNC);
  EXPECT_FALSE(IsDesktopCommand(Parsed({"list", "inbox"}).Command));
  TMailHostOptions Attm = Parsed({"attm", "a.doc", "--uri-list", "-", "b"});
  EXPECT_TRUE(IsDesktopCommand(Attm.Command));
  EXPECT_EQ(Attm.Paths, (std::vector<std::string>{"a.doc", "b"}));
  EXPECT_EQ(Attm.UriListFile, "-");
  TMailHostOptions Split = Parsed({"attm", "--descr", "", "--split", "http://x"});
  EXPECT_EQ(Split.SplitLocation, "http://x");
  TMailHostOptions Shortcut = Parsed({"shortcut", "--dir", "/tmp", "http://x", "--name", "N"});
  EXPECT_TRUE(IsDesktopCommand(Shortcut.Command));
  EXPECT_EQ(Shortcut.ShortcutUrl + " " + Shortcut.ShortcutName + " " + Shortcut.ShortcutDir,
            "http://x N /tmp");
}

TEST(MailHostOptionsTest, MistakesAreNamed) {
  const struct {
    std::vector<const char*> Arguments;
    std::string Message;
  } cases[] = {
      {{"send", "--to", "A", "--subject", "x", "--subject", "y"},
       "Option --subject is given twice"},
      {{"send", "--to", "A", "--text", "x", "--text", "y"}, "Option --text is given twice"},
      {{"frobnicate"}, "Unknown command frobnicate; vesk-mail --help lists them"},
      {{"--frobnicate"}, "Unknown option --frobnicate; vesk-mail --help lists them"},
      {{"list", "nowhere"}, "Unknown folder nowhere: inbox, outbox, sent or drafts"},
      {{"open", "a", "b", "c"}, "open takes one text of parameters; quote parameters with blanks"},
      {{"unc", "--local-as-unc"},
       "unc needs at least one path; vesk-mail --help lists the commands"},
      {{"drives", "--raw"}, "Unknown option --raw for drives"},
      {{"attm"},
       "attm needs files, --uri-list, --url, --text or --split; vesk-mail --help lists the "
       "commands"},
      {{"attm", "a.doc", "--url", "http://x"},
       "attm takes one kind of drop: files (and --uri-list), --url or --text"},
      {{"attm", "--text", "-", "--uri-list", "-"},
       "attm takes one kind of drop: files (and --uri-list), --url or --text"},
      {{"attm", "--split", "x", "a.doc"}, "attm --split takes a stored reference, not a drop"},
      {{"attm", "a.doc", "--descr", "d"}, "attm --descr goes with --split"},
      {{"attm", "--url", "a", "--url", "b"}, "Option --url is given twice"},
      {{"attm", "--name", "a"}, "Unknown option --name for attm"},
      {{"shortcut", "--name", "a"}, "shortcut needs a URL; vesk-mail --help lists the commands"},
      {{"shortcut", "http://x", "--dir", ""}, "Option --dir needs an argument"},
      {{"shortcut", "http://x", "http://y"}, "Unexpected argument http://y for shortcut"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Message);
    EXPECT_EQ(vesktest::ErrorOf<Exception>([&] { Parsed(c.Arguments); }), c.Message);
  }
}

TEST(MailListTextTest, EveryNameOfAColumnIsAbbreviated) {
  const struct {
    std::string Names, Shown;
  } cases[] = {{"CN=Wei Chen/O=Demo, CN=Al/O=X", "Wei Chen/Demo, Al/X"},
               {"CN=Al/O=X,CN=Bo/OU=Y/O=Z", "Al/X,Bo/Y/Z"},
               {"Jane Doe, CN=Al/O=X", "Jane Doe, Al/X"},
               {"CN=Al/O=X", "Al/X"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Names);
    TStringList lines;
    lines.Add("7|01.02.2024|" + c.Names + "|" + c.Names + "|Hello|0");
    std::ostringstream out;
    WriteMailList(lines, false, out);
    const std::string table = out.str();
    const std::string row = table.substr(table.find('\n') + 1);
    EXPECT_NE(row.find(c.Shown), std::string::npos) << table;
    EXPECT_EQ(row.find("CN="), std::string::npos) << table;
  }
}

}  // namespace
