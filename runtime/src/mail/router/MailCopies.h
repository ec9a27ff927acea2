#pragma once

#include <string_view>
#include <vector>

namespace notesrt::router {

class TRoutedMail;
struct TRecipient;

// The copy of a mail one recipient gets: delivered now, with a message ID, and showing of the
// blind-copy addressees only the entries that name this recipient (in "BlindCopyTo" and in
// "Recipients", which readers show as the addressees).
void PrepareDelivery(TRoutedMail& Copy, const TRecipient& Recipient, std::string_view Server);

// The copy handed on to another server for People: "Recipients" narrowed to their full names,
// "BlindCopyTo" to the full names of those who were blind copies, and Server added to
// "RouteServers".
void PrepareForwarding(TRoutedMail& Copy, const std::vector<const TRecipient*>& People,
                       std::string_view Server);

}  // namespace notesrt::router
