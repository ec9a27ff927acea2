#ifndef NOTESAPI_NS_H
#define NOTESAPI_NS_H
#include "global.h"

NOTESAPI_BEGIN_DECLS
/* The servers known on a port (NULL: on every port of the Ports setting): a WORD count N, N WORD
   lengths, then the N names back to back, not terminated. The caller frees the list. */
STATUS LNPUBLIC NSGetServerList(char* pPortName, DHANDLE* retServerTextList);
NOTESAPI_END_DECLS

#endif
