#include "BenchMailServer.h"

#include <cstdlib>
#include <string>

#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "notesapi/notesrt.h"
#include "notesapi/osenv.h"

void MakeBenchMailServer(const TBenchEnv& Env, const char* Server, const char* MailFile) {
  OSSetEnvironmentVariable(NOTESRT_SERVERS_DIR_VAR, (Env.DataDir() / ".." / "servers").c_str());
  OSSetEnvironmentVariable(NOTESRT_USER_NAME_VAR, "CN=Jane Doe/O=Acme");
  OSSetEnvironmentVariable("MailServer", Server);
  OSSetEnvironmentVariable("MailFile", MailFile);
  if (NotesRTCreateServer(Server) != NOERROR) std::abort();
  // Only the server changes its directory.
  if (NotesRTSwitchUser(Server) != NOERROR) std::abort();
  TNotesDatabase directory;
  directory.Open(Server, "names.nsf");
  auto person = directory.CreateDocument();
  person->ReplaceItemValue("Form", TVariant("Person"));
  person->ReplaceItemValue("Type", TVariant("Person"));
  person->ReplaceItemValue("FirstName", TVariant("Jane"));
  person->ReplaceItemValue("LastName", TVariant("Doe"));
  person->ReplaceItemValue("FullName", TVariant("CN=Jane Doe/O=Acme"));
  person->ReplaceItemValue("MailServer", TVariant(Server));
  person->ReplaceItemValue("MailFile", TVariant(MailFile));
  person->Save();
  directory.Close();
  NotesRTSwitchUser(nullptr);
}
