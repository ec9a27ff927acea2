/* Hierarchical (distinguished) names: taking them apart and converting between their forms. */
#ifndef NOTESAPI_DNAME_H
#define NOTESAPI_DNAME_H
#include "global.h"

#define DN_OUNITS 4

/* DN_COMPONENTS.Flags */
#define DN_NONSTANDARD 0x0001      /* not a canonical name: abbreviated or malformed */
#define DN_NONDISTINGUISHED 0x0002 /* a flat name (or an Internet address) */
#define DN_CN_OU_RDN 0x0008
#define DN_O_C_RDN 0x0010
#define DN_NONABBREV 0x0020

/* The published field order. It is used through a pointer only, so it keeps the platform's
   natural alignment; CompSize must be sizeof(DN_COMPONENTS), else ERR_DN_COMP_VERSION.
   Each component is a length and a pointer into the parsed text, not NUL-terminated; a "$"
   escape stays in the text. OU[0] is the unit next to the common name. */
typedef struct {
  DWORD Flags;
  WORD CLength;
  char* C;
  WORD OLength;
  char* O;
  WORD OULength[DN_OUNITS];
  char* OU[DN_OUNITS];
  WORD CNLength;
  char* CN;
  WORD DomainLength;
  char* Domain;
  WORD PRMDLength;
  char* PRMD;
  WORD ADMDLength;
  char* ADMD;
  WORD GLength;
  char* G;
  WORD SLength;
  char* S;
  WORD ILength;
  char* I;
  WORD QLength;
  char* Q;
} DN_COMPONENTS;

/* Names are LMBCS; keywords (CN, OU, O, C, G, S, I, Q, ADMD, PRMD) match in any case. Flags are
   ignored. A NULL or empty TemplateName means no template: a flat name stays flat (the current
   user is not filled in). "$" makes the next character literal; "@domain" at the end is kept.

   DNParse fills Comp for a canonical name. Any other text leaves every component empty, with
   DN_NONDISTINGUISHED for a flat name and DN_NONSTANDARD otherwise.

   DNCanonicalize labels an abbreviated name: first part CN, last part O, or C and O before it
   when there are three or more parts and the last has two characters; the parts in between are
   OUs, OU1 next to CN. More than four OUs give ERR_NOTESRT_TOO_MANY_OUS. A template completes a
   flat or "Common/" name with its OUs, O and C. Canonical and flat names come back with only the
   whitespace around their parts removed; malformed texts (empty parts, an "=" without a known
   keyword) come back unchanged.

   DNAbbreviate drops the CN, OU, O and C labels of a canonical name and keeps the others; any
   other text comes back unchanged.

   Both write at most OutSize bytes with the NUL. A result that does not fit is cut at a
   character boundary and gives ERR_NOTESRT_NAME_TOO_LONG. OutLength (optional) receives the
   length written without the NUL. */
NOTESAPI_BEGIN_DECLS
STATUS LNPUBLIC DNParse(DWORD Flags, const char* TemplateName, const char* InName,
                        DN_COMPONENTS* Comp, WORD CompSize);
STATUS LNPUBLIC DNCanonicalize(DWORD Flags, const char* TemplateName, const char* InName,
                               char* OutName, WORD OutSize, WORD* OutLength);
STATUS LNPUBLIC DNAbbreviate(DWORD Flags, const char* TemplateName, const char* InName,
                             char* OutName, WORD OutSize, WORD* OutLength);
NOTESAPI_END_DECLS

#endif
