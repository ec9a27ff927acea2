#pragma once

#include "NotesApi.h"

// The Notes runtime's life in this process. The module start-up initialises the runtime and
// installs the break handler; other threads bracket their Notes use with these two.
void InitNotesThread();
void CloseNotesThread();

// The check-for-break handler: ERR_CANCEL once after a break was requested, otherwise 0.
STATUS NDBreakProc();
// Asks the next long Notes operation to stop (async-signal-safe, for a SIGINT handler).
void RequestNotesBreak();

// Module start-up and shutdown of the object library; Initialize raises ELotusNotes when the
// runtime cannot start.
void NotesObjectsInitialize();
void NotesObjectsFinalize();
