#include "mail/router/ServerRouting.h"

#include <filesystem>
#include <optional>

#include "core/EStatus.h"
#include "core/StatusTexts.h"
#include "mail/router/DeadMail.h"
#include "mail/router/Delivery.h"
#include "mail/router/Forwarding.h"
#include "mail/router/MailCopies.h"
#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "names/AddressBooks.h"
#include "notesapi/clerr.h"
#include "notesapi/mailserv.h"
#include "notesapi/niferr.h"
#include "notesapi/nsferr.h"
#include "notesapi/oserr.h"
#include "storage/Database.h"
#include "storage/Servers.h"

namespace notesrt::router {

namespace {

// The report on a mail gets a UNID of its own that a later pass derives again, so that a pass
// run again after a crash finds it in the delivery logs instead of sending a second one.
ORIGINATORID ReportOid(const ORIGINATORID& Mail) {
  ORIGINATORID oid = Mail;
  oid.File[0] ^= 0x4E445221;  // "!RDN"
  oid.Sequence = 0;
  return oid;
}

// The server's directory, then the address books this machine is configured with (the setting
// NAMES, where a secondary directory is named as "Server!!file"). A configured book that cannot
// be opened is left out: the people it lists then fail as unknown, and their mail is reported.
std::vector<std::shared_ptr<TDatabase>> OpenDirectories(const std::string& Server) {
  std::vector<TAddressBook> books = AddressBooksOf(Server);
  if (books.empty()) throw EStatus(ERR_NO_NAMES_FILE);
  std::vector<std::shared_ptr<TDatabase>> directories{TDatabase::Open(books.front().File)};
  for (const TAddressBook& book : AddressBooksOf("")) {
    std::error_code error;
    if (std::filesystem::equivalent(book.File, books.front().File, error)) continue;
    try {
      directories.push_back(TDatabase::Open(book.File));
    } catch (const EStatus&) {
    }
  }
  return directories;
}

bool Is(const EStatus& Error, STATUS Status) {
  return ERR(Error.Status()) == Status;
}

}  // namespace

TServerRouting::TServerRouting(std::string Server)
    : FServer(std::move(Server)),
      FDirectory(ServerDirectory(FServer)),
      FMailBox(OpenMailBox(FServer)),
      FResolver(std::make_unique<TRecipientResolver>(OpenDirectories(FServer))) {}

void TServerRouting::Route(TRoutedMail& Mail, TRouterCounts& Counts) {
  std::vector<TRecipient> recipients = FResolver->Resolve(Mail.Texts(MAIL_RECIPIENTS_ITEM));
  TRouting routing = RouteTo(Mail, recipients);
  if (recipients.empty()) routing.Failures.push_back({"", "No recipients"});
  Counts.Delivered += routing.Delivered;
  Counts.Forwarded += routing.Forwarded;
  if (!routing.Pending) Finish(Mail, routing, Counts);
}

TServerRouting::TRouting TServerRouting::RouteTo(const TRoutedMail& Mail,
                                                 const std::vector<TRecipient>& Recipients) {
  TRouting routing;
  std::map<std::string, std::vector<const TRecipient*>> elsewhere;
  for (const TRecipient& recipient : Recipients) {
    if (!recipient.Person) {
      routing.Failures.push_back({recipient.Name, recipient.Failure});
      continue;
    }
    TPlace place = PlaceOf(*recipient.Person);
    switch (place.Kind) {
      case TPlaceKind::Here:
        Deliver(Mail, recipient, routing);
        break;
      case TPlaceKind::Elsewhere:
        elsewhere[place.Detail].push_back(&recipient);
        break;
      case TPlaceKind::Unreachable:
        routing.Pending = true;
        break;
      case TPlaceKind::Nowhere:
        routing.Failures.push_back({recipient.Name, place.Detail});
        break;
    }
  }
  for (const auto& [directory, people] : elsewhere) Forward(Mail, directory, people, routing);
  return routing;
}

// A server that cannot be reached now may be reached by a later pass: the mail waits for it.
TServerRouting::TPlace TServerRouting::PlaceOf(const TPerson& Person) const {
  if (Person.MailServer.empty())
    return {TPlaceKind::Nowhere, "No mail server is listed for this user in the directory"};
  std::filesystem::path directory;
  try {
    directory = ServerDirectory(Person.MailServer);
  } catch (const EStatus& error) {
    if (Is(error, ERR_SERVER_NOT_RESPONDING)) return {TPlaceKind::Unreachable, ""};
    return {TPlaceKind::Nowhere, "Mail server " + Person.MailServer + " is not a server name"};
  }
  if (directory != FDirectory) return {TPlaceKind::Elsewhere, directory.string()};
  if (Person.MailFile.empty())
    return {TPlaceKind::Nowhere, "No mail file is listed for this user in the directory"};
  return {TPlaceKind::Here, ""};
}

// A mail file that cannot be used (missing, damaged, a folder) fails its owner only; the mail
// goes on to everybody else.
void TServerRouting::Deliver(const TRoutedMail& Mail, const TRecipient& Recipient,
                             TRouting& Routing) {
  const TPerson& person = *Recipient.Person;
  try {
    std::shared_ptr<TDatabase> mailFile = KeepOpen(OpenMailFile(FServer, person.MailFile));
    TRoutedMail copy = Mail;
    PrepareDelivery(copy, Recipient, FServer);
    if (DeliverInto(mailFile, copy, NameKey(person.FullName), person.FullName)) ++Routing.Delivered;
    Routing.Done = true;
  } catch (const EStatus& error) {
    if (EndsThePass(error.Status())) throw;
    Routing.Failures.push_back(
        {Recipient.Name, Is(error, ERR_NOEXIST)
                             ? "Mail file " + person.MailFile + " does not exist on this server"
                             : "Mail file " + person.MailFile +
                                   " cannot be used: " + std::string(StatusText(error.Status()))});
  }
}

void TServerRouting::Forward(const TRoutedMail& Mail, const std::filesystem::path& Directory,
                             const std::vector<const TRecipient*>& People, TRouting& Routing) {
  const std::string& server = People.front()->Person->MailServer;
  auto failAll = [&](const std::string& Reason) {
    for (const TRecipient* person : People) Routing.Failures.push_back({person->Name, Reason});
  };
  if (HasVisited(Mail, Directory))
    return failAll("Routing loop: the mail has been on server " + server + " already");
  std::shared_ptr<TDatabase> mailBox;
  try {
    mailBox = KeepOpen(OpenMailBox(server));
  } catch (const EStatus& error) {
    if (Is(error, ERR_SERVER_NOT_RESPONDING)) {
      Routing.Pending = true;
      return;
    }
    if (!Is(error, ERR_NOEXIST)) throw;
    return failAll("Server " + server + " has no mail router mailbox");
  }
  TRoutedMail copy = Mail;
  PrepareForwarding(copy, People, FServer);
  if (DepositInto(mailBox, copy, ForwardKey)) Routing.Forwarded += People.size();
  Routing.Done = true;
}

// Servers listed by a name that no longer leads anywhere cannot be the one asked about.
bool TServerRouting::HasVisited(const TRoutedMail& Mail,
                                const std::filesystem::path& Directory) const {
  for (const std::string& server : Mail.Texts(RouteServersItem)) {
    try {
      if (ServerDirectory(server) == Directory) return true;
    } catch (const EStatus&) {
    }
  }
  return false;
}

// No report on a report, and none when the sender cannot be found: such mail stays dead.
TServerRouting::TReport TServerRouting::Report(const TRoutedMail& Mail,
                                               const std::vector<TFailure>& Failures) {
  if (Mail.Text(MAIL_FORM_ITEM) == NonDeliveryForm) return TReport::Impossible;
  std::string sender = Mail.Text(MAIL_PRINCIPAL_ITEM);
  if (sender.empty()) sender = Mail.Text(MAIL_FROM_ITEM);
  if (sender.empty()) return TReport::Impossible;
  TRecipient recipient = FResolver->ResolvePerson(sender);
  if (!recipient.Person) return TReport::Impossible;
  recipient.Origins.insert(NameKey(sender));
  TRoutedMail report = NonDeliveryReport(FMailBox, Mail, Failures, recipient.Person->FullName,
                                         ReportOid(Mail.Oid()));
  TRouting routing = RouteTo(report, {recipient});
  if (routing.Pending) return TReport::Pending;
  return routing.Done ? TReport::Sent : TReport::Impossible;
}

// Told what happened as far as the mail can be read: the report is best effort, the dead mark
// is what keeps the mail from stopping the next pass as well.
void TServerRouting::GiveUp(NOTEID Id, STATUS Status, TRouterCounts& Counts) {
  const std::string reason =
      "The router could not route this mail: " + std::string(StatusText(Status));
  std::optional<TRoutedMail> mail;
  try {
    mail = TRoutedMail::Load(FMailBox, Id);
  } catch (const EStatus& error) {
    if (EndsThePass(error.Status())) throw;
    MarkUnreadableDead(FMailBox, Id, reason);
    ++Counts.Dead;
    return;
  }
  std::vector<TFailure> failures;
  for (const std::string& name : RecipientEntries(mail->Texts(MAIL_RECIPIENTS_ITEM)))
    failures.push_back({name, reason});
  if (failures.empty()) failures.push_back({"", reason});
  try {
    Report(*mail, failures);
  } catch (const EStatus& error) {
    if (EndsThePass(error.Status())) throw;
  }
  MarkDead(*mail, failures);
  ++Counts.Dead;
}

const std::shared_ptr<TDatabase>& TServerRouting::KeepOpen(std::shared_ptr<TDatabase> Database) {
  return *FOpen.insert(std::move(Database)).first;
}

// A mail whose failures went back to the sender is finished like a delivered one; only a failure
// nobody could be told of keeps the mail, as dead mail.
void TServerRouting::Finish(TRoutedMail& Mail, const TRouting& Routing, TRouterCounts& Counts) {
  if (!Routing.Failures.empty()) {
    TReport report = Report(Mail, Routing.Failures);
    if (report == TReport::Pending) return;
    Counts.Failed += static_cast<DWORD>(Routing.Failures.size());
    if (report == TReport::Impossible) {
      MarkDead(Mail, Routing.Failures);
      ++Counts.Dead;
      return;
    }
  }
  RemoveFromMailBox(*FMailBox, Mail.Id());
}

}  // namespace notesrt::router
