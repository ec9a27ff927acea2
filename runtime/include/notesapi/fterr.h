#ifndef NOTESAPI_FTERR_H
#define NOTESAPI_FTERR_H
#include "globerr.h"
#include "notesrterr.h"

#define ERR_FT_NOMATCHES (PKG_FT + 0x22)

#endif
