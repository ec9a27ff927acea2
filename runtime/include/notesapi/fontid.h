/* FONTID: the font of a text run packed into a DWORD (face, attributes, colour, point size). */
#ifndef NOTESAPI_FONTID_H
#define NOTESAPI_FONTID_H
#include "global.h"

typedef DWORD FONTID;

#pragma pack(push, 1)
/* The same four bytes by field, in storage order. */
typedef struct {
  BYTE Face;
  BYTE Attrib;
  BYTE Color;
  BYTE PointSize;
} FONTIDFIELDS;
#pragma pack(pop)

#define FONT_FACE_SHIFT 0
#define FONT_STYLE_SHIFT 8
#define FONT_COLOR_SHIFT 16
#define FONT_SIZE_SHIFT 24

/* Faces every client knows; higher numbers name an entry of the note's font table ("$Fonts"). */
#define FONT_FACE_ROMAN 0
#define FONT_FACE_SWISS 1
#define FONT_FACE_UNICODE 2
#define FONT_FACE_USERINTERFACE 3
#define FONT_FACE_TYPEWRITER 4
#define STATIC_FONT_FACES 5

/* Attribute bits (FONTIDFIELDS.Attrib); the three effects share the shadow bit. */
#define ISBOLD 0x01
#define ISITALIC 0x02
#define ISUNDERLINE 0x04
#define ISSTRIKEOUT 0x08
#define ISSUPER 0x10
#define ISSUB 0x20
#define ISEFFECT 0x80
#define ISSHADOW 0x80
#define ISEMBOSS 0x90
#define ISEXTRUDE 0xA0

/* A face name's room, NUL included (CDFACE.Name). */
#define MAXFACESIZE 32

#define NULLFONTID ((FONTID)0)
#define DEFAULT_FONT_ID \
  ((FONTID)((10u << FONT_SIZE_SHIFT) | ((DWORD)FONT_FACE_SWISS << FONT_FACE_SHIFT)))

#endif
