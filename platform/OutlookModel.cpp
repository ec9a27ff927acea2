#include "OutlookModel.h"

#include "OutlookFilter.h"
#include "SysUtils.h"

EOleError::~EOleError() = default;
EOleDisconnected::~EOleDisconnected() = default;

namespace {

[[noreturn]] void RaiseNotSupported(const std::string& Name) {
  throw EOleError(Format("Method '%s' not supported by automation object", Name.c_str()));
}

// Objects of an Outlook that has since ended are dead.
void RaiseWhenEnded(const TOLSession& Session, int Generation) {
  if (Generation != Session.Generation)
    throw EOleDisconnected("The object invoked has disconnected from its clients.");
}

class TNoOutlook : public TOutlookConnector {
 public:
  TOLApplicationRef CreateApplication() override { throw EOleError("Invalid class string"); }
};

}  // namespace

std::string TOLSession::NewEntryID() {
  return Format("00000000%08X%016X", 0xC0FFEEu, ++EntryIDs);
}

void TOLSession::Read(const std::string& Property) const {
  if (!RaiseOnRead.empty() && Property == RaiseOnRead)
    throw EOleError(Format("The property \"%s\" cannot be read.", Property.c_str()));
}

TOLItem::TOLItem(TOLSessionRef Session, int Class, TProperties Properties)
    : FSession(std::move(Session)), FClass(Class), FProperties(std::move(Properties)) {}

int TOLItem::Class() const {
  FSession->Read("Class");
  return FClass;
}

TVariant TOLItem::Get(const std::string& Name) const {
  FSession->Read(Name);
  auto Found = FProperties.find(Name);
  if (Found == FProperties.end()) RaiseNotSupported(Name);
  return Found->second;
}

void TOLItem::Set(const std::string& Name, TVariant Value) {
  FProperties[Name] = std::move(Value);
}

int TOLItem::AttachmentCount() const {
  FSession->Read("Attachments");
  return static_cast<int>(Attachments.size());
}

TOLItemRef TOLItems::Find(const std::string& Filter) {
  FSession->Read("Find");
  TOutlookFilter Parsed(Filter);
  FFilter = Filter;
  return FindFrom(0);
}

TOLItemRef TOLItems::FindNext() {
  FSession->Read("FindNext");
  if (FFilter.empty()) return nullptr;
  return FindFrom(FNext);
}

TOLItemRef TOLItems::FindFrom(size_t Start) {
  TOutlookFilter Filter(FFilter);
  for (size_t Index = Start; Index < FMembers.size(); ++Index) {
    // An item without the property is no match, as in Outlook.
    TVariant Value;
    try {
      Value = FMembers[Index]->Get(Filter.Property());
    } catch (const EOleError&) {
      continue;
    }
    if (Filter.Matches(Value)) {
      FNext = Index + 1;
      return FMembers[Index];
    }
  }
  FNext = FMembers.size();
  return nullptr;
}

TOLItemRef TOLItems::Add(int Class, TOLItem::TProperties Properties) {
  Properties.try_emplace("EntryID", FSession->NewEntryID());
  return Append(std::make_shared<TOLItem>(FSession, Class, std::move(Properties)));
}

TOLFolder::TOLFolder(TOLSessionRef Session, std::string Name, int DefaultItemType,
                     std::string EntryID, std::weak_ptr<TOLFolder> Parent)
    : FSession(Session),
      FName(std::move(Name)),
      FDefaultItemType(DefaultItemType),
      FEntryID(std::move(EntryID)),
      FParent(std::move(Parent)),
      FItems(Session),
      FFolders(Session) {}

std::string TOLFolder::Name() const {
  FSession->Read("Name");
  return FName;
}

int TOLFolder::DefaultItemType() const {
  FSession->Read("DefaultItemType");
  return FDefaultItemType;
}

std::string TOLFolder::EntryID() const {
  FSession->Read("EntryID");
  return FEntryID;
}

TOLFolderRef TOLFolder::Parent() const {
  FSession->Read("Parent");
  return FParent.lock();
}

TOLItems& TOLFolder::Items() {
  FSession->Read("Items");
  return FItems;
}

TOLFolders& TOLFolder::Folders() {
  FSession->Read("Folders");
  return FFolders;
}

TOLFolderRef TOLFolder::AddFolder(const std::string& Name, int DefaultItemType) {
  return FFolders.Append(std::make_shared<TOLFolder>(FSession, Name, DefaultItemType,
                                                     FSession->NewEntryID(), weak_from_this()));
}

TOLFolderRef TOLExplorer::CurrentFolder() const {
  FSession->Read("CurrentFolder");
  if (!Current) throw EOleError("The explorer shows no folder.");
  return Current;
}

const TOLCollection<TOLItem>& TOLExplorer::Selection() const {
  FSession->Read("Selection");
  return Selected;
}

TOLNameSpace::TOLNameSpace(TOLSessionRef Session, TOLProfileRef Profile, int Generation)
    : FSession(std::move(Session)), FProfile(std::move(Profile)), FGeneration(Generation) {}

void TOLNameSpace::CheckAlive() const {
  RaiseWhenEnded(*FSession, FGeneration);
}

TOLFolderRef TOLNameSpace::GetDefaultFolder(int FolderType) const {
  CheckAlive();
  FSession->Read("GetDefaultFolder");
  auto Found = FProfile->DefaultFolders.find(FolderType);
  if (Found == FProfile->DefaultFolders.end())
    throw EOleError(Format("The default folder %d could not be found.", FolderType));
  return Found->second;
}

TOLApplication::TOLApplication(TOLSessionRef Session, TOLProfileRef Profile)
    : FSession(std::move(Session)),
      FProfile(std::move(Profile)),
      FGeneration(FSession->Generation) {}

void TOLApplication::CheckAlive() const {
  RaiseWhenEnded(*FSession, FGeneration);
}

void TOLApplication::Connect() {
  if (!FSession->Reachable) throw EOleError("Server execution failed");
  // Reaches the Outlook running now, a restarted one too.
  FGeneration = FSession->Generation;
  ++FSession->ConnectCount;
  ++FSession->Depth;
}

void TOLApplication::Disconnect() {
  if (FSession->Depth == 0) return;
  --FSession->Depth;
  ++FSession->DisconnectCount;
}

TOLNameSpaceRef TOLApplication::GetNamespace(const std::string& Type) const {
  CheckAlive();
  if (Type != "MAPI") throw EOleError(Format("Unknown name space \"%s\".", Type.c_str()));
  return std::make_shared<TOLNameSpace>(FSession, FProfile, FGeneration);
}

TOLExplorerRef TOLApplication::ActiveExplorer() const {
  CheckAlive();
  FSession->Read("ActiveExplorer");
  return FProfile->ActiveExplorer;
}

TOutlookConnector& TOutlookConnector::Default() {
  static TNoOutlook None;
  return None;
}

TOutlookModel::TOutlookModel()
    : Session(std::make_shared<TOLSession>()), Profile(std::make_shared<TOLProfile>()) {}

TOLApplicationRef TOutlookModel::CreateApplication() {
  return std::make_shared<TOLApplication>(Session, Profile);
}

TOLFolderRef TOutlookModel::AddStore(const std::string& Name) {
  Profile->Stores.push_back(std::make_shared<TOLFolder>(Session, Name, olMailItem,
                                                        Session->NewEntryID(), TOLFolderRef()));
  return Profile->Stores.back();
}

void TOutlookModel::SetDefaultFolder(int FolderType, TOLFolderRef Folder) {
  Profile->DefaultFolders[FolderType] = std::move(Folder);
}

TOLExplorer& TOutlookModel::Explorer() {
  if (!Profile->ActiveExplorer) Profile->ActiveExplorer = std::make_shared<TOLExplorer>(Session);
  return *Profile->ActiveExplorer;
}
