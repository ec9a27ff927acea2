#pragma once

// The runtime's C++ internals are hidden from other modules. The few that its own tests drive
// directly (the handle table, memory blocks, ID tables, the break check) stay visible, so the
// tests reach the one instance inside libnotesrt.so rather than a copy of their own.
#define NOTESRT_TESTED __attribute__((visibility("default")))
