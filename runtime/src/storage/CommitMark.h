#pragma once

#include <sqlite3.h>

#include <array>
#include <optional>

namespace notesrt {

// What the shared WAL index of a file (its "-shm" file) says about the last commit of any
// connection of any process: it differs after every commit. SQLite's own readers compare it
// before they take a lock; so does ReadCommitMark, which takes no lock and starts no
// transaction.
using TCommitMark = std::array<unsigned char, 48>;

// Nothing while the connection has no WAL index mapped (not in WAL mode, not read yet) or a
// writer is updating it this very moment.
std::optional<TCommitMark> ReadCommitMark(sqlite3* Db);

}  // namespace notesrt
