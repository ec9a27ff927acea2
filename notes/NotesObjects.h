#pragma once

// The Notes object library: one include for its users.
#include "ELotusNotes.h"
#include "NotesApi.h"
#include "NotesApiErrors.h"
#include "NotesCharset.h"
#include "NotesPaths.h"
#include "NotesSession.h"
#include "NotesText.h"
#include "NotesTime.h"
#include "ValueToVariant.h"
