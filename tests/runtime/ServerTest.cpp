// Servers: a directory per server under the servers root; missing or listed ones do not answer.
#include <gtest/gtest.h>

#include "StorageFixture.h"
#include "notesapi/clerr.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"
#include "notesapi/oserr.h"

namespace {

using runtimetest::DbRef;

class Servers : public runtimetest::StorageTest {
 protected:
  void SetUp() override {
    StorageTest::SetUp();
    FServers = FEnv.Root() / "servers";
    std::filesystem::create_directories(FServers / "CN=SRV1%2FO=ACME" / "mail");
    OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, FServers.c_str());
    // Created through the server path itself.
    EXPECT_EQ(NSFDbCreate("CN=Srv1/O=Acme!!mail\\jdoe.nsf", DBCLASS_NOTEFILE, FALSE), NOERROR);
  }

  std::filesystem::path FServers;
};

TEST_F(Servers, EveryFormOfTheNameReachesItsDirectoryAndMissingOrListedServersDoNotRespond) {
  EXPECT_TRUE(std::filesystem::exists(FServers / "CN=SRV1%2FO=ACME" / "mail" / "jdoe.nsf"));
  for (const char* path : {"CN=Srv1/O=Acme!!mail\\jdoe.nsf", "Srv1/Acme!!mail/jdoe",
                           "srv1!!MAIL\\JDOE.NSF", "port!!Srv1/Acme!!mail\\jdoe.nsf"})
    EXPECT_EQ(OpenStatus(path), NOERROR) << path;
  DbRef root("Srv1/Acme!!");
  USHORT mode = 0;
  ASSERT_EQ(NSFDbModeGet(root.Get(), &mode), NOERROR);
  EXPECT_EQ(mode, DB_DIRECTORY);
  DBQUOTAINFO quota{};
  ASSERT_EQ(NSFDbQuotaGet("Srv1/Acme!!mail\\jdoe.nsf", &quota), NOERROR);
  EXPECT_GT(quota.CurrentDbSize, 0u);
  EXPECT_EQ(quota.SizeLimit, 0u);
  EXPECT_EQ(OpenStatus("CN=Srv2/O=Acme!!mail\\jdoe.nsf"), ERR_SERVER_NOT_RESPONDING);
  EXPECT_EQ(OpenStatus("Srv1/Acme!!mail\\nobody.nsf"), ERR_NOEXIST);
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "Other/Acme, srv1/acme");
  EXPECT_EQ(OpenStatus("CN=Srv1/O=Acme!!mail\\jdoe.nsf"), ERR_SERVER_NOT_RESPONDING);
  OSSetEnvironmentVariable(NOTESRT_UNREACHABLE_VAR, "");
  // A missing setting is named as such, not taken for a server that is down.
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, "");
  EXPECT_EQ(OpenStatus("CN=Srv1/O=Acme!!mail\\jdoe.nsf"), ERR_NOTESRT_NO_SERVERS_DIR);
  EXPECT_EQ(OpenStatus("!!mail\\jdoe.nsf"), ERR_INV_SERVER_NAME);
}

}  // namespace
