/* The current user. */
#ifndef NOTESAPI_KFM_H
#define NOTESAPI_KFM_H
#include "global.h"
#include "names.h"

/* There are no ID files: the user is the notes.ini setting NOTESRT_USER_NAME_VAR (notesrt.h),
   returned canonical in a buffer of MAXUSERNAME + 1 bytes. Unset or empty gives
   ERR_NOTESRT_NO_USER, a name too long for the buffer ERR_NOTESRT_NAME_TOO_LONG, both with "". */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC SECKFMGetUserName(char* retUserName);
NOTESAPI_END_DECLS

#endif
