/* Layout of a STATUS: two flag bits, a package and a number within the package. */
#ifndef NOTESAPI_GLOBERR_H
#define NOTESAPI_GLOBERR_H

#define STS_DISPLAYED 0x8000
#define STS_REMOTE 0x4000
#define ERR_MASK 0x3FFF
#define PKG_MASK 0x3F00
#define ERRNUM_MASK 0x00FF
#define ERR(x) ((x) & ERR_MASK)
#define PKG(x) ((x) & PKG_MASK)
#define ERRNUM(x) ((x) & ERRNUM_MASK)

#define PKG_OS 0x0100
#define PKG_NSF 0x0200
#define PKG_NIF 0x0300
#define PKG_NSF2 0x0380
#define PKG_MISC 0x0400
#define PKG_FORMULA 0x0500
#define PKG_ODS 0x0600
#define PKG_CLIENT 0x0800
#define PKG_SERVER 0x0900
#define PKG_NETWORK 0x0A00
#define PKG_MAIL 0x0E00
#define PKG_FT 0x0F00
#define PKG_BSAFE 0x1700

#endif
