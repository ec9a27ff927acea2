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

TEST(PathNet, ParseSplitsTheThreeFormsAndConstructJoinsThemBack) {
  const struct {
    const char *Path, *Port, *Server, *File;
  } cases[] = {
      {"TCPIP!!CN=Mail1/O=Acme!!mail\\jdoe.nsf", "TCPIP", "CN=Mail1/O=Acme", "mail\\jdoe.nsf"},
      {"Srv1!!mail/jdoe.nsf", "", "Srv1", "mail/jdoe.nsf"},
      {"names.nsf", "", "", "names.nsf"},
      {"Srv1!!", "", "Srv1", ""},
  };
  for (const auto& c : cases) {
    TParsed parsed = Parse(c.Path);
    EXPECT_EQ(parsed.Status, NOERROR) << c.Path;
    EXPECT_EQ(parsed.Port + "|" + parsed.Server + "|" + parsed.File,
              std::string(c.Port) + "|" + c.Server + "|" + c.File);
    EXPECT_EQ(Construct(c.Port, c.Server, c.File), c.Path);
  }
  EXPECT_EQ(Construct(nullptr, "Srv1/Acme", "names.nsf"), "Srv1/Acme!!names.nsf");
  EXPECT_EQ(Construct(nullptr, nullptr, nullptr), "");
  char server[MAXPATH];  // unwanted outputs may be null
  EXPECT_EQ(OSPathNetParse("Srv1!!a.nsf", nullptr, server, nullptr), NOERROR);
  EXPECT_STREQ(server, "Srv1");
}

TEST(PathNet, ConstructFailsRatherThanOverflowOrCutAndParseRejectsMalformedPaths) {
  std::string file(MAXPATH - 1 - 6, 'f');  // "Srv1!!" + file is exactly MAXPATH - 1
  EXPECT_EQ(Construct("", "Srv1", file.c_str()), "Srv1!!" + file);
  file += 'f';
  EXPECT_EQ(Construct("", "Srv1", file.c_str(), ERR_INV_FILE_NAME), "");
  std::string huge(5000, 'h');
  EXPECT_EQ(Construct(huge.c_str(), huge.c_str(), huge.c_str(), ERR_INV_FILE_NAME), "");
  EXPECT_EQ(OSPathNetConstruct("", "S", "f", nullptr), ERR_MISC_INVALID_ARGS);
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
