/* National language services: the character-set information some functions take. The runtime
   offers no character sets of its own; callers pass NULL, meaning text already in LMBCS. */
#ifndef NOTESAPI_NLS_H
#define NOTESAPI_NLS_H

typedef struct NLS_INFO NLS_INFO;
typedef NLS_INFO* NLS_PINFO;

#endif
