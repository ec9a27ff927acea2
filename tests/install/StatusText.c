/* A C program of a library user: built against the installed headers through pkg-config. */
#include <notesapi/global.h>
#include <notesapi/oserr.h>
#include <notesapi/osmisc.h>
#include <stdio.h>
#include <string.h>

int main(void) {
  char text[256];
  WORD length = OSLoadString(NULLHANDLE, ERR_NOEXIST, text, sizeof text - 1);
  printf("%s\n", text);
  return length == strlen(text) && strcmp(text, "File does not exist") == 0 ? 0 : 1;
}
