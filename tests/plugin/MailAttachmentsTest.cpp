// The names a mail's attachments are listed under: safe, distinct, and mapped back to their item.
#include <gtest/gtest.h>

#include "MailAttachments.h"

namespace {

TEST(MailAttachments, NamesAreSafeAndDistinct) {
  const std::string longStem(300, 'n');
  const std::string longGreek = [] {
    std::string text;
    for (int index = 0; index < 200; ++index) text += "\xCE\xB1";  // alpha, two bytes each
    return text;
  }();
  const std::pair<std::vector<std::string>, std::vector<std::string>> Cases[] = {
      {{"report.txt", "report.txt", "REPORT.TXT"},
       {"report.txt", "report (2).txt", "REPORT (3).TXT"}},
      {{"../../x", "..\\..\\x", "a/../../b", "/etc/passwd"}, {"x", "x (2)", "b", "passwd"}},
      {{"", ".", "..", "dir/"},
       {"attachment", "attachment (2)", "attachment (3)", "attachment (4)"}},
      {{"a\tb\x1B[31m.txt", "bell\x07", "c1\xC2\x9B.doc"}, {"a_b_[31m.txt", "bell_", "c1_.doc"}},
      {{"Übersicht März €.txt", "übersicht märz €.TXT", "отчёт.doc", "报告.pdf"},
       {"Übersicht März €.txt", "übersicht märz € (2).TXT", "отчёт.doc", "报告.pdf"}},
      {{longStem + ".pdf"}, {std::string(251, 'n') + ".pdf"}},
      {{longGreek + ".txt"}, {longGreek.substr(0, 250) + ".txt"}},  // whole characters only
      {{"noext", "noext", ".bashrc", ".bashrc"}, {"noext", "noext (2)", ".bashrc", ".bashrc (2)"}},
  };
  for (const auto& [Given, Listed] : Cases) {
    std::vector<TMailAttachment> attachments;
    for (const std::string& name : Given)
      attachments.push_back({SafeAttachmentName(name), name, {}});
    MakeNamesDistinct(attachments);
    std::vector<std::string> listed;
    for (const TMailAttachment& attachment : attachments) {
      listed.push_back(attachment.Name);
      EXPECT_LE(attachment.Name.size(), 255u) << attachment.Stored;
    }
    EXPECT_EQ(listed, Listed) << Given.front();
  }
}

TEST(MailAttachments, ANameFindsItsOwnAttachmentOnly) {
  const std::vector<TMailAttachment> attachments = {{"data.doc", "file0001", {1, 1}},
                                                    {"a.doc", "ATT1.doc", {1, 2}},
                                                    {"a (2).doc", "a.doc", {1, 3}}};
  // A name and the block of the attachment it finds, 0 for none.
  const std::pair<const char*, int> Cases[] = {
      {"A.DOC", 2}, {"a (2).doc", 3}, {"att1.doc", 2}, {"file0001", 1},
      {".doc", 0},  {"data", 0},      {"", 0},         {"file0001=data.doc", 0}};
  for (const auto& [Name, Block] : Cases) {
    const TMailAttachment* found = FindMailAttachment(attachments, Name);
    EXPECT_EQ(found ? found->Item.block : 0, Block) << Name;
  }
}

}  // namespace
