#ifndef NOTESAPI_OSSIGNAL_H
#define NOTESAPI_OSSIGNAL_H
#include "global.h"

#define OS_SIGNAL_MESSAGE 3
#define OS_SIGNAL_BUSY 4
#define OS_SIGNAL_CHECK_BREAK 5
#define OS_SIGNAL_DIAL 10
#define OS_SIGNAL_PROGRESS 13
#define OS_SIGNAL_REPL 15

typedef void(LNCALLBACKPTR OSSIGPROC)(void);
typedef STATUS(LNCALLBACKPTR OSSIGBREAKPROC)(void);

/* The progress signal: long operations (a router pass) call the handler with BEGIN, SETRANGE
   (Data1 = the number of steps), SETPOS (Data1 = the steps done) and END; its result is not used.
 */
#define PROGRESS_SIGNAL_BEGIN 0
#define PROGRESS_SIGNAL_END 1
#define PROGRESS_SIGNAL_SETRANGE 2
#define PROGRESS_SIGNAL_SETTEXT 3
#define PROGRESS_SIGNAL_SETPOS 4
#define PROGRESS_SIGNAL_DELTAPOS 5
typedef WORD(LNCALLBACKPTR OSSIGPROGRESSPROC)(WORD Option, DWORD Data1, DWORD Data2);

NOTESAPI_BEGIN_DECLS
OSSIGPROC LNPUBLIC OSGetSignalHandler(WORD SignalHandlerID);
OSSIGPROC LNPUBLIC OSSetSignalHandler(WORD SignalHandlerID, OSSIGPROC Routine);
NOTESAPI_END_DECLS

#endif
