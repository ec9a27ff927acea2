// Outlook items dragged onto the host, recognised over a model of Outlook: the drag texts of its
// list and card views, its window's selection, the references and titles made, and the
// connection released after every call.
#include <algorithm>
#include <functional>
#include <optional>

#include "DesktopFixture.h"
#include "OutLookUtil.h"
#include "OutlookFilter.h"
#include "ShellLauncher.h"
#include "StringList.h"
#include "SysUtils.h"
#include "VeskExceptions.h"

namespace {

using TCall = std::function<bool()>;
const TDateTime Day = EncodeDate(2026, 12, 7);

TDateTime At(int Hour, int Min, int Sec) {
  return Day + EncodeTime(Hour, Min, Sec, 0);
}

class OutLookUtilTest : public vesktest::DesktopTest {
 protected:
  OutLookUtilTest() {
    Settings.DateSeparator = '.';
    Settings.ShortDateFormat = "dd.mm.yyyy";
    Settings.LongTimeFormat = "hh:nn:ss";
    Monitor.LogHook = [this](const std::string& Text) { Logged.push_back(Text); };
    VeskMonitor = &Monitor;
    OutLookUtilInitialize();
    Root = Model.AddStore("Personal Folders");
    Inbox = Root->AddFolder("Inbox", olMailItem);
    Sent = Root->AddFolder("Sent Items", olMailItem);
    Outbox = Root->AddFolder("Outbox", olMailItem);
    Archive = Inbox->AddFolder("Archive", olMailItem);
    Contacts = Root->AddFolder("Contacts", olContactItem);
    Calendar = Root->AddFolder("Calendar", olAppointmentItem);
    Tasks = Root->AddFolder("Tasks", olTaskItem);
    for (auto [Type, Folder] : {std::pair{olFolderInbox, Inbox},
                                {olFolderSentMail, Sent},
                                {olFolderOutbox, Outbox},
                                {olFolderNotes, Root}})
      Model.SetDefaultFolder(Type, Folder);
    Model.Explorer().Current = Inbox;
  }
  ~OutLookUtilTest() override {
    // Every call disconnects what it connected, on every path.
    EXPECT_EQ(Model.Session->ConnectCount, Model.Session->DisconnectCount);
    OutLookUtilFinalize();
    VeskMonitor = nullptr;
    FormatSettings() = Saved;
  }

  TOLItemRef AddMail(const TOLFolderRef& Folder, const std::string& Subject, TDateTime Received,
                     TDateTime SentOn = 0) {
    return Folder->Items().Add(olMail, {{"Subject", Subject},
                                        {"ReceivedTime", TVariant::FromDate(Received)},
                                        {"SentOn", TVariant::FromDate(SentOn)},
                                        {"CreationTime", TVariant::FromDate(Received)},
                                        {"SenderName", "Eva Kurz"},
                                        {"To", "Hans Meier"}});
  }
  bool Logs(const std::string& Text) const {
    return std::find(Logged.begin(), Logged.end(), Text) != Logged.end();
  }
  static void SetLines(TStringList& Lines, const std::string& Header, const std::string& Values) {
    Lines.Clear();
    Lines.Add(Header);
    if (!Values.empty()) Lines.Add(Values);
  }

  TFormatSettings Saved = FormatSettings();
  TFormatSettings& Settings = FormatSettings();
  TOutlookModel Model;
  TScopedFacility<TOutlookConnector> Installed{Model};
  TVeskExceptionMonitor Monitor{nullptr};
  std::vector<std::string> Logged;
  TOLFolderRef Root, Inbox, Sent, Outbox, Archive, Contacts, Calendar, Tasks;
  TStringList Lines;
  std::string EntryID, FolderPath, Title;
};

const char* const MailHeader = "From\tSubject\tReceived\tSize";

TEST_F(OutLookUtilTest, MailsAreFoundBySubjectAndTimeToTheMinute) {
  AddMail(Inbox, "Offer", At(9, 0, 0));
  TOLItemRef Early = AddMail(Inbox, "Offer", At(10, 15, 29));
  TOLItemRef Late = AddMail(Inbox, "Offer", At(10, 15, 30));
  TOLItemRef Quoted = AddMail(Inbox, "Bob's plan", At(8, 0, 0));
  TOLItemRef Outgoing = AddMail(Sent, "Report", At(11, 0, 0), At(10, 5, 0));
  const struct {
    const char* Name;
    TOLFolderRef Folder;
    std::string Values;
    TOLItemRef Expected;  // none: not recognised
    const char *Subject, *Log;
  } Cases[] = {
      {"10:15:29 is 10:15", Inbox, "Eva\tOffer\t07.12.2026 10:15", Early, "Offer",
       "Trying next matching subject - Timestamp: 07.12.2026 10:15:29"},
      {"10:15:30 is 10:16, weekday dropped", Inbox, "Eva\tOffer\tMo 07.12.2026 10:16", Late,
       "Offer", "Current OL Folder: Inbox"},
      {"reply prefix", Inbox, "Eva\tAW: Offer\t07.12.2026 10:15", Early, "Offer",
       "Search OL for: \"AW: Offer\" of \"07.12.2026 10:15\""},
      {"reply prefix in other case", Inbox, "Eva\tRe: Offer\t07.12.2026 10:15", Early, "Offer",
       "generating VESK! Attm"},
      {"reply prefix of non-ASCII letters", Inbox, "Eva\t\u0391\u03a0: Offer\t07.12.2026 10:15",
       Early, "Offer", "generating VESK! Attm"},
      {"reply prefix starting non-ASCII", Inbox, "Eva\t\u00c4W: Offer\t07.12.2026 10:15", Early,
       "Offer", "generating VESK! Attm"},
      {"one non-ASCII letter is no prefix", Inbox, "Eva\t\u00dc: Offer\t07.12.2026 10:15", nullptr,
       "\u00dc: Offer", "No Possible subject found."},
      {"quote in the subject", Inbox, "Eva\tBob's plan\t07.12.2026 08:00", Quoted, "Bob's plan",
       "generating VESK! Attm"},
      {"sent folder by sent time", Sent, "Eva\tReport\t07.12.2026 10:05", Outgoing, "Report",
       "Possible subject found - Timestamp: 07.12.2026 10:05:00"},
      {"received time in the sent folder", Sent, "Eva\tReport\t07.12.2026 11:00", nullptr, "Report",
       "No Possible subject found."},
      {"candidates run out", Inbox, "Eva\tOffer\t07.12.2026 12:00", nullptr, "Offer",
       "No Possible subject found."},
      {"unknown subject", Inbox, "Eva\tNothing\t07.12.2026 12:00", nullptr, "Nothing",
       "No Possible subject found."},
      {"time no date", Inbox, "Eva\tOffer\tsoon", nullptr, "Offer", "\"soon\" is no date and time"},
      {"two fields", Inbox, "Eva\t\tOffer", nullptr, "",
       "No OL Item: 2 Lines with 3 words required!"},
      {"one line", Inbox, "", nullptr, "", "No OL Item: 2 Lines with 3 words required!"},
      {"contact folder", Contacts, "Eva\tOffer\t07.12.2026 10:15", nullptr, "Offer",
       "\"Contacts\" is not a Mailfolder"},
  };
  for (const auto& Case : Cases) {
    Model.Explorer().Current = Case.Folder;
    SetLines(Lines, MailHeader, Case.Values);
    std::string Subject;
    EntryID = FolderPath = "";
    Logged.clear();
    bool Found = OLIsMailDnD(Lines, EntryID, FolderPath, Subject);
    EXPECT_EQ(Found, Case.Expected != nullptr) << Case.Name;
    EXPECT_EQ(EntryID, Case.Expected ? Case.Expected->EntryID() : "") << Case.Name;
    EXPECT_EQ(Subject, Case.Subject) << Case.Name;
    EXPECT_TRUE(Logs(Case.Log)) << Case.Name;
    EXPECT_EQ(FolderPath, Found ? "OUTLOOK://Personal Folders\\" + Case.Folder->Name() + "\\" : "")
        << Case.Name;
  }
}

TEST_F(OutLookUtilTest, ContactsAppointmentsAndTasksAreFoundInTheirFolders) {
  TOLItemRef Hans = Contacts->Items().Add(olContact, {{"Name", "Hans Meier"}});
  TOLItemRef Team = Contacts->Items().Add(olDistributionList, {{"Name", "O'Neil Team"}});
  TOLItemRef Review = Calendar->Items().Add(
      olAppointment, {{"Subject", "Review"}, {"Start", TVariant::FromDate(At(14, 30, 0))}});
  TOLItemRef Report = Tasks->Items().Add(olTask, {{"Subject", "Write report"}});
  AddMail(Inbox, "Offer", At(9, 0, 0));
  using TRecognize = bool (*)(const TStringList&, std::string&, std::string&, std::string&);
  const struct {
    const char* Name;
    TRecognize Recognize;
    TOLFolderRef Folder;
    const char *Header, *Values;
    TOLItemRef Expected;
    const char* TitleOrLog;
  } Cases[] = {
      {"list view", OLIsContactDnD, Contacts, "Full Name\tCompany", "Hans Meier\t\tACME", Hans,
       "OUTL.Cont.: Hans Meier"},
      {"card view", OLIsContactDnD, Contacts, "Meier, Hans", "Full Name::   Hans Meier", Hans,
       "OUTL.Cont.: Hans Meier"},
      {"distribution list", OLIsContactDnD, Contacts, "Name\tMembers", "O'Neil Team\t3", Team,
       "OUTL.Distr.: O'Neil Team"},
      {"contact elsewhere", OLIsContactDnD, Inbox, "Name\tx", "Hans Meier\tx", nullptr,
       "no outlook contact folder"},
      {"unknown contact", OLIsContactDnD, Contacts, "Name\tx", "Eva Kurz\tx", nullptr,
       "OL contact item not found"},
      {"appointment", OLIsAppointmentDnD, Calendar, "Subject\tLocation\tStart\tEnd",
       "Review\t\t07.12.2026 14:30\t07.12.2026 15:00", Review, "OUTL.App.: Review"},
      {"appointment elsewhere", OLIsAppointmentDnD, Tasks, "Subject\tLocation\tStart",
       "Review\tRoom\t07.12.2026 14:30", nullptr, "no outlook calender folder"},
      {"no appointment then", OLIsAppointmentDnD, Calendar, "Subject\tLocation\tStart",
       "Review\tRoom\t07.12.2026 14:31", nullptr, "OL appointment not found"},
      {"task", OLIsTaskDnD, Tasks, "Subject\tDue", "Write report\tnone", Report,
       "OUTL.Task: Write report"},
      {"task elsewhere", OLIsTaskDnD, Calendar, "Subject\tDue", "Write report\tnone", nullptr,
       "no outlook task folder"},
      {"unknown task", OLIsTaskDnD, Tasks, "Subject\tDue", "Read report\tnone", nullptr,
       "OL task item not found"},
      {"any: task after the others", OLIsValidDnD, Tasks, "Subject\tDue", "Write report\tnone",
       Report, "OUTL.Task: Write report"},
      {"any: an unreadable mail time lets the other kinds be tried", OLIsValidDnD, Inbox,
       MailHeader, "Eva\tOffer\tsoon", nullptr, "no outlook task folder"},
  };
  for (const auto& Case : Cases) {
    Model.Explorer().Current = Case.Folder;
    SetLines(Lines, Case.Header, Case.Values);
    EntryID = FolderPath = Title = "";
    Logged.clear();
    bool Found = Case.Recognize(Lines, EntryID, FolderPath, Title);
    EXPECT_EQ(Found, Case.Expected != nullptr) << Case.Name;
    EXPECT_EQ(EntryID, Case.Expected ? Case.Expected->EntryID() : "") << Case.Name;
    EXPECT_EQ(FolderPath, Found ? "OUTLOOK://" : "") << Case.Name;
    EXPECT_EQ(Found ? Title : Logged.back(), Case.TitleOrLog) << Case.Name;
  }
}

TEST_F(OutLookUtilTest, TheSelectionDecidesByItsLastMatch) {
  auto& Selected = Model.Explorer().Selected;
  const struct {
    const char* Name;
    std::vector<std::pair<int, std::string>> Selected;
    bool Found;
    int Class;
    const char* Title;
  } Cases[] = {
      {"mail", {{olMail, "Plan"}}, true, olMail, "OUTL.Mail: Plan"},
      {"last of two decides",
       {{olMail, "Plan"}, {olTask, "Other"}, {olTask, "Plan"}},
       true,
       olTask,
       "OUTL.Task: Plan"},
      {"distribution list", {{olDistributionList, "Plan"}}, true, 69, "OUTL.Distr.: Plan"},
      {"document", {{olDocument, "Plan"}}, false, olDocument, "unknown OUTLOOK object"},
      {"no match", {{olMail, "Other"}}, false, 0, ""},
  };
  for (const auto& Case : Cases) {
    Selected.Assign({});
    for (auto& [Class, Subject] : Case.Selected)
      Selected.Append(Inbox->Items().Add(Class, {{"Subject", Subject}}));
    EntryID = FolderPath = Title = "";
    int Class = -1;
    EXPECT_EQ(OLIsValidDnD("Plan", EntryID, FolderPath, Title, Class), Case.Found) << Case.Name;
    EXPECT_EQ(Class, Case.Class) << Case.Name;
    EXPECT_EQ(Title, Case.Title) << Case.Name;
    EXPECT_EQ(FolderPath, Case.Class ? "OUTLOOK://" : "") << Case.Name;
    EXPECT_EQ(EntryID, Case.Class ? Selected.Item(Selected.Count())->EntryID() : "") << Case.Name;
  }
}

TEST_F(OutLookUtilTest, SelectedMailsAreNumberedAfterTheirFolder) {
  TOLItemRef Mail = AddMail(Inbox, "", At(10, 0, 0));
  Mail->Set("To", "");
  Mail->Attachments = {"a.pdf", "b.doc"};
  EXPECT_EQ(OLMailToCSVString(*Mail, 3, '|'),
            "3|07.12.2026 10:00:00|Eva Kurz|???| |2|" + Mail->EntryID());
  // The numbers count every selected item, mail or not.
  Model.Explorer().Selected.Assign({Mail, Contacts->Items().Add(olContact, {}), Mail});
  const struct {
    const char* Name;
    TOLFolderRef Folder;
    int Number;
    bool Restart;
  } Cases[] = {{"inbox", Inbox, 1, false},       {"outbox", Outbox, 16385, false},
               {"sent", Sent, 32769, false},     {"notes", Root, 49153, false},
               {"other", Archive, 65537, false}, {"after Outlook restarted", Outbox, 16385, true}};
  for (const auto& Case : Cases) {
    if (Case.Restart) Model.Restart();
    Model.Explorer().Current = Case.Folder;
    TStringList List;
    TOLFolderRef Folder;
    GetSelectedMails(Folder, List);
    EXPECT_EQ(Folder, Case.Folder) << Case.Name;
    ASSERT_EQ(List.Count(), 2) << Case.Name;
    EXPECT_EQ(List.Strings(0), OLMailToCSVString(*Mail, Case.Number, '|')) << Case.Name;
    EXPECT_EQ(List.Strings(1), OLMailToCSVString(*Mail, Case.Number + 2, '|')) << Case.Name;
  }
}

TEST_F(OutLookUtilTest, NothingIsRecognisedWithoutOutlook) {
  AddMail(Inbox, "Offer", At(10, 15, 0));
  Model.Explorer().Selected.Assign({Inbox->Items().Item(1)});
  SetLines(Lines, MailHeader, "Eva\tOffer\t07.12.2026 10:15");
  const TCall Calls[] = {
      [&] { return OLIsValidDnD(Lines, EntryID, FolderPath, Title); },
      [&] { return OLIsValidDnD("Offer", EntryID, FolderPath, Title); },
      [&] {
        TStringList List;
        List.Add("kept");
        TOLFolderRef Folder = Inbox;
        GetSelectedMails(Folder, List);
        return Folder != nullptr || List.Count() != 1;
      },
  };
  for (bool Installed : {false, true}) {
    std::optional<TScopedFacility<TOutlookConnector>> None;
    if (!Installed) None.emplace(TOutlookConnector::Default());
    Model.Session->Reachable = !Installed;
    EXPECT_FALSE(OLIsRunning());
    for (const TCall& Call : Calls) EXPECT_FALSE(Call()) << "installed " << Installed;
    EXPECT_EQ(FolderPath, "");
  }
  Model.Session->Reachable = true;
  EXPECT_TRUE(OLIsRunning());
}

TEST_F(OutLookUtilTest, AFailingCallStillDisconnects) {
  AddMail(Inbox, "Offer", At(9, 0, 0));
  AddMail(Inbox, "Offer", At(10, 0, 0));
  Model.Explorer().Selected.Assign({Inbox->Items().Item(1)});
  SetLines(Lines, MailHeader, "Eva\tOffer\t07.12.2026 10:00");
  const struct {
    const char* Property;
    TCall Call;
    bool Raises;
  } Cases[] = {
      {"FindNext", [&] { return OLIsMailDnD(Lines, EntryID, FolderPath, Title); }, true},
      {"Subject", [&] { return OLIsValidDnD("Offer", EntryID, FolderPath, Title); }, true},
      {"DefaultItemType", [&] { return OLIsContactDnD(Lines, EntryID, FolderPath, Title); }, false},
      {"CurrentFolder", [&] { return OLIsMailDnD(Lines, EntryID, FolderPath, Title); }, false},
  };
  for (const auto& Case : Cases) {
    Model.Session->RaiseOnRead = Case.Property;
    if (Case.Raises)
      EXPECT_THROW(Case.Call(), EOleError) << Case.Property;
    else
      EXPECT_FALSE(Case.Call()) << Case.Property;
    EXPECT_EQ(Model.Session->Depth, 0) << Case.Property;
  }
}

TEST_F(OutLookUtilTest, ItemsAreFoundByFilterOrEntryIDInSubfolders) {
  TOLItemRef Deep = AddMail(Archive, "Old", At(8, 0, 0));
  TOLItemRef Note = Archive->Items().Add(olDocument, {{"Subject", "Old"}});
  ASSERT_TRUE(OLIsRunning());
  const struct {
    const char* Name;
    std::function<TOLItemRef(TOLFolderRef&)> Find;
    TOLItemRef Expected;
  } Cases[] = {
      {"filter", [&](TOLFolderRef& In) { return OLFindInFolders(Root, "[Subject]='Old'", In); },
       Deep},
      {"date filter",
       [&](TOLFolderRef& In) {
         return OLFindInFolders(Root, "[ReceivedTime] = '07.12.2026 08:00'", In);
       },
       Deep},
      {"entry ID",
       [&](TOLFolderRef& In) { return OLFindEntryIDinFolders(Root, Deep->EntryID(), In); }, Deep},
      {"no mail",
       [&](TOLFolderRef& In) { return OLFindEntryIDinFolders(Root, Note->EntryID(), In); },
       nullptr},
      {"current folder",
       [&](TOLFolderRef& In) {
         Model.Explorer().Current = In = Archive;
         return OLFindEntryIDinCurrentFolder(Deep->EntryID());
       },
       Deep},
  };
  for (const auto& Case : Cases) {
    TOLFolderRef FoundIn = Inbox;
    EXPECT_EQ(Case.Find(FoundIn), Case.Expected) << Case.Name;
    EXPECT_EQ(FoundIn, Case.Expected ? Archive : Inbox) << Case.Name;
  }
  EXPECT_THROW(TOutlookFilter("[Subject] = 'open"), EOleError);
  EXPECT_THROW(TOutlookFilter("Subject = 'x'"), EOleError);
  EXPECT_EQ(TOutlookFilter(" [Subject] = 'It''s' ").Value(), "It's");
}

TEST_F(OutLookUtilTest, ReferencesOpenThroughTheShell) {
  vesktest::RecordingLauncher Launcher;
  TScopedFacility<TShellLauncher> Scoped(Launcher);
  const struct {
    const char *Path, *ID, *Opened;
  } Cases[] = {{"OUTLOOK://", "00AF12", "OUTLOOK:00AF12"},
               {"/home/eva/docs", "00af12", "/home/eva/docs/00af12"},
               {"/home/eva/docs/", "note.txt", "/home/eva/docs/note.txt"},
               {"C:\\Docs", "note.txt", "C:\\Docs\\note.txt"}};
  for (const auto& Case : Cases) {
    EXPECT_TRUE(OLShowDoc(Case.Path, Case.ID, "unused")) << Case.ID;
    EXPECT_EQ(Launcher.Requests.back().File, Case.Opened);
  }
}

}  // namespace
