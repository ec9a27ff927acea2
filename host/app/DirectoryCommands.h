#pragma once

#include <ostream>

struct TMailHostOptions;

// vesk-mail dir: the entries of a data directory (local or on a server) as a table, or with
// --raw as "title|kind|info|path" lines. The object library must be started.
void ListDirectory(const TMailHostOptions& Options, std::ostream& Out);
// vesk-mail servers: "Local" and the servers known on the port, one a line.
void ListServers(const TMailHostOptions& Options, std::ostream& Out);
