#include "acl/ServerAcl.h"
#include "views/design/DesignBuilder.h"
#include "views/design/TemplateDefinitions.h"

namespace notesrt::design {

namespace {

// Every name a person or a mail group is found by, one view entry each: the key column of
// ($Users), which holds the groups too, as a directory's does. NAMELookup does not read the view
// (it keeps its own index of the same keys); views and the object library do.
constexpr char UserKeys[] =
    "@Unique(@Trim(FullName : @Name([Abbreviate]; FullName) : @Name([CN]; FullName) : "
    "ShortName : InternetAddress : LastName : FirstName : (FirstName + \" \" + LastName) : "
    "ListName : @Name([Abbreviate]; ListName) : @Name([CN]; ListName)))";

}  // namespace

// The address book of a server (names.nsf) or a user: people and groups.
void DefineAddressBookTemplate(TDesignBuilder& Builder) {
  Builder.Form(TFormSpec{{"Person"}, {{"Type", "\"Person\""}}});
  Builder.Form(TFormSpec{{"Group"}, {{"Type", "\"Group\""}}});
  Builder.View(TViewSpec{
      "($Users)|$Users",
      "SELECT Type = \"Person\" | Form = \"Person\" | Type = \"Group\" | Form = \"Group\"",
      {{"", UserKeys, "SM"}, {"FullName", "", ""}, {"MailServer", "", ""}, {"MailFile", "", ""}},
      false,
      false,
      ""});
  Builder.View(TViewSpec{
      "($Groups)|$Groups", "SELECT Type = \"Group\"", {{"ListName", "", "S"}}, false, false, ""});
}

// Everybody reads the directory; its servers keep it. People are changed by administrators
// acting as the server.
void DefineAddressBookAcl(TAcl& Acl) {
  SetServerAcl(Acl, ACL_LEVEL_READER);
}

}  // namespace notesrt::design
