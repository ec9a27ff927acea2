#ifndef NOTESAPI_OSFILE_H
#define NOTESAPI_OSFILE_H
#include "global.h"
#include "names.h"

NOTESAPI_BEGIN_DECLS
/* retPathName buffers are MAXPATH bytes. */
STATUS LNPUBLIC OSPathNetConstruct(const char* PortName, const char* ServerName,
                                   const char* FileName, char* retPathName);
STATUS LNPUBLIC OSPathNetParse(const char* PathName, char* retPortName, char* retServerName,
                               char* retFileName);
void LNPUBLIC OSGetExecutableDirectory(char* retPathName);
WORD LNPUBLIC OSGetDataDirectory(char* retPathName);
void LNPUBLIC OSGetIniFileName(char* retPathName);
NOTESAPI_END_DECLS

#endif
