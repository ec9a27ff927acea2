#pragma once

// The Notes C API as the object library sees it. Everything the library knows of Notes comes
// through these declarations, so it builds against the embedded runtime or a real installation.
#include "notesapi/acl.h"
#include "notesapi/dname.h"
#include "notesapi/easycd.h"
#include "notesapi/editods.h"
#include "notesapi/global.h"
#include "notesapi/idtable.h"
#include "notesapi/kfm.h"
#include "notesapi/lookup.h"
#include "notesapi/mailserv.h"
#include "notesapi/misc.h"
#include "notesapi/names.h"
#include "notesapi/ns.h"
#include "notesapi/nsfdata.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsfnote.h"
#include "notesapi/ods.h"
#include "notesapi/osenv.h"
#include "notesapi/osfile.h"
#include "notesapi/osmem.h"
#include "notesapi/osmisc.h"
#include "notesapi/ossignal.h"
#include "notesapi/ostime.h"
#include "notesapi/pool.h"
#include "notesapi/textlist.h"

// The library's name for the broken-down Notes time.
using TIMESTRUCT = TIME;
