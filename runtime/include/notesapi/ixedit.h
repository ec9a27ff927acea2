/* The data blocks edit-level import and export filters are called with (packed, as the filter
   libraries of every platform expect them). */
#ifndef NOTESAPI_IXEDIT_H
#define NOTESAPI_IXEDIT_H
#include "fontid.h"
#include "global.h"
#include "names.h"

#pragma pack(push, 1)
/* A header or footer: its font and text. */
typedef struct {
  BYTE FontPitchAndFamily;
  char FontName[MAXFACESIZE];
  FONTID Font;
  WORD HeadLength;
} HEAD_DESC;

typedef struct {
  HEAD_DESC Desc;
  char String[256];
} HEAD_DESC_BUFFER;

#define PS_Initialized 0x0001
#define PS_HeaderFooterOnFirst 0x0002
#define PS_CropMarks 0x0004

typedef struct {
  WORD Flags;
  WORD StartingPageNum;
  WORD TopMargin;
  WORD BottomMargin;
  WORD ExtraLeftMargin;
  WORD ExtraRightMargin;
  WORD HeaderMargin;
  WORD FooterMargin;
  WORD PageWidth;
  WORD PageHeight;
  WORD BinFirstPage;
  WORD BinOtherPage;
  WORD PageOrientation;
  WORD wSpare;
  DWORD Spare[2];
} PRINT_SETTINGS;

/* An import writes its CD file (the TYPE_COMPOSITE word, then the records) to OutputFileName;
   FontID is the font at the caret. */
typedef struct {
  char OutputFileName[OLDMAXPATH];
  FONTID FontID;
} EDITIMPORTDATA;

/* An export reads the CD file InputFileName (type word first); hCompBuffer and CompLength are
   the in-memory form of older callers. */
typedef struct {
  char InputFileName[OLDMAXPATH];
  DHANDLE hCompBuffer;
  DWORD CompLength;
  HEAD_DESC_BUFFER HeaderBuffer;
  HEAD_DESC_BUFFER FooterBuffer;
  PRINT_SETTINGS PrintSettings;
} EDITEXPORTDATA;
#pragma pack(pop)

/* The layout every filter library relies on. */
#ifdef __cplusplus
#define IXEDIT_LAYOUT(Check) static_assert(Check, #Check)
#else
#define IXEDIT_LAYOUT(Check) _Static_assert(Check, #Check)
#endif
IXEDIT_LAYOUT(sizeof(HEAD_DESC) == 39 && sizeof(HEAD_DESC_BUFFER) == 295);
IXEDIT_LAYOUT(sizeof(PRINT_SETTINGS) == 36);
IXEDIT_LAYOUT(sizeof(EDITIMPORTDATA) == 104 && offsetof(EDITIMPORTDATA, FontID) == 100);
IXEDIT_LAYOUT(sizeof(EDITEXPORTDATA) == 734);
IXEDIT_LAYOUT(offsetof(EDITEXPORTDATA, HeaderBuffer) + offsetof(HEAD_DESC, Font) == 141);
IXEDIT_LAYOUT(offsetof(EDITEXPORTDATA, FooterBuffer) + offsetof(HEAD_DESC, Font) == 436);
IXEDIT_LAYOUT(offsetof(EDITEXPORTDATA, PrintSettings) + offsetof(PRINT_SETTINGS, Flags) == 698);
#undef IXEDIT_LAYOUT

#endif
