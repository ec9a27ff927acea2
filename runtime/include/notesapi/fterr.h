#ifndef NOTESAPI_FTERR_H
#define NOTESAPI_FTERR_H
#include "globerr.h"

#define ERR_FT_NOMATCHES (PKG_FT + 0x22)

/* Statuses only this runtime returns, in a range of the full-text package that Notes leaves
   unused. OSLoadString has a text for each. */
#define ERR_NOTESRT_FT_SYNTAX (PKG_FT + 0xF0)      /* query not understandable */
#define ERR_NOTESRT_FT_NO_WORDS (PKG_FT + 0xF1)    /* query holds nothing to search for */
#define ERR_NOTESRT_FT_OPERATOR (PKG_FT + 0xF2)    /* TERMWEIGHT, PARAGRAPH, =, ... */
#define ERR_NOTESRT_FT_WILDCARD (PKG_FT + 0xF3)    /* wildcard not at the end of a word */
#define ERR_NOTESRT_FT_OPTIONS (PKG_FT + 0xF4)     /* option bits this runtime cannot honour */
#define ERR_NOTESRT_FT_COLLECTION (PKG_FT + 0xF5)  /* search within a view collection */

#endif
