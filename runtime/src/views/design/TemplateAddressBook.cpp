#include "views/design/DesignBuilder.h"
#include "views/design/TemplateDefinitions.h"

namespace notesrt::design {

namespace {

// Every name a person is found by, one view entry each: the key column of ($Users). NAMELookup
// does not read the view (it keeps its own index of the same keys); views and the object
// library do.
constexpr char UserKeys[] =
    "@Unique(@Trim(FullName : @Name([Abbreviate]; FullName) : @Name([CN]; FullName) : "
    "ShortName : InternetAddress : LastName : FirstName : (FirstName + \" \" + LastName)))";

}  // namespace

// The address book of a server (names.nsf) or a user: people and groups.
void DefineAddressBookTemplate(TDesignBuilder& Builder) {
  Builder.Form(TFormSpec{{"Person"}, {{"Type", "\"Person\""}}});
  Builder.Form(TFormSpec{{"Group"}, {{"Type", "\"Group\""}}});
  Builder.View(TViewSpec{
      "($Users)|$Users",
      "SELECT Type = \"Person\" | Form = \"Person\"",
      {{"", UserKeys, "SM"}, {"FullName", "", ""}, {"MailServer", "", ""}, {"MailFile", "", ""}},
      false,
      false,
      ""});
  Builder.View(TViewSpec{
      "($Groups)|$Groups", "SELECT Type = \"Group\"", {{"ListName", "", "S"}}, false, false, ""});
}

}  // namespace notesrt::design
