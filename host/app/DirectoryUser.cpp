#include "DirectoryUser.h"

#include <vector>

#include "ELotusNotes.h"
#include "Exception.h"
#include "NotesCharset.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesName.h"
#include "notesapi/notesrt.h"

namespace {

const std::vector<std::string> Items = {"FullName", "MailServer", "MailFile"};

// The lookup joins the values of a list with ", "; a person's first full name is canonical.
std::string FirstValue(const std::string& Line) {
  return Line.substr(0, Line.find(", "));
}

void SetForSession(const char* Name, const std::string& Value) {
  CheckNotesStatus(NotesRTSetSessionSetting(Name, Native2Lmbcs(Value).c_str()));
}

}  // namespace

void ActAsDirectoryUser(const std::string& Name) {
  const std::string Server = Lmbcs2Native(TNotesDatabase::MailServer());
  TStringList Found;
  TNotesName::LookupName(Server, {"$Users"}, {Name}, Items, {nloExhaustive}, Found);
  const std::string Where = Server.empty() ? "the local address books" : Server + "'s directory";
  if (Found.Count() == 0) throw Exception("Nobody in " + Where + " is called \"" + Name + "\"");
  if (Found.Count() > static_cast<int>(Items.size()))
    throw Exception("More than one person in " + Where + " is called \"" + Name + "\"");
  SetForSession(NOTESRT_USER_NAME_VAR, FirstValue(Found.Strings(0)));
  if (!Found.Strings(1).empty()) SetForSession("MailServer", Found.Strings(1));
  SetForSession("MailFile", Found.Strings(2));
}
