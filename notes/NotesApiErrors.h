#pragma once

// Status codes of the Notes C API that the object library tests for.
#include "notesapi/bsafeerr.h"
#include "notesapi/clerr.h"
#include "notesapi/fterr.h"
#include "notesapi/globerr.h"
#include "notesapi/miscerr.h"
#include "notesapi/niferr.h"
#include "notesapi/nsferr.h"
#include "notesapi/odserr.h"
#include "notesapi/oserr.h"
#include "notesapi/srverr.h"
