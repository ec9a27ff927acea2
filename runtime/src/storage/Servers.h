#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace notesrt {

// Servers are directories under the NotesRT_ServersDir setting, one per server, named after the
// server's canonical name (ServerDirectoryName). A server is reachable when its directory
// exists and NotesRT_Unreachable does not list it.

// The data directory of Server (LMBCS; abbreviated, canonical or flat); raises
// ERR_SERVER_NOT_RESPONDING when it cannot be reached, ERR_NOTESRT_NO_SERVERS_DIR when the
// setting NotesRT_ServersDir is missing.
std::filesystem::path ServerDirectory(std::string_view Server);
// "CN=Srv1/O=Acme" -> "CN=SRV1%2FO=ACME": upper case, with bytes that are unsafe in a file name
// written as %XX. Takes and gives UTF-8. ERR_INV_SERVER_NAME for a name that would be no
// directory of its own ("", "." or "..").
std::string ServerDirectoryName(std::string_view CanonicalUtf8);
// The canonical names (LMBCS) of the servers that have a directory, in name order, whether or
// not NotesRT_Unreachable lists them. The directory names keep only the upper-case form.
std::vector<std::string> KnownServers();
// The canonical name (LMBCS) of the server whose directory this is; "" for a folder no server
// name makes.
std::string ServerNameOf(const std::filesystem::path& Directory);

}  // namespace notesrt
