#include "acl/Acl.h"
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

// The stand-in has no authentication, so everybody gets what the file's owner would: Manager.
// The servers of the domain keep Manager too, as they need it to deliver and replicate; the
// owner's own entry is added by whoever makes the mail file for a user.
void DefineMailAcl(TAcl& Acl) {
  Acl.Update(nullptr, ACL_UPDATE_LEVEL | ACL_UPDATE_FLAGS,
             TAclEntry{"", ACL_LEVEL_MANAGER, {}, TAcl::ManagerFlags});
  Acl.Add(TAclEntry{"LocalDomainServers",
                    ACL_LEVEL_MANAGER,
                    {},
                    TAcl::ManagerFlags | ACL_FLAG_GROUP | ACL_FLAG_SERVER});
}

}  // namespace notesrt::design
