#ifndef NOTESAPI_BSAFEERR_H
#define NOTESAPI_BSAFEERR_H
#include "globerr.h"

#define ERR_BSAFE_USER_ABORT (PKG_BSAFE + 0x28)

#endif
