#pragma once

#include <string_view>

namespace notesrt::router {

// Makes Server (LMBCS; abbreviated, canonical or flat) under the servers directory setting: its
// directory, its address book names.nsf (from the address-book template when the runtime ships
// one, else empty) and its router mailbox mail.box. "" makes only this machine's mail.box in the
// data directory. Databases that exist already are kept. ERR_NOTESRT_NO_SERVERS_DIR without the
// setting, ERR_INV_SERVER_NAME for a name that is not one.
void CreateServer(std::string_view Server);

}  // namespace notesrt::router
