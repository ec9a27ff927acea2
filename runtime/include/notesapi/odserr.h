#ifndef NOTESAPI_ODSERR_H
#define NOTESAPI_ODSERR_H
#include "globerr.h"

#define ERR_DATATYPE (PKG_ODS + 0x02)
#define ERR_ODS_ENUM_COMPLETE (PKG_ODS + 0x04)
#define ERR_ODS_NO_SUCH_ENTRY (PKG_ODS + 0x05)

#endif
