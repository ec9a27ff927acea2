#ifndef NOTESAPI_CLERR_H
#define NOTESAPI_CLERR_H
#include "globerr.h"

#define ERR_SERVER_NOT_RESPONDING (PKG_CLIENT + 0x07)

#endif
