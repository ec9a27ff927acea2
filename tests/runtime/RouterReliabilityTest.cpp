// The router killed at random moments of a pass over 200 mails and run again: every mail
// arrives exactly once in every mailbox it was for, none is lost, and the mailbox ends empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "ChildProcess.h"
#include "RouterFixture.h"

namespace {

using Strings = std::vector<std::string>;

constexpr int MailCount = 200;

class RouterReliability : public runtimetest::RouterTest {
 protected:
  void SetUp() override {
    RouterTest::SetUp();
    AddPeople();
    AddDirectoryGroup(Srv1, "Team", {"Bob Jones", "Carol White"});
    for (int index = 0; index < MailCount; ++index)
      Deposit(Srv1, Subject(index), {"Team", "alice", "Dave Brown"});
  }

  static std::string Subject(int Index) { return "mail " + std::to_string(Index); }
};

TEST_F(RouterReliability, KilledAtRandomPointsEveryMailArrivesOnce) {
  unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delay(10, 1200);
  int kills = 0, exitCode = -1;
  bool finished = false;
  while (!finished && kills < 12) {
    vesktest::ChildProcess pass({ROUTER_CHILD_PATH, Srv1});
    finished = pass.FinishesWithin(std::chrono::milliseconds(delay(random)), exitCode);
    if (!finished) ++kills;
  }
  if (!finished) {
    vesktest::ChildProcess pass({ROUTER_CHILD_PATH, Srv1});
    finished = pass.FinishesWithin(std::chrono::minutes(5), exitCode);
  }
  ASSERT_TRUE(finished);
  EXPECT_EQ(exitCode, 0);
  RecordProperty("kills", kills);
  EXPECT_TRUE(Subjects(Box()).empty());
  Route(Srv2);
  EXPECT_TRUE(Subjects(Box(Srv2)).empty());
  Strings expected;
  for (int index = 0; index < MailCount; ++index) expected.push_back(Subject(index));
  std::sort(expected.begin(), expected.end());
  for (const std::string& file : {FAlice, FBob, FCarol, FDave}) {
    SCOPED_TRACE(file);
    Strings inbox = Inbox(file);
    std::sort(inbox.begin(), inbox.end());
    EXPECT_EQ(inbox, expected);
    EXPECT_EQ(Subjects(file).size(), static_cast<size_t>(MailCount));
  }
  EXPECT_EQ(UnreadCount(FBob, "Bob Jones/Acme"), static_cast<size_t>(MailCount));
}

}  // namespace
