#include "TvpiLNMail.h"

#include "Exception.h"

namespace {

// The operations below need the mail database layer, which this build does not have yet.
[[noreturn]] void RaiseNotAvailable(const std::string& Operation) {
  throw Exception(Operation + " is not available in this build");
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

void TvpiLNMail::GetAddressItems(const std::string&, TStringList*& List) {
  List = nullptr;
  RaiseNotAvailable("GetAddressItems");
}
