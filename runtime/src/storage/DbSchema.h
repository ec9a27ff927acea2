#pragma once

#include <cstdint>

namespace notesrt {

class TDbFile;

// The layout of a database file, versioned in PRAGMA user_version and marked with our own
// PRAGMA application_id so that an unrelated SQLite file is not taken for a database.
namespace DbSchema {

constexpr int64_t ApplicationId = 0x4E53524E;  // "NSRN"

int64_t CurrentVersion();
// Brings a file from FromVersion (0 = empty) to CurrentVersion(); the caller holds the write
// transaction.
void Migrate(TDbFile& File, int64_t FromVersion);

}  // namespace DbSchema

}  // namespace notesrt
