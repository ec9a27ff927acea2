#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "NameLookupFixture.h"

namespace runtimetest {

// A small mail world: the servers Srv1/Acme (its directory lists everybody) and Srv2/Acme,
// each with a directory and a router mailbox; people whose mail files are made from the mail
// template; helpers to deposit mail, run the router and look at what arrived where.
class RouterTest : public NameLookupTest {
 protected:
  static constexpr char Srv1[] = "CN=Srv1/O=Acme";
  static constexpr char Srv2[] = "CN=Srv2/O=Acme";

  void SetUp() override;

  // Alice Smith, Bob Jones and Carol White on Srv1, Dave Brown on Srv2; their mail files' paths.
  void AddPeople();
  std::string FAlice, FBob, FCarol, FDave;
  // A server's router mailbox, and where a database of Srv1 lies on disk.
  static std::string Box(const std::string& Server = Srv1);
  std::filesystem::path OnSrv1(const std::string& File) const;

  // "CN=<First> <Last>/O=Acme" in Srv1's directory (and Srv2's when MailServer is Srv2), its
  // mail file mail/<first>.nsf on MailServer; the mail file's path is returned.
  std::string AddUser(const std::string& First, const std::string& Last,
                      const std::string& MailServer = Srv1);
  void AddDirectoryGroup(const std::string& Server, const std::string& Name,
                         const std::vector<std::string>& Members);
  // A mail from Alice in Server's mailbox ("" this machine's) with these fields besides.
  void Deposit(const std::string& Server, const std::string& Subject,
               const std::vector<std::string>& Recipients, TFields More = {});

  struct Counts {
    DWORD Delivered = 0, Forwarded = 0, Failed = 0, Dead = 0;
    bool operator==(const Counts&) const = default;
    friend void PrintTo(const Counts& C, std::ostream* Out) {
      *Out << C.Delivered << " delivered, " << C.Forwarded << " forwarded, " << C.Failed
           << " failed, " << C.Dead << " dead";
    }
  };
  Counts Route(const std::string& Server, STATUS Expected = NOERROR);

  // The Subject of each document of a database, in note ID order.
  std::vector<std::string> Subjects(const std::string& Path);
  // The Subject of each document in a view or folder, in the view's order.
  std::vector<std::string> Entries(const std::string& Path, const char* View);
  std::vector<std::string> Inbox(const std::string& Path) { return Entries(Path, "($Inbox)"); }
  // One item of every document as text (list entries joined by ";"), in note ID order.
  std::vector<std::string> Values(const std::string& Path, const std::string& Item);
  // How many documents of a mail file are unread for User.
  size_t UnreadCount(const std::string& Path, const std::string& User);
  std::vector<NOTEID> Documents(DBHANDLE Db);
};

}  // namespace runtimetest
