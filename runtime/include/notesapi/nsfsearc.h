/* Formula compilation and evaluation. */
#ifndef NOTESAPI_NSFSEARC_H
#define NOTESAPI_NSFSEARC_H
#include "nsfdata.h"
#include "nsferr.h"

/* A running evaluation of one compiled formula; it can evaluate against many notes. */
typedef void* HCOMPUTE;

/* Statuses only this runtime's formula engine returns, in a range of the formula package that
   Notes leaves unused. OSLoadString has a text for each. NSFFormulaCompile returns
   ERR_FORMULA_COMPILATION and hands one of the first group out through retCompileError. */
#define ERR_FORMULA_EMPTY (PKG_FORMULA + 0xC0)
#define ERR_FORMULA_TOO_LONG (PKG_FORMULA + 0xC1)
#define ERR_FORMULA_INVALID_CHAR (PKG_FORMULA + 0xC2)
#define ERR_FORMULA_UNTERMINATED_STRING (PKG_FORMULA + 0xC3)
#define ERR_FORMULA_UNTERMINATED_BRACKET (PKG_FORMULA + 0xC4)
#define ERR_FORMULA_INVALID_NUMBER (PKG_FORMULA + 0xC5)
#define ERR_FORMULA_INVALID_TIME (PKG_FORMULA + 0xC6)
#define ERR_FORMULA_UNKNOWN_KEYWORD (PKG_FORMULA + 0xC7)
#define ERR_FORMULA_MISSING_SEMICOLON (PKG_FORMULA + 0xC8)
#define ERR_FORMULA_MISSING_OPERAND (PKG_FORMULA + 0xC9)
#define ERR_FORMULA_MISSING_PAREN (PKG_FORMULA + 0xCA)
#define ERR_FORMULA_MISSING_BRACKET (PKG_FORMULA + 0xCB)
#define ERR_FORMULA_UNKNOWN_FUNCTION (PKG_FORMULA + 0xCC)
#define ERR_FORMULA_UNSUPPORTED_FUNCTION (PKG_FORMULA + 0xCD)
#define ERR_FORMULA_ARGUMENT_COUNT (PKG_FORMULA + 0xCE)
#define ERR_FORMULA_NAME_EXPECTED (PKG_FORMULA + 0xCF)
#define ERR_FORMULA_VIEW_ONLY (PKG_FORMULA + 0xD0)
#define ERR_FORMULA_TOO_DEEP (PKG_FORMULA + 0xD1)
#define ERR_FORMULA_KEYWORD_PLACE (PKG_FORMULA + 0xD2)
#define ERR_FORMULA_UNEXPECTED (PKG_FORMULA + 0xD3)

/* Evaluation: an error value of the formula, or a failure of NSFComputeStart/Evaluate. */
#define ERR_FORMULA_WRONG_TYPE (PKG_FORMULA + 0xE0)
#define ERR_FORMULA_DIVIDE_BY_ZERO (PKG_FORMULA + 0xE1)
#define ERR_FORMULA_SUBSCRIPT (PKG_FORMULA + 0xE2)
#define ERR_FORMULA_INVALID_ARGUMENT (PKG_FORMULA + 0xE3)
#define ERR_FORMULA_USER_ERROR (PKG_FORMULA + 0xE4)
#define ERR_FORMULA_NEEDS_NOTE (PKG_FORMULA + 0xE5)
#define ERR_FORMULA_NOT_NUMBER (PKG_FORMULA + 0xE6)
#define ERR_FORMULA_NOT_TIME (PKG_FORMULA + 0xE7)
#define ERR_FORMULA_DAMAGED_VALUE (PKG_FORMULA + 0xE8)
#define ERR_FORMULA_VALUE_TOO_BIG (PKG_FORMULA + 0xE9)
#define ERR_FORMULA_RESULT_TOO_BIG (PKG_FORMULA + 0xEA)
#define ERR_FORMULA_DAMAGED (PKG_FORMULA + 0xEB)
#define ERR_FORMULA_OVERFLOW (PKG_FORMULA + 0xEC)
#define ERR_FORMULA_TOO_MANY_ITERATIONS (PKG_FORMULA + 0xED)

/* Summary buffers: an ITEM_TABLE, then one ITEM per item, then each item's name (not
   terminated) followed by its value (type word first). Length counts the whole buffer. */
#pragma pack(push, 1)
typedef struct {
  USHORT Length;
  USHORT Items;
} ITEM_TABLE;

typedef struct {
  USHORT NameLength;
  USHORT ValueLength;
} ITEM;

typedef struct {
  DBID File;
  TIMEDATE Note;
  NOTEID NoteID;
} GLOBALINSTANCEID;

/* What NSFSearch hands the routine for each note or directory entry; the summary ITEM_TABLE, if
   asked for, is passed separately. */
typedef struct {
  GLOBALINSTANCEID ID;
  ORIGINATORID OriginatorID;
  WORD NoteClass;
  BYTE SERetFlags;
  BYTE Privileges;
  WORD SummaryLength;
} SEARCH_MATCH;
#pragma pack(pop)

#define SEARCH_ALL_VERSIONS 0x0001
#define SEARCH_SUMMARY 0x0002
#define SEARCH_FILETYPE 0x0004
#define SEARCH_NOTIFYDELETIONS 0x0010
#define SEARCH_ALLPRIVS 0x0040
#define SEARCH_NOABSTRACTS 0x1000
#define SEARCH_DATAONLY_FORMULA 0x4000

#define SE_FMATCH 0x01
#define SE_FTRUNCATED 0x02

/* A summary buffer never grows past this: items that would push it further are left out. */
#define MAXSUMMARYSIZE 0xFFFFu

/* Directory searches (SEARCH_FILETYPE): one file type in the note class mask, plus modifiers. */
#define FILE_ANY 0
#define FILE_DBREPL 1
#define FILE_DBDESIGN 2
#define FILE_MAILBOX 3
#define FILE_DBANY 4
#define FILE_FTANY 5
#define FILE_DIRSONLY 7
#define FILE_TYPEMASK 0x00FF
#define FILE_RECURSE 0x2000
#define FILE_NOUPDIRS 0x4000
#define FILE_DIRS 0x8000

typedef STATUS(LNCALLBACKPTR NSFSEARCHPROC)(void* EnumRoutineParameter, SEARCH_MATCH* SearchMatch,
                                            ITEM_TABLE* SummaryBuffer);

NOTESAPI_BEGIN_DECLS
/* FormulaText is LMBCS (UTF-8 is recognised and accepted too); a FormulaTextLength of 0 means
   NUL-terminated. The compiled formula is a memory handle the caller locks to pass it to
   NSFComputeStart and frees with OSMemFree; the compute keeps its own copy. On a compile error
   the status is ERR_FORMULA_COMPILATION and the specific status, the 1-based line and column
   and the byte offset and length of the offending text go to the last five arguments. Every
   output may be NULL. FormulaName is ignored. */
STATUS LNPUBLIC NSFFormulaCompile(char* FormulaName, WORD FormulaNameLength,
                                  const char* FormulaText, WORD FormulaTextLength,
                                  FORMULAHANDLE* rethFormula, WORD* retFormulaLength,
                                  STATUS* retCompileError, WORD* retCompileErrorLine,
                                  WORD* retCompileErrorColumn, WORD* retCompileErrorOffset,
                                  WORD* retCompileErrorLength);
/* Flags must be 0; lpCompiledFormula is the locked compiled formula. A damaged one gives
   ERR_FORMULA_DAMAGED. */
STATUS LNPUBLIC NSFComputeStart(WORD Flags, void* lpCompiledFormula, HCOMPUTE* rethCompute);
/* hNote may be NULLHANDLE: fields then read as "" and document @functions fail. The result is
   a new memory handle in item value layout (type word first) that the caller frees. A formula
   whose value is an error returns that error's status and no result. */
STATUS LNPUBLIC NSFComputeEvaluate(HCOMPUTE hCompute, NOTEHANDLE hNote, DHANDLE* rethResult,
                                   WORD* retResultLength, BOOL* retNoteMatchesFormula,
                                   BOOL* retNoteShouldBeDeleted, BOOL* retNoteModified);
STATUS LNPUBLIC NSFComputeStop(HCOMPUTE hCompute);
/* hFormula NULLHANDLE selects every note of the class mask. Since NULL or TIMEDATE_WILDCARD
   means any time; retUntil receives the time to pass as Since next time. The routine's non-zero
   status stops the search and is returned. ViewTitle is ignored. */
STATUS LNPUBLIC NSFSearch(DBHANDLE hDB, FORMULAHANDLE hFormula, char* ViewTitle, WORD SearchFlags,
                          WORD NoteClassMask, TIMEDATE* Since, NSFSEARCHPROC EnumRoutine,
                          void* EnumRoutineParameter, TIMEDATE* retUntil);
NOTESAPI_END_DECLS

#endif
