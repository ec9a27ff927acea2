#include "TvpiLNMail.h"

#include <string_view>

#include "DateTimeFormat.h"
#include "ELotusNotes.h"
#include "Exception.h"
#include "MailListLine.h"
#include "StringList.h"
#include "TNotesDatabase.h"
#include "TNotesDocument.h"
#include "TNotesName.h"
#include "TNotesView.h"

namespace {

// The host's four lines per person. MailAddress is a forwarding address that directories rarely
// fill in, so the person's InternetAddress stands in when it is empty. A mail group has neither
// first nor last name: its ListName takes the last name's line, with its mail address as for a
// person.
const std::vector<std::string> AddressItems = {"FirstName",   "LastName",        "CompanyName",
                                               "MailAddress", "InternetAddress", "ListName"};
constexpr int HostLinesPerEntry = 4;
constexpr int LastNameLine = 1;
constexpr int MailAddressLine = 3;
constexpr int InternetAddressLine = 4;
constexpr int ListNameLine = 5;

void AddHostLines(const std::vector<std::string_view>& Found, TStringList& List) {
  const std::string_view listName = Found[ListNameLine];
  for (int line = 0; line < HostLinesPerEntry - 1; ++line)
    List.Add(std::string(line == LastNameLine && !listName.empty() ? listName : Found[line]));
  const std::string_view mailAddress = Found[MailAddressLine];
  List.Add(std::string(mailAddress.empty() ? Found[InternetAddressLine] : mailAddress));
}

}  // namespace

TvpiLNMail::TvpiLNMail(TComponent* Owner) : ThlxVisualPlugin(Owner, "TvpiLNMail") {}

TvpiLNMail::~TvpiLNMail() = default;

void TvpiLNMail::SetMainAppService(TInterfaceRef<IMainAppService> Service) {
  FMainAppService = std::move(Service);
}

HRESULT TvpiLNMail::QueryInterface(const TGUID& Iid, void** Obj) {
  if (AnswerInterface<IMailInterface>(this, Iid, Obj)) return S_OK;
  return ThlxVisualPlugin::QueryInterface(Iid, Obj);
}

// Never raises: any failure to open the mail file leaves the plug-in disconnected.
bool TvpiLNMail::Connect() {
  FDatabase.reset();
  try {
    auto database = std::make_unique<TNotesDatabase>();
    database->OpenMail();
    FDatabase = std::move(database);
  } catch (...) {
  }
  FConnected = FDatabase != nullptr;
  return FConnected;
}

void TvpiLNMail::DisConnect() {
  FConnected = false;
  // The object goes even when closing raises.
  if (std::unique_ptr<TNotesDatabase> database = std::move(FDatabase)) database->Close();
}

// The list is the caller's as soon as it is made, so it stays with the caller, partly filled,
// when reading a mail fails.
void TvpiLNMail::GetMailItems(mfType Folder, TStringList*& List) {
  List = nullptr;
  if (!FConnected) return;
  // Reopening drops the views read before, so the list shows the mail file as it is now.
  FDatabase->SetActive(false);
  FDatabase->SetActive(true);
  List = new TStringList();
  const std::string alias = MailFolderAlias(Folder);
  TNotesView* view = alias.empty() ? nullptr : FDatabase->GetViews(alias);
  if (!view) return;
  const TDateTimeFormat date("c", FormatSettings());
  for (int index = 0; index < view->Count(); ++index) {
    try {
      std::unique_ptr<TNotesDocument> document = view->GetDocument(index);
      List->Add(MailListLine(*document, date));
    } catch (const ELotusNotes& Error) {
      // One mail that cannot be read costs only itself: the others are listed, the host told.
      ReportUnlisted(view->GetDocumentId(index), Error);
    }
  }
}

void TvpiLNMail::ReportUnlisted(int32_t NoteID, const ELotusNotes& Error) {
  if (!FMainAppService) return;
  FMainAppService->ShowStatus("Mail " + std::to_string(NoteID) + " of " + FDatabase->FileName() +
                              " could not be read and is not listed: " + Error.what());
}

// An empty text or "*" lists everybody of the first address book; any other text is looked up
// in every book ("Jo*" finds the keys that begin with "Jo"). The list is the caller's from the
// start, so it stays with the caller, empty, when the lookup fails.
void TvpiLNMail::GetAddressItems(const std::string& Search, TStringList*& List) {
  List = new TStringList();
  const bool everybody = Search.empty() || Search == "*";
  const std::string name = everybody ? "Dummy" : Search;
  const TNotesLookupOptions options =
      everybody ? TNotesLookupOptions{nloAll, nloNoSearch} : TNotesLookupOptions{nloExhaustive};
  TNotesLookupVisitor visit;
  visit.Found = [List](int Documents) {
    List->SetCapacity(List->Count() + Documents * HostLinesPerEntry);
  };
  visit.Document = [List](const std::vector<std::string_view>& Found) {
    AddHostLines(Found, *List);
  };
  try {
    TNotesName::VisitLookup("", {"$Users"}, {name}, AddressItems, options, visit);
  } catch (...) {
    List->Clear();
    throw;
  }
}
