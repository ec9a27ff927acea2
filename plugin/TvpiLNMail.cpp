#include "TvpiLNMail.h"

#include "Exception.h"
#include "StringList.h"
#include "TNotesName.h"

namespace {

// The operations below need the mail database layer, which this build does not have yet.
[[noreturn]] void RaiseNotAvailable(const std::string& Operation) {
  throw Exception(Operation + " is not available in this build");
}

// The host's four lines per person. MailAddress is a forwarding address that directories rarely
// fill in, so the person's InternetAddress stands in when it is empty.
const std::vector<std::string> AddressItems = {"FirstName", "LastName", "CompanyName",
                                               "MailAddress", "InternetAddress"};
constexpr int HostLinesPerEntry = 4;
constexpr int MailAddressLine = 3;
constexpr int InternetAddressLine = 4;

void AddHostLines(const TStringList& Found, TStringList& List) {
  const int itemCount = static_cast<int>(AddressItems.size());
  for (int entry = 0; entry + itemCount <= Found.Count(); entry += itemCount) {
    for (int line = 0; line < HostLinesPerEntry - 1; ++line) List.Add(Found.Strings(entry + line));
    const std::string& mailAddress = Found.Strings(entry + MailAddressLine);
    List.Add(mailAddress.empty() ? Found.Strings(entry + InternetAddressLine) : mailAddress);
  }
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

bool TvpiLNMail::Connect() {
  RaiseNotAvailable("Connect");
}

void TvpiLNMail::DisConnect() {
  FConnected = false;
}

void TvpiLNMail::GetMailItems(mfType, TStringList*& List) {
  List = nullptr;
  if (FConnected) RaiseNotAvailable("GetMailItems");
}

void TvpiLNMail::GetMail(int32_t, const std::string&, TMailItemData& Data) {
  Data.From.clear();
  Data.SendTo.clear();
  Data.CopyTo.clear();
  Data.Subject.clear();
  if (FConnected) RaiseNotAvailable("GetMail");
}

void TvpiLNMail::SendMail(const TMailItemData&) {
  if (FConnected) RaiseNotAvailable("SendMail");
}

void TvpiLNMail::MailToFolder(const TMailItemData&, mfType) {
  if (FConnected) RaiseNotAvailable("MailToFolder");
}

bool TvpiLNMail::Detach(int32_t, const std::string&, const std::string&, const std::string&) {
  if (FConnected) RaiseNotAvailable("Detach");
  return false;
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
  TStringList found;
  TNotesName::LookupName("", {"$Users"}, {name}, AddressItems, options, found);
  AddHostLines(found, *List);
}
