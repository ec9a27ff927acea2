#include "mail/router/NonDeliveryReport.h"

#include "mail/router/RoutedMail.h"
#include "mail/router/RouterItems.h"
#include "notesapi/mailserv.h"
#include "notesapi/nsfnote.h"
#include "text/TimeConversion.h"

namespace notesrt::router {

namespace {

constexpr char RouterName[] = "Mail Router";

std::string SubjectOf(const std::vector<TFailure>& Failures) {
  std::string subject = "DELIVERY FAILURE: " + Failures.front().Reason;
  if (Failures.size() > 1)
    subject += " (and " + std::to_string(Failures.size() - 1) + " more recipients)";
  return subject;
}

}  // namespace

TRoutedMail NonDeliveryReport(const std::shared_ptr<TDatabase>& Source, const TRoutedMail& Mail,
                              const std::vector<TFailure>& Failures, std::string_view Sender,
                              const ORIGINATORID& Oid) {
  TStoredNote stored;
  stored.Header.Oid = Oid;
  stored.Header.Class = NOTE_CLASS_DOCUMENT;
  TRoutedMail report(Source, std::move(stored));
  std::vector<std::string> names, reasons;
  for (const TFailure& failure : Failures) {
    names.push_back(failure.Name);
    reasons.push_back(failure.Reason);
  }
  TIMEDATE now = CurrentTimeDate();
  report.SetText(MAIL_FORM_ITEM, NonDeliveryForm);
  report.SetText(MAIL_FROM_ITEM, RouterName);
  report.SetText(MAIL_PRINCIPAL_ITEM, RouterName);
  report.SetText(MAIL_SENDTO_ITEM, Sender);
  report.SetTexts(MAIL_RECIPIENTS_ITEM, {std::string(Sender)});
  report.SetText(MAIL_SUBJECT_ITEM, SubjectOf(Failures));
  report.SetTextsShortened(IntendedRecipientItem, names);
  report.SetTextsShortened(FailureReasonItem, reasons);
  report.SetText("OriginalSubject", Mail.Text(MAIL_SUBJECT_ITEM));
  report.SetTime(MAIL_COMPOSEDDATE_ITEM, now);
  report.SetTime(MAIL_POSTEDDATE_ITEM, now);
  for (const TStoredItem& body : Mail.ItemsNamed(MAIL_BODY_ITEM)) report.Append(body);
  return report;
}

}  // namespace notesrt::router
