#ifndef NOTESAPI_NAMES_H
#define NOTESAPI_NAMES_H

#define MAXPATH 256
#define OLDMAXPATH 100 /* the file names of the filters' data blocks */
#define MAXUSERNAME 256
#define MAXDOMAINNAME 31

#endif
