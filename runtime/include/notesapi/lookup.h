/* Looking names up in the address books (the $Users and $Groups name spaces) and listing the
   address books in use. */
#ifndef NOTESAPI_LOOKUP_H
#define NOTESAPI_LOOKUP_H
#include "global.h"

/* NAMELookup flags. */
#define NAME_LOOKUP_ALL 0x0001         /* every entry of the name space; the names are ignored */
#define NAME_LOOKUP_NOSEARCHING 0x0002 /* only the first address book */
#define NAME_LOOKUP_EXHAUSTIVE 0x0020  /* every address book, not only the first with a match */
#define NAME_LOOKUP_UPDATE 0x0100      /* accepted; the key index is always current */

/* NAMEGetAddressBooks options. */
#define NAME_GET_AB_TITLES 0x0001    /* each entry is the path, then the book's title */
#define NAME_DEFAULT_TITLES 0x0002   /* with NAME_GET_AB_TITLES: the path stands in for no title */
#define NAME_GET_AB_FIRSTONLY 0x0004 /* only the first book */

NOTESAPI_BEGIN_DECLS
/* Looks each name up in each name space of the address books: ServerName's names.nsf, or for
   NULL or "" the local books of the setting NAMES (comma-separated, default names.nsf). Name
   spaces, names and items are NUL-terminated LMBCS strings packed back to back and counted by
   the Num arguments; NumNameSpaces and NumNames must be at least 1. A name matches any key of
   a person (every FullName value, canonical and abbreviated, the common name, ShortName,
   InternetAddress, FirstName, LastName and "FirstName LastName") or of a group (ListName),
   without regard to case; a name ending in "*" matches keys beginning with the rest; the empty
   name matches nothing. Each matching document appears once per record. The result holds
   NumNameSpaces x NumNames records (name-space major); the caller locks, unlocks and frees it.
   ERR_NO_NAMES_FILE when no address book exists, ERR_NO_SUCH_NAMESPACE for a name space other
   than $Users or $Groups, ERR_SERVER_NOT_RESPONDING for a server that cannot be reached. */
STATUS LNPUBLIC NAMELookup(const char* ServerName, WORD Flags, WORD NumNameSpaces,
                           const char* NameSpaces, WORD NumNames, const char* Names, WORD NumItems,
                           const char* Items, DHANDLE* rethBuffer);
/* The first record for pName NULL, else the record after pName; NULL after the last or for a
   pointer that is not a record of a locked lookup result. *retNumMatches (optional) receives
   the record's match count, 0 with NULL. */
void* LNPUBLIC NAMELocateNextName(void* pLookup, void* pName, WORD* retNumMatches);
/* The first match of the record for pMatch NULL, else the next; NULL after the last. */
void* LNPUBLIC NAMELocateNextMatch(void* pLookup, void* pName, void* pMatch);
/* The value of item number Item of the match: a pointer to its type word followed by the value
   (possibly odd-aligned), *retSize counting the type word. NULL (type and size 0) when the
   document lacks the item or the arguments are not a match of a locked lookup result. */
void* LNPUBLIC NAMELocateItem(void* pMatch, WORD Item, WORD* retDataType, WORD* retSize);
/* Member Member of the item as NUL-terminated LMBCS text, written into BufLen bytes (NUL
   included) and cut at a character boundary. A text has member 0 only, a text list one member
   per entry; numbers and times give their text form as member 0. ERR_NO_SUCH_ITEM for an item
   the document lacks, ERR_NO_MORE_MEMBERS past the last member, ERR_DATATYPE for a value that
   has no text form. */
STATUS LNPUBLIC NAMEGetTextItem(void* pMatch, WORD Item, WORD Member, char* Buffer, WORD BufLen);

/* The address books in use: pszServer's names.nsf, or for NULL or "" the existing books of
   the setting NAMES in order. The result holds *pwReturnCount entries, each a NUL-terminated
   path (relative to the data directory) followed, with NAME_GET_AB_TITLES, by a NUL-terminated
   title; *pwReturnLength is its size. No book gives count 0, NOERROR and no handle. */
STATUS LNPUBLIC NAMEGetAddressBooks(const char* pszServer, WORD wOptions, WORD* pwReturnCount,
                                    WORD* pwReturnLength, DHANDLE* phReturn);
NOTESAPI_END_DECLS

#endif
