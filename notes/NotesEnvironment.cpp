#include "NotesEnvironment.h"

#include "NotesApi.h"
#include "NotesUncutText.h"

// OSGetEnvironmentString takes the most characters it may write, without the NUL.
std::string NotesEnvironmentString(const char* Name) {
  return ReadUncutText(MAXENVVALUE + 1, [&](char* Buffer, WORD Size) {
    return OSGetEnvironmentString(Name, Buffer, static_cast<WORD>(Size - 1)) != FALSE;
  });
}
