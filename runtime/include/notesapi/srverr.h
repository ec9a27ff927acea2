#ifndef NOTESAPI_SRVERR_H
#define NOTESAPI_SRVERR_H
#include "globerr.h"

#define ERR_NO_SERVER_ACCESS (PKG_SERVER + 0x2E)

#endif
