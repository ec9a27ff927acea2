/* Compound text: rich text composed from plain text and written into a note as one field. */
#ifndef NOTESAPI_EASYCD_H
#define NOTESAPI_EASYCD_H
#include "fontid.h"
#include "nsfdata.h"

/* How the text of CompoundTextAddTextExt becomes paragraphs. Without COMP_PARA_LINE or
   COMP_PRESERVE_LINES the text is cut into paragraphs of about 10 KB. */
#define COMP_FROM_FILE 0x00000001u       /* pchText names a file (not supported here) */
#define COMP_PRESERVE_LINES 0x00000002u  /* a delimiter is a line break in the same paragraph */
#define COMP_PARA_LINE 0x00000004u       /* a delimiter starts a new paragraph */
#define COMP_PARA_BLANK_LINE 0x00000008u /* a blank line starts a new paragraph */
#define COMP_SERVER_HINT_FOLLOWS 0x00000010u

/* The style of the paragraph before; IDs no style was defined with mean the default style. */
#define STYLE_ID_SAMEASPREV 0xFFFFFFFFu

/* Character set information of the text; NULL means LMBCS. */
typedef struct NLS_INFO* NLS_PINFO;

NOTESAPI_BEGIN_DECLS
/* A context that writes the field ItemName into the note hNote at CompoundTextClose; a null note
   handle (a context that hands its records back) is refused with ERR_MISC_INVALID_ARGS. The
   handle is freed by CompoundTextClose or CompoundTextDiscard. */
STATUS LNPUBLIC CompoundTextCreate(NOTEHANDLE hNote, const char* pszItemName, DHANDLE* phCompound);
/* Adds dwTextLen bytes of LMBCS text in the font FontID, lines cut at pszLineDelim ("\r\n" also
   takes "\n", "\r" and "\n\r"; NULL is "\r\n") as dwFlags (COMP_xxx) say. A delimiter that ends
   the text starts nothing new. Lines over 16 KB become several text runs. Nothing reaches the
   note before CompoundTextClose. */
STATUS LNPUBLIC CompoundTextAddTextExt(DHANDLE hCompound, DWORD dwStyleID, FONTID FontID,
                                       const char* pchText, DWORD dwTextLen,
                                       const char* pszLineDelim, DWORD dwFlags, NLS_PINFO pInfo);
/* The older form of CompoundTextAddTextExt. */
STATUS LNPUBLIC CompoundTextAddText(DHANDLE hCompound, DWORD dwStyleID, FONTID FontID,
                                    const char* pchText, DWORD dwTextLen, const char* pszLineDelim,
                                    DWORD dwFlags, void* pInfo);
/* Appends the field to the note, as several items of the name when it is long (each under
   64,000 bytes, cut between records), and frees the context. The return arguments are for
   contexts without a note: they come back empty. On failure nothing is appended and the context
   stays open for CompoundTextDiscard. */
STATUS LNPUBLIC CompoundTextClose(DHANDLE hCompound, DHANDLE* phReturnBuffer,
                                  DWORD* pdwReturnBufferSize, char* pchReturnFile,
                                  WORD wReturnFileNameSize);
/* Frees the context without writing anything. */
void LNPUBLIC CompoundTextDiscard(DHANDLE hCompound);
NOTESAPI_END_DECLS

#endif
