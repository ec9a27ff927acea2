#pragma once

// Items and keys the router writes besides the mail header items of mailserv.h.
namespace notesrt::router {

inline constexpr char DeliveredDateItem[] = "DeliveredDate";
inline constexpr char MessageIdItem[] = "$MessageID";
// The servers a mail was handed on from, in order: a server listed there is not handed it again.
inline constexpr char RouteServersItem[] = "RouteServers";
// Dead mail: RoutingState "DEAD", with one FailureReason per IntendedRecipient.
inline constexpr char RoutingStateItem[] = "RoutingState";
inline constexpr char DeadState[] = "DEAD";
inline constexpr char FailureReasonItem[] = "FailureReason";
inline constexpr char IntendedRecipientItem[] = "IntendedRecipient";

// The delivery-log key of a mail handed on to another mailbox.
inline constexpr char ForwardKey[] = "forward";

}  // namespace notesrt::router
