#include "DemoContent.h"

#include "DemoRichBodies.h"
#include "DemoRtf.h"

namespace DemoContent {

const char* const Server = "CN=Mail01/O=Demo";
const char* const Organization = "Demo";
const char* const GroupName = "Project Team";

namespace {

TPersonFields Person(const std::string& First, const std::string& Last, const std::string& Short,
                     const std::string& Company) {
  return {First,
          Last,
          Company,
          "CN=" + First + " " + Last + "/O=" + Organization,
          Short,
          Short + "@demo.example",
          "",
          Server,
          "mail/" + Short + ".nsf"};
}

TSampleMail FromTo(int Sender, const std::string& SendTo, const std::string& Subject,
                   const std::string& Body, int Attachments = 0) {
  return {Sender, SendTo, "", Subject, Body, Attachments, nullptr, nullptr, {}};
}

TSampleMail WithRtf(int Sender, const std::string& Subject, const char* Rtf,
                    std::vector<TDemoFile> Files = {}) {
  TSampleMail mail = FromTo(Sender, "Jane Doe", Subject, "");
  mail.Rtf = Rtf;
  mail.Files = std::move(Files);
  return mail;
}

TSampleMail Composed(TSampleMail Mail, void (*Compose)(TNotesRichTextItem&, TNotesDatabase&)) {
  Mail.Compose = Compose;
  return Mail;
}

}  // namespace

const std::vector<TPersonFields>& People() {
  static const std::vector<TPersonFields> people{
      Person("Jane", "Doe", "jdoe", "Demo Ltd"),
      Person("John", "Smith", "jsmith", "Demo Ltd"),
      Person("Maria", "Garcia", "mgarcia", "Demo Ltd"),
      Person("Wei", "Chen", "wchen", "Demo Ltd"),
      Person("Anna", "Müller", "amueller", "Müller & Söhne"),
      Person("Peter", "Novak", "pnovak", "Novak Consulting"),
      Person("Fatima", "Khan", "fkhan", "Demo Ltd"),
      Person("Lars", "Eriksson", "leriksson", "Nordic Parts"),
      Person("Sofia", "Rossi", "srossi", "Demo Ltd"),
      Person("David", "Brown", "dbrown", "Brown Logistics"),
  };
  return people;
}

const std::vector<std::string>& GroupMembers() {
  static const std::vector<std::string> members{"CN=Jane Doe/O=Demo", "CN=John Smith/O=Demo",
                                                "CN=Maria Garcia/O=Demo", "CN=Wei Chen/O=Demo",
                                                "CN=Sofia Rossi/O=Demo"};
  return members;
}

const std::vector<TSampleMail>& ReceivedMails() {
  static const std::vector<TSampleMail> mails{
      WithRtf(1, "Quarterly figures", DemoRtf::QuarterlyFigures,
              {{"Quarterly figures.csv", "Region;Q2;Q3\nNorth;1200;1344\nSouth;980;1015\n", true}}),
      WithRtf(8, "Demo Ltd newsletter, October", DemoRtf::Newsletter),
      WithRtf(4, "Übersicht für März", DemoRtf::International,
              {{"Übersicht März.txt", "Übersicht März\nUmsatz: 12.400 €\nKosten: 9.800 €\n"}}),
      WithRtf(7, "Two reports", DemoRtf::TwoReports,
              {{"report.txt", "Logistics report: 42 pallets shipped.\n"},
               {"report.txt", "Sales report: 17 orders closed.\n"}}),
      WithRtf(2, "Annual report", DemoRtf::LongReport),
      FromTo(2, "Jane Doe", "Lunch on Friday?", "Shall we try the new place on the corner?"),
      FromTo(3, "Project Team", "Kick-off meeting",
             "Kick-off is on Monday at 10:00 in room 2.\nAgenda attached.", 1),
      FromTo(4, "Jane Doe", "Angebot für Ersatzteile",
             "Sehr geehrte Frau Doe,\nanbei unser Angebot.\nMit freundlichen Grüßen\nAnna Müller",
             2),
      FromTo(5, "Jane Doe", "Consulting hours in October", "Please confirm the hours for October."),
      FromTo(6, "Jane Doe", "Travel request approved",
             "Your travel request to Berlin was approved."),
      FromTo(7, "Jane Doe", "Delivery delayed", "The parts ship one week later than planned."),
      FromTo(8, "Project Team", "Test plan draft", "Here is a first draft of the test plan.", 1),
      FromTo(9, "Jane Doe", "Invoice 2024-117", "Invoice 2024-117 is attached.", 1),
      FromTo(1, "Jane Doe", "Re: Budget", "Agreed, let us keep the reserve at 10%."),
      FromTo(2, "Jane Doe, John Smith", "Customer visit", "The customer visits us on Thursday."),
      FromTo(3, "Jane Doe", "Build server down", "The build server is down until noon."),
      FromTo(5, "Jane Doe", "Workshop slides", "The slides from the workshop.", 1),
      FromTo(6, "Project Team", "Team event", "Bowling on the 14th? Reply by Friday."),
      FromTo(8, "Jane Doe", "Holiday cover", "Can you cover for me from 3 to 7 June?"),
      FromTo(9, "Jane Doe", "Pallet count", "We count 42 pallets in the warehouse."),
      FromTo(4, "Jane Doe", "Lieferung | Teil 2", "Teil 2 der Lieferung kommt morgen."),
      FromTo(7, "Jane Doe", "Revised quote", "Revised quote as discussed.", 1),
      FromTo(1, "Project Team", "Status report week 12", "All tasks on track.\nRisks: none new."),
      FromTo(2, "Jane Doe", "Expense report", "Please approve my expense report."),
      FromTo(3, "Jane Doe", "Code review", "Could you review change 381 today?"),
      FromTo(6, "Jane Doe", "New colleague", "Please welcome our new colleague on Monday."),
  };
  return mails;
}

const std::vector<TSampleMail>& SentMails() {
  static const std::vector<TSampleMail> mails{
      FromTo(0, "John Smith", "Budget", "John,\nshould we keep a reserve of 10%?\nJane"),
      FromTo(0, "Maria Garcia", "Re: Lunch on Friday?", "Yes, 12:30 at the corner."),
      {0,
       "Project Team",
       "Peter Novak",
       "Minutes of the kick-off",
       "Minutes are below.\n1. Scope\n2. Dates",
       1,
       DemoRichBodies::KickOffMinutes,
       nullptr,
       {}},
      FromTo(0, "Anna Müller", "Bestellung", "Wir bestellen gemäß Angebot."),
      FromTo(0, "Lars Eriksson", "Re: Delivery delayed", "Thanks for letting us know."),
      FromTo(0, "Sofia Rossi", "Re: Holiday cover", "Yes, I can cover."),
      FromTo(0, "David Brown", "Re: Invoice 2024-117", "Paid today."),
      FromTo(0, "Fatima Khan", "Re: Travel request approved", "Thank you!"),
  };
  return mails;
}

const std::vector<TSampleMail>& Drafts() {
  static const std::vector<TSampleMail> mails{
      FromTo(0, "Wei Chen", "Re: Code review", "Looks good, two small remarks:"),
      Composed(FromTo(0, "Project Team", "Retrospective", "Ideas for the retrospective:"),
               DemoRichBodies::RetrospectiveIdeas),
      Composed(FromTo(0, "", "Notes for the board meeting", "- figures\n- hiring\n- travel"),
               DemoRichBodies::BoardMeetingNotes),
  };
  return mails;
}

}  // namespace DemoContent
