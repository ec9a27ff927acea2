#ifndef NOTESAPI_OSERR_H
#define NOTESAPI_OSERR_H
#include "globerr.h"

#define ERR_NOEXIST (PKG_OS + 0x03)
#define ERR_EXISTS (PKG_OS + 0x04)
#define ERR_MEMORY (PKG_OS + 0x07)
#define ERR_INV_SERVER_NAME (PKG_OS + 0x12)
#define ERR_INV_FILE_NAME (PKG_OS + 0x13)
#define ERR_OS_ALREADY_UNLOCKED (PKG_OS + 0x3A)
#define ERR_SEGMENT_TOO_BIG (PKG_OS + 0x3B)
#define ERR_CANCEL (PKG_OS + 0x9D)

#endif
