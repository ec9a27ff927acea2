/* Rich text: the CD records of TYPE_COMPOSITE values, their signatures and flags. Records are
   canonical (little-endian, packed); every record starts on an even offset, after a record of
   odd length one pad byte follows that its length does not count. */
#ifndef NOTESAPI_EDITODS_H
#define NOTESAPI_EDITODS_H
#include "colorid.h"
#include "editdflt.h"
#include "fontid.h"
#include "nsfdata.h"
#include "ods.h"

/* Record headers. The high byte of the signature word tells the header: 0xFF a WORD length
   follows (WSIG), 0x00 a DWORD length follows (LSIG), anything else is the record length itself
   (BSIG, stored as the type byte then the length byte). Lengths count the header. */
#pragma pack(push, 1)
typedef struct {
  BYTE Signature;
  BYTE Length;
} BSIG;

typedef struct {
  WORD Signature;
  WORD Length;
} WSIG;

typedef struct {
  WORD Signature;
  DWORD Length;
} LSIG;
#pragma pack(pop)

/* Signatures as EnumCompositeBuffer hands them over: the type byte with 0xFF above it for WSIG
   records, alone for BSIG and LSIG records. */
#define SIG_CD_V5HOTSPOTBEGIN (0x7E | WORDRECORDLENGTH)
#define SIG_CD_V5HOTSPOTEND (0x7F | BYTERECORDLENGTH)
#define SIG_CD_PARAGRAPH (0x81 | BYTERECORDLENGTH)
#define SIG_CD_PABDEFINITION (0x82 | WORDRECORDLENGTH)
#define SIG_CD_PABREFERENCE (0x83 | BYTERECORDLENGTH)
#define SIG_CD_TEXT (0x85 | WORDRECORDLENGTH)
#define SIG_CD_FONTTABLE (0x8B | WORDRECORDLENGTH)
#define SIG_CD_LINK (0x8C | BYTERECORDLENGTH)
#define SIG_CD_LINKEXPORT (0x8D | BYTERECORDLENGTH)
#define SIG_CD_HEADER (0x8E | WORDRECORDLENGTH)
#define SIG_CD_LINK2 (0x91 | WORDRECORDLENGTH)
#define SIG_CD_LINKEXPORT2 (0x92 | WORDRECORDLENGTH)
#define SIG_CD_BITMAPHEADER (0x95 | LONGRECORDLENGTH)
#define SIG_CD_GRAPHIC (0x99 | LONGRECORDLENGTH)
#define SIG_CD_TABLEBEGIN (0xA3 | BYTERECORDLENGTH)
#define SIG_CD_TABLECELL (0xA4 | BYTERECORDLENGTH)
#define SIG_CD_TABLEEND (0xA5 | BYTERECORDLENGTH)
#define SIG_CD_HOTSPOTBEGIN (0xA9 | WORDRECORDLENGTH)
#define SIG_CD_HOTSPOTEND (0xAA | BYTERECORDLENGTH)
#define SIG_CD_BAR (0xAC | WORDRECORDLENGTH)
#define SIG_CD_V4HOTSPOTBEGIN (0xAD | WORDRECORDLENGTH)
#define SIG_CD_V4HOTSPOTEND (0xAE | BYTERECORDLENGTH)
#define SIG_CD_ANCHOR (0xCB | WORDRECORDLENGTH)
#define SIG_CD_BEGIN (0xDD | BYTERECORDLENGTH)
#define SIG_CD_END (0xDE | BYTERECORDLENGTH)
#define SIG_CD_PRETABLEBEGIN (0xFB | WORDRECORDLENGTH)
#define SIG_CD_IMAGESEGMENT (0x7C | LONGRECORDLENGTH)
#define SIG_CD_IMAGEHEADER (0x7D | LONGRECORDLENGTH)

#define MAXTABS 20

/* Hotspot types (CDHOTSPOTBEGIN.Type). */
#define HOTSPOTREC_TYPE_POPUP 1
#define HOTSPOTREC_TYPE_HOTREGION 2
#define HOTSPOTREC_TYPE_BUTTON 3
#define HOTSPOTREC_TYPE_FILE 4
#define HOTSPOTREC_TYPE_SECTION 7
#define HOTSPOTREC_TYPE_ANY 8
#define HOTSPOTREC_TYPE_HOTLINK 11
#define HOTSPOTREC_TYPE_BUNDLE 12
#define HOTSPOTREC_TYPE_V4_SECTION 13
#define HOTSPOTREC_TYPE_SUBFORM 14
#define HOTSPOTREC_TYPE_ACTIVEOBJECT 15
#define HOTSPOTREC_TYPE_OLERICHTEXT 18
#define HOTSPOTREC_TYPE_EMBEDDEDVIEW 19
#define HOTSPOTREC_TYPE_MOUSEOVER 22
#define HOTSPOTREC_TYPE_FILEUPLOAD 24
#define HOTSPOTREC_TYPE_RCLINK 32

/* Hotspot flags (CDHOTSPOTBEGIN.Flags); only the bits of the mask are stored. */
#define HOTSPOTREC_RUNFLAG_BEGIN 0x00000001u
#define HOTSPOTREC_RUNFLAG_END 0x00000002u
#define HOTSPOTREC_RUNFLAG_BOX 0x00000004u
#define HOTSPOTREC_RUNFLAG_NOBORDER 0x00000008u
#define HOTSPOTREC_RUNFLAG_FORMULA 0x00000010u
#define HOTSPOTREC_RUNFLAG_MOVIE 0x00000020u
#define HOTSPOTREC_RUNFLAG_IGNORE 0x00000040u
#define HOTSPOTREC_RUNFLAG_ACTION 0x00000080u
#define HOTSPOTREC_RUNFLAG_SCRIPT 0x00000100u
#define HOTSPOTREC_RUNFLAG_INOTES 0x00001000u
#define HOTSPOTREC_RUNFLAG_ISMAP 0x00002000u
#define HOTSPOTREC_RUNFLAG_INOTES_AUTO 0x00004000u
#define HOTSPOTREC_RUNFLAG_ISMAP_INPUT 0x00008000u
#define HOTSPOTREC_RUNFLAG_SIGNED 0x00010000u
#define HOTSPOTREC_RUNFLAG_ANCHOR 0x00020000u
#define HOTSPOTREC_RUNFLAG_COMPUTED 0x00040000u
#define HOTSPOTREC_RUNFLAG_TEMPLATE 0x00080000u
#define HOTSPOTREC_RUNFLAG_HIGHLIGHT 0x00100000u
#define HOTSPOTREC_RUNFLAG_EXTACTION 0x00200000u
#define HOTSPOTREC_RUNFLAG_NAMEDELEM 0x00400000u
#define HOTSPOTREC_RUNFLAG_WEBJAVASCRIPT 0x00800000u
#define HOTSPOTREC_RUNFLAG_ODSMASK 0x00FFFFFCu

/* Table flags (CDTABLEBEGIN.Flags). */
#define CDTABLE_AUTO_CELL_WIDTH 0x0001
#define CDTABLE_V4_BORDERS 0x0002
#define CDTABLE_3D_BORDER_EMBOSS 0x0004
#define CDTABLE_3D_BORDER_EXTRUDE 0x0008
#define CDTABLE_BIDI_RTLTABLE 0x0010
#define CDTABLE_ALIGNED_RIGHT 0x0020
#define CDTABLE_COLLAPSIBLE 0x0040
#define CDTABLE_ALIGNED_CENTER 0x1000
#define CDTABLE_TEXTFLOWS 0x8000

/* Cell flags (CDTABLECELL.Flags) and the 2-bit border values of CDTABLECELL.Border. */
#define CDTABLECELL_USE_BKGCOLOR 0x01
#define CDTABLECELL_USE_V42BORDERS 0x02
#define CDTABLECELL_INVISIBLEH 0x04
#define CDTABLECELL_INVISIBLEV 0x08
#define CDTABLECELL_USE_GRADIENT 0x10
#define CDTABLECELL_VALIGNCENTER 0x20
#define TABLE_BORDER_NONE 0
#define TABLE_BORDER_SINGLE 1
#define TABLE_BORDER_DOUBLE 2

/* Section title bar flags (CDBAR.Flags); the border style sits in bits 28 to 30. */
#define BARREC_DISABLED_FOR_NON_EDITORS 0x00000001u
#define BARREC_EXPANDED 0x00000002u
#define BARREC_PREVIEW 0x00000004u
#define BARREC_AUTO_EXP_READ 0x00000010u
#define BARREC_AUTO_EXP_PRE 0x00000020u
#define BARREC_AUTO_EXP_EDIT 0x00000040u
#define BARREC_AUTO_EXP_PRINT 0x00000080u
#define BARREC_AUTO_COL_READ 0x00000100u
#define BARREC_AUTO_COL_PRE 0x00000200u
#define BARREC_AUTO_COL_EDIT 0x00000400u
#define BARREC_AUTO_COL_PRINT 0x00000800u
#define BARREC_BORDER_INVISIBLE 0x00001000u
#define BARREC_ISFORMULA 0x00002000u
#define BARREC_HIDE_EXPANDED 0x00004000u
#define BARREC_INTENDED 0x01000000u
#define BARREC_HAS_COLOR 0x04000000u
#define BARREC_BORDER_MASK 0x70000000u
#define BARREC_INDENTED 0x80000000u
#define BARREC_BORDER_SHADOW 0
#define BARREC_BORDER_NONE 1
#define BARREC_BORDER_SINGLE 2
#define BARREC_BORDER_DOUBLE 3
#define BARREC_BORDER_TRIPLE 4
#define BARREC_BORDER_TWOLINE 5
#define BARREC_BORDER_WINDOWCAPTION 6
#define BARREC_BORDER_OTHER 7

#pragma pack(push, 1)
/* A text run: the text (LMBCS, not terminated; a NUL is a hard line break) follows. */
typedef struct {
  WSIG Header;
  FONTID FontID;
} CDTEXT;

/* Starts a paragraph. */
typedef struct {
  BSIG Header;
} CDPARAGRAPH;

/* A paragraph style, referred to by its PABID (unique within the field). */
typedef struct {
  WSIG Header;
  WORD PABID;
  WORD JustifyMode;
  WORD LineSpacing;
  WORD ParagraphSpacingBefore;
  WORD ParagraphSpacingAfter;
  WORD LeftMargin;
  WORD RightMargin;
  WORD FirstLineLeftMargin;
  WORD Tabs;
  SWORD Tab[MAXTABS];
  WORD Flags;
  DWORD TabTypes;
  WORD Flags2;
} CDPABDEFINITION;

/* The style of the current paragraph: a CDPABDEFINITION written earlier. */
typedef struct {
  BSIG Header;
  WORD PABID;
} CDPABREFERENCE;

/* Begins a hotspot; DataLength bytes of data follow (for a file: its "$FILE" item's name and
   the name shown, each NUL-terminated; for a URL: the URL). V4 sections use the same layout. */
typedef struct {
  WSIG Header;
  WORD Type;
  DWORD Flags;
  WORD DataLength;
} CDHOTSPOTBEGIN;
typedef CDHOTSPOTBEGIN CDV4HOTSPOTBEGIN;

typedef struct {
  BSIG Header;
} CDHOTSPOTEND;
typedef CDHOTSPOTEND CDV4HOTSPOTEND;

/* A section's title bar: with BARREC_HAS_COLOR a colour WORD follows, then the title. */
typedef struct {
  WSIG Header;
  DWORD Flags;
  FONTID FontID;
} CDBAR;

/* Table measures in twips. */
typedef struct {
  BSIG Header;
  WORD LeftMargin;
  WORD HorizInterCellSpace;
  WORD VertInterCellSpace;
  WORD V4HorizInterCellSpace;
  WORD V4VertInterCellSpace;
  WORD Flags;
} CDTABLEBEGIN;

/* Border: four 2-bit values (left, right, top, bottom from bit 0); v42Border: four 4-bit
   widths in the same order. */
typedef struct {
  BSIG Header;
  BYTE Row;
  BYTE Column;
  WORD LeftMargin;
  WORD RightMargin;
  WORD FractionalWidth;
  BYTE Border;
  BYTE Flags;
  WORD v42Border;
  BYTE RowSpan;
  BYTE ColumnSpan;
  WORD BackgroundColor;
} CDTABLECELL;

typedef struct {
  BSIG Header;
  DWORD Spare;
} CDTABLEEND;

/* A link through the note's "$Links" entry LinkID; the comment, the server hint and the anchor
   text follow, each NUL-terminated. */
typedef struct {
  WSIG Header;
  WORD LinkID;
} CDLINK2;

/* A self-contained link; the same strings as CDLINK2 follow. */
typedef struct {
  WSIG Header;
  NOTELINK NoteLink;
} CDLINKEXPORT2;

/* The note's font table ("$Fonts"): Fonts CDFACE entries follow, counted in the length. */
typedef struct {
  WSIG Header;
  WORD Fonts;
} CDFONTTABLE;

/* A picture: its size on the page (twips), how it is cropped, and its version. A
   CDIMAGEHEADER and its CDIMAGESEGMENTs follow. */
typedef struct {
  WORD Width;
  WORD Height;
} RECTSIZE;

typedef struct {
  WORD left;
  WORD top;
  WORD right;
  WORD bottom;
} CROPRECT;

#define CDGRAPHIC_VERSION1 0
#define CDGRAPHIC_VERSION2 1
#define CDGRAPHIC_VERSION3 2

typedef struct {
  LSIG Header;
  RECTSIZE DestSize;
  RECTSIZE CropDestSize;
  CROPRECT CropOffset;
  WORD fResize;
  BYTE Version;
  BYTE bFlags;
  WORD wReserved;
} CDGRAPHIC;

/* The picture's file format, its size in pixels, and how many bytes and segments follow. */
#define CDIMAGETYPE_GIF 1
#define CDIMAGETYPE_JPEG 2
#define CDIMAGETYPE_BMP 3
#define CDIMAGETYPE_PNG 4

typedef struct {
  LSIG Header;
  WORD ImageType;
  WORD Width;
  WORD Height;
  DWORD ImageDataSize;
  DWORD SegCount;
  DWORD Flags;
  DWORD Reserved;
} CDIMAGEHEADER;

/* DataSize bytes of the picture follow, padded to SegSize (even). */
typedef struct {
  LSIG Header;
  WORD DataSize;
  WORD SegSize;
} CDIMAGESEGMENT;

/* Face numbers from STATIC_FONT_FACES up; Family holds the pitch and family bits. */
typedef struct {
  BYTE Face;
  BYTE Family;
  char Name[MAXFACESIZE];
} CDFACE;
#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(CDGRAPHIC) == 28 && sizeof(CDIMAGEHEADER) == 28);
static_assert(sizeof(CDIMAGESEGMENT) == 10);
#endif

#endif
