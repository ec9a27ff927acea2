#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "mail/router/NonDeliveryReport.h"
#include "mail/router/RecipientResolver.h"
#include "mail/router/RouterCounts.h"
#include "notesapi/global.h"

namespace notesrt {

class TDatabase;

namespace router {

class TRoutedMail;

// Routing the mail of one server's mailbox: recipients resolved in the server's directory,
// delivered into mail files on this server, handed on to the mailboxes of other servers, and
// reported back to the sender when they fail. A mail whose recipients are all done leaves the
// mailbox; one that nobody could take stays as dead mail; one that waits for a server that
// cannot be reached stays as it is for the next pass.
class TServerRouting {
 public:
  // ERR_NOEXIST when the server has no mailbox, ERR_NO_NAMES_FILE when it has no directory.
  explicit TServerRouting(std::string Server);

  const std::shared_ptr<TDatabase>& MailBox() const { return FMailBox; }
  void Route(TRoutedMail& Mail, TRouterCounts& Counts);
  // For the mail Id that Route (or reading it) failed on with Status: marked dead with the
  // reason and counted, its sender told when the mail can be read. Raises only what ends the
  // pass (EndsThePass).
  void GiveUp(NOTEID Id, STATUS Status, TRouterCounts& Counts);

 private:
  // What became of a mail's recipients.
  struct TRouting {
    std::vector<TFailure> Failures;
    bool Pending = false;
    bool Done = false;
    DWORD Delivered = 0;
    DWORD Forwarded = 0;
  };
  enum class TPlaceKind { Here, Elsewhere, Unreachable, Nowhere };
  struct TPlace {
    TPlaceKind Kind;
    std::string Detail;  // the other server's directory, or why there is no place
  };
  enum class TReport { Sent, Pending, Impossible };

  TRouting RouteTo(const TRoutedMail& Mail, const std::vector<TRecipient>& Recipients);
  TPlace PlaceOf(const TPerson& Person) const;
  void Deliver(const TRoutedMail& Mail, const TRecipient& Recipient, TRouting& Routing);
  void Forward(const TRoutedMail& Mail, const std::filesystem::path& Directory,
               const std::vector<const TRecipient*>& People, TRouting& Routing);
  bool HasVisited(const TRoutedMail& Mail, const std::filesystem::path& Directory) const;
  TReport Report(const TRoutedMail& Mail, const std::vector<TFailure>& Failures);
  void Finish(TRoutedMail& Mail, const TRouting& Routing, TRouterCounts& Counts);
  // Databases the pass has opened stay open until it ends: closing one checkpoints its journal,
  // which would cost more than the delivery itself.
  const std::shared_ptr<TDatabase>& KeepOpen(std::shared_ptr<TDatabase> Database);

  std::string FServer;
  std::filesystem::path FDirectory;
  std::shared_ptr<TDatabase> FMailBox;
  std::unique_ptr<TRecipientResolver> FResolver;
  std::set<std::shared_ptr<TDatabase>> FOpen;
};

}  // namespace router

}  // namespace notesrt
