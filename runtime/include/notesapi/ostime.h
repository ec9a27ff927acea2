#ifndef NOTESAPI_OSTIME_H
#define NOTESAPI_OSTIME_H
#include "global.h"

NOTESAPI_BEGIN_DECLS
void LNPUBLIC OSCurrentTIMEDATE(TIMEDATE* retTimeDate);
void LNPUBLIC OSCurrentTimeZone(int* retZone, int* retDST);
NOTESAPI_END_DECLS

#endif
