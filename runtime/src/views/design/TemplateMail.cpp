#include "acl/ServerAcl.h"
#include "views/design/DesignBuilder.h"
#include "views/design/TemplateDefinitions.h"

namespace notesrt::design {

namespace {

// Received mail by the time it arrived; older mail filed by hand by when it was sent or made.
constexpr char InboxDate[] =
    "@If(@IsAvailable(DeliveredDate); DeliveredDate; @IsAvailable(PostedDate); PostedDate; "
    "@Created)";

// The fields a new memo or reply gets when it is computed with its form.
TFormSpec MailForm(std::string Title) {
  return TFormSpec{{std::move(Title)}, {{"From", "@UserName"}, {"ComposedDate", "@Now"}}};
}

}  // namespace

// A user's mail file: the router files received mail into ($Inbox); ($Sent) and ($Drafts) are
// views, so what is sent or saved shows there without any filing. Drafts are told by having
// neither date (MailToFolder writes no Form).
void DefineMailTemplate(TDesignBuilder& Builder) {
  Builder.View(TViewSpec{"Inbox|($Inbox)",
                         "",
                         {{"", InboxDate, "S"}, {"From", "", ""}, {"Subject", "", ""}},
                         true,
                         false,
                         ""});
  Builder.View(TViewSpec{"Sent|($Sent)",
                         "SELECT @IsAvailable(PostedDate) & !@IsAvailable(DeliveredDate)",
                         {{"PostedDate", "", "S"}, {"SendTo", "", ""}, {"Subject", "", ""}},
                         false,
                         false,
                         ""});
  Builder.View(TViewSpec{"Drafts|($Drafts)",
                         "SELECT !@IsAvailable(PostedDate) & !@IsAvailable(DeliveredDate)",
                         {{"ComposedDate", "", "S"}, {"SendTo", "", ""}, {"Subject", "", ""}},
                         false,
                         false,
                         ""});
  Builder.Form(MailForm("Memo"));
  Builder.Form(MailForm("Reply"));
  Builder.Form(TFormSpec{{"NonDelivery Report"}, {}});
}

// Nobody but the servers of the domain; the owner's own entry is added by whoever makes the
// mail file for a user.
void DefineMailAcl(TAcl& Acl) {
  SetServerAcl(Acl, ACL_LEVEL_NOACCESS);
}

}  // namespace notesrt::design
