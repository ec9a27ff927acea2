/* A C program of a library user: built against the installed headers through pkg-config, it
   reads a status text and loads a filter library from the installed program directory. */
#include <notesapi/global.h>
#include <notesapi/ixedit.h>
#include <notesapi/ixport.h>
#include <notesapi/oserr.h>
#include <notesapi/osmisc.h>
#include <stdio.h>
#include <string.h>

int main(void) {
  char text[256];
  WORD length = OSLoadString(NULLHANDLE, ERR_NOEXIST, text, sizeof text - 1);
  printf("%s\n", text);
  HMODULE module = NULL;
  IXENTRYPROC entry = NULL;
  STATUS loaded = OSLoadLibrary("NITEXT", 0, &module, &entry);
  if (loaded != NOERROR || !entry) fprintf(stderr, "NITEXT not loaded: status %u\n", loaded);
  if (loaded == NOERROR) OSFreeLibrary(module);
  return length == strlen(text) && strcmp(text, "File does not exist") == 0 && loaded == NOERROR &&
                 entry
             ? 0
             : 1;
}
