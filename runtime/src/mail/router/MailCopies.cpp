#include "mail/router/MailCopies.h"

#include <algorithm>
#include <set>
#include <string>

#include "mail/router/RecipientResolver.h"
#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "notesapi/mailserv.h"
#include "text/TimeConversion.h"

namespace notesrt::router {

namespace {

// Derived from the UNID, so that every copy of one mail, on every server, carries the same ID.
void EnsureMessageId(TRoutedMail& Copy, std::string_view Server) {
  if (Copy.Has(MessageIdItem)) return;
  std::string host(Server);
  std::replace(host.begin(), host.end(), '/', '.');
  std::string id = Copy.UnidText();
  id.insert(0, 1, '<');
  Copy.SetText(MessageIdItem, id + "@" + host + ">");
}

std::set<std::string> KeysOf(const std::vector<std::string>& Entries) {
  std::set<std::string> keys;
  for (const std::string& entry : Entries) keys.insert(NameKey(entry));
  return keys;
}

bool Intersects(const std::set<std::string>& A, const std::set<std::string>& B) {
  return std::any_of(A.begin(), A.end(), [&](const std::string& Key) { return B.count(Key); });
}

void SetOrRemove(TRoutedMail& Copy, std::string_view Name, const std::vector<std::string>& Texts) {
  if (Texts.empty())
    Copy.Remove(Name);
  else
    Copy.SetTexts(Name, Texts);
}

}  // namespace

void PrepareDelivery(TRoutedMail& Copy, const TRecipient& Recipient, std::string_view Server) {
  Copy.SetTime(DeliveredDateItem, CurrentTimeDate());
  EnsureMessageId(Copy, Server);
  std::vector<std::string> blind = RecipientEntries(Copy.Texts(MAIL_BLINDCOPYTO_ITEM));
  if (blind.empty()) return;
  std::vector<std::string> own;
  std::set<std::string> hidden;
  for (const std::string& entry : blind) {
    if (Recipient.Origins.count(NameKey(entry)))
      own.push_back(entry);
    else
      hidden.insert(NameKey(entry));
  }
  SetOrRemove(Copy, MAIL_BLINDCOPYTO_ITEM, own);
  if (hidden.empty()) return;
  std::vector<std::string> shown;
  for (const std::string& entry : RecipientEntries(Copy.Texts(MAIL_RECIPIENTS_ITEM)))
    if (!hidden.count(NameKey(entry))) shown.push_back(entry);
  Copy.SetTexts(MAIL_RECIPIENTS_ITEM, shown);
}

void PrepareForwarding(TRoutedMail& Copy, const std::vector<const TRecipient*>& People,
                       std::string_view Server) {
  std::set<std::string> blind = KeysOf(RecipientEntries(Copy.Texts(MAIL_BLINDCOPYTO_ITEM)));
  std::vector<std::string> names, blindNames;
  for (const TRecipient* person : People) {
    names.push_back(person->Person->FullName);
    if (Intersects(person->Origins, blind)) blindNames.push_back(person->Person->FullName);
  }
  Copy.SetTexts(MAIL_RECIPIENTS_ITEM, names);
  SetOrRemove(Copy, MAIL_BLINDCOPYTO_ITEM, blindNames);
  EnsureMessageId(Copy, Server);
  std::vector<std::string> route = Copy.Texts(RouteServersItem);
  route.emplace_back(Server);
  Copy.SetTexts(RouteServersItem, route);
}

}  // namespace notesrt::router
