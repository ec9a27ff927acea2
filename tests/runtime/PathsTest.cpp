#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "notesapi/miscerr.h"
#include "notesapi/oserr.h"
#include "notesapi/osfile.h"

namespace {

// A MAXPATH buffer followed by canary bytes that must survive every call.
struct TPathBuffer {
  TPathBuffer() { std::memset(Bytes, 'x', sizeof Bytes); }
  char* Data() { return Bytes; }
  std::string Text() const { return Bytes; }
  bool CanaryIntact() const { return Bytes[MAXPATH] == 'x' && Bytes[MAXPATH + 1] == 'x'; }
  char Bytes[MAXPATH + 2];
};

std::string Construct(const char* Port, const char* Server, const char* File,
                      STATUS Expected = NOERROR) {
  TPathBuffer path;
  EXPECT_EQ(OSPathNetConstruct(Port, Server, File, path.Data()), Expected);
  EXPECT_TRUE(path.CanaryIntact());
  return path.Text();
}

struct TParsed {
  STATUS Status;
  std::string Port, Server, File;
};

TParsed Parse(const char* Path) {
  TPathBuffer port, server, file;
  STATUS status = OSPathNetParse(Path, port.Data(), server.Data(), file.Data());
  EXPECT_TRUE(port.CanaryIntact() && server.CanaryIntact() && file.CanaryIntact());
  return {status, port.Text(), server.Text(), file.Text()};
}

}  // namespace

TEST(PathNetConstruct, JoinsTheGivenParts) {
  EXPECT_EQ(Construct("", "CN=Mail1/O=Acme", "mail\\jdoe.nsf"), "CN=Mail1/O=Acme!!mail\\jdoe.nsf");
  EXPECT_EQ(Construct(nullptr, "Srv1/Acme", "names.nsf"), "Srv1/Acme!!names.nsf");
  EXPECT_EQ(Construct("TCPIP", "Srv1", "a.nsf"), "TCPIP!!Srv1!!a.nsf");
  EXPECT_EQ(Construct("", "", "local.nsf"), "local.nsf");
  EXPECT_EQ(Construct("", "Srv1", ""), "Srv1!!");
  EXPECT_EQ(Construct(nullptr, nullptr, nullptr), "");
}

TEST(PathNetConstruct, FailsRatherThanOverflowOrCut) {
  std::string file(MAXPATH - 1 - 6, 'f');  // "Srv1!!" + file is exactly MAXPATH - 1
  EXPECT_EQ(Construct("", "Srv1", file.c_str()), "Srv1!!" + file);
  file += 'f';
  EXPECT_EQ(Construct("", "Srv1", file.c_str(), ERR_INV_FILE_NAME), "");
  std::string huge(5000, 'h');
  EXPECT_EQ(Construct(huge.c_str(), huge.c_str(), huge.c_str(), ERR_INV_FILE_NAME), "");
  EXPECT_EQ(OSPathNetConstruct("", "S", "f", nullptr), ERR_MISC_INVALID_ARGS);
}

TEST(PathNetParse, AcceptsTheThreeForms) {
  TParsed full = Parse("TCPIP!!CN=Mail1/O=Acme!!mail\\jdoe.nsf");
  EXPECT_EQ(full.Status, NOERROR);
  EXPECT_EQ(full.Port, "TCPIP");
  EXPECT_EQ(full.Server, "CN=Mail1/O=Acme");
  EXPECT_EQ(full.File, "mail\\jdoe.nsf");

  TParsed server = Parse("Srv1!!mail/jdoe.nsf");
  EXPECT_EQ(server.Status, NOERROR);
  EXPECT_EQ(server.Port, "");
  EXPECT_EQ(server.Server, "Srv1");
  EXPECT_EQ(server.File, "mail/jdoe.nsf");

  TParsed local = Parse("names.nsf");
  EXPECT_EQ(local.Status, NOERROR);
  EXPECT_EQ(local.Server, "");
  EXPECT_EQ(local.File, "names.nsf");

  TParsed root = Parse("Srv1!!");
  EXPECT_EQ(root.Status, NOERROR);
  EXPECT_EQ(root.Server, "Srv1");
  EXPECT_EQ(root.File, "");
}

TEST(PathNetParse, OutputsMayBeNull) {
  char server[MAXPATH];
  EXPECT_EQ(OSPathNetParse("Srv1!!a.nsf", nullptr, server, nullptr), NOERROR);
  EXPECT_STREQ(server, "Srv1");
}

TEST(PathNetParse, RejectsMalformedPathsWithEmptyOutputs) {
  EXPECT_EQ(Parse("TCPIP!!!!a.nsf").Status, ERR_INV_SERVER_NAME);
  EXPECT_EQ(Parse("!!a.nsf").Status, ERR_INV_SERVER_NAME);
  TParsed tooMany = Parse("a!!b!!c!!d");
  EXPECT_EQ(tooMany.Status, ERR_INV_FILE_NAME);
  EXPECT_EQ(tooMany.Port + tooMany.Server + tooMany.File, "");
  std::string longFile = "Srv1!!" + std::string(MAXPATH, 'f');
  EXPECT_EQ(Parse(longFile.c_str()).Status, ERR_INV_FILE_NAME);
  std::string longServer = std::string(MAXPATH, 's') + "!!a.nsf";
  EXPECT_EQ(Parse(longServer.c_str()).Status, ERR_INV_SERVER_NAME);
  EXPECT_EQ(OSPathNetParse(nullptr, nullptr, nullptr, nullptr), ERR_MISC_INVALID_ARGS);
}

TEST(PathNet, ParseUndoesConstruct) {
  char path[MAXPATH], port[MAXPATH], server[MAXPATH], file[MAXPATH];
  ASSERT_EQ(OSPathNetConstruct("TCPIP", "CN=Srv/O=Org", "dir/x.nsf", path), NOERROR);
  ASSERT_EQ(OSPathNetParse(path, port, server, file), NOERROR);
  EXPECT_STREQ(port, "TCPIP");
  EXPECT_STREQ(server, "CN=Srv/O=Org");
  EXPECT_STREQ(file, "dir/x.nsf");
}
