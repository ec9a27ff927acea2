#pragma once

// The part of Outlook's automation object model the host uses, as an in-memory model: the
// application, its "MAPI" name space with the store folders and default folders, the active
// explorer, folders, and items as property bags. Linux has no Outlook; the model is what a
// binding would be given, and tests build one to drive the host's recognition of dragged items.
// Objects are shared as automation references are counted: a holder keeps what it holds alive.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"
#include "Export.h"
#include "Facility.h"
#include "Variant.h"

// A failed automation call: a property the object lacks, a bad filter, Outlook not reachable.
class VESK_API EOleError : public Exception {
 public:
  using Exception::Exception;
  ~EOleError() override;
};

// A call on an object of an Outlook that has since ended (restarted): the reference is dead
// and must be fetched again.
class VESK_API EOleDisconnected : public EOleError {
 public:
  using EOleError::EOleError;
  ~EOleDisconnected() override;
};

// Item types (a folder's DefaultItemType) and object classes (an item's Class).
constexpr int olMailItem = 0;
constexpr int olAppointmentItem = 1;
constexpr int olContactItem = 2;
constexpr int olTaskItem = 3;
constexpr int olAppointment = 26;
constexpr int olContact = 40;
constexpr int olDocument = 41;
constexpr int olMail = 43;
constexpr int olTask = 48;
constexpr int olDistributionList = 69;
// Default folders.
constexpr int olFolderOutbox = 4;
constexpr int olFolderSentMail = 5;
constexpr int olFolderInbox = 6;
constexpr int olFolderNotes = 12;

// The running Outlook's counters and the switches tests turn.
struct TOLSession {
  int ConnectCount = 0;
  int DisconnectCount = 0;
  // Connections not yet ended.
  int Depth = 0;
  bool Reachable = true;
  // Reading this property of any object raises, as a failing automation call does.
  std::string RaiseOnRead;
  // Raised by each start of Outlook; objects of an earlier one are dead.
  int Generation = 0;
  unsigned EntryIDs = 0;

  void Read(const std::string& Property) const;
  // Entry IDs as Outlook shows them: long upper-case hexadecimal texts.
  std::string NewEntryID();
};
using TOLSessionRef = std::shared_ptr<TOLSession>;

class TOLItem {
 public:
  using TProperties = std::map<std::string, TVariant>;

  TOLItem(TOLSessionRef Session, int Class, TProperties Properties);

  int Class() const;
  // Raises EOleError when the item has no such property.
  TVariant Get(const std::string& Name) const;
  std::string GetText(const std::string& Name) const { return Get(Name).AsString(); }
  TDateTime GetDate(const std::string& Name) const { return Get(Name).AsDateTime(); }
  std::string EntryID() const { return GetText("EntryID"); }
  void Set(const std::string& Name, TVariant Value);
  int AttachmentCount() const;

  // The names of its attachments.
  std::vector<std::string> Attachments;

 private:
  TOLSessionRef FSession;
  int FClass;
  TProperties FProperties;
};
using TOLItemRef = std::shared_ptr<TOLItem>;

// Members counted and fetched 1-based, as automation collections are.
template <class T>
class TOLCollection {
 public:
  explicit TOLCollection(TOLSessionRef Session) : FSession(std::move(Session)) {}

  int Count() const {
    FSession->Read("Count");
    return static_cast<int>(FMembers.size());
  }
  // Raises EOleError outside 1..Count.
  std::shared_ptr<T> Item(int Index) const {
    FSession->Read("Item");
    if (Index < 1 || Index > Count()) throw EOleError("Array index out of bounds");
    return FMembers[static_cast<size_t>(Index - 1)];
  }
  const std::shared_ptr<T>& Append(std::shared_ptr<T> Member) {
    FMembers.push_back(std::move(Member));
    return FMembers.back();
  }
  void Assign(std::vector<std::shared_ptr<T>> Members) { FMembers = std::move(Members); }

 protected:
  TOLSessionRef FSession;
  std::vector<std::shared_ptr<T>> FMembers;
};

// A folder's items; Find and FindNext keep their place in the object they are called on.
class TOLItems : public TOLCollection<TOLItem> {
 public:
  using TOLCollection::TOLCollection;

  // The first item matching Filter ("[Prop] = 'value'"), or none. Raises EOleError for a
  // filter that cannot be read.
  TOLItemRef Find(const std::string& Filter);
  // The next item matching the last Find's filter, or none.
  TOLItemRef FindNext();
  // The model assigns an EntryID when Properties has none.
  TOLItemRef Add(int Class, TOLItem::TProperties Properties);

 private:
  TOLItemRef FindFrom(size_t Start);

  std::string FFilter;
  size_t FNext = 0;
};

class TOLFolder;
using TOLFolderRef = std::shared_ptr<TOLFolder>;

using TOLFolders = TOLCollection<TOLFolder>;

class TOLFolder : public std::enable_shared_from_this<TOLFolder> {
 public:
  TOLFolder(TOLSessionRef Session, std::string Name, int DefaultItemType, std::string EntryID,
            std::weak_ptr<TOLFolder> Parent);

  std::string Name() const;
  int DefaultItemType() const;
  std::string EntryID() const;
  // None at the top of a store.
  TOLFolderRef Parent() const;
  TOLItems& Items();
  TOLFolders& Folders();

  TOLFolderRef AddFolder(const std::string& Name, int DefaultItemType);

 private:
  TOLSessionRef FSession;
  std::string FName;
  int FDefaultItemType;
  std::string FEntryID;
  std::weak_ptr<TOLFolder> FParent;
  TOLItems FItems;
  TOLFolders FFolders;
};

class TOLExplorer {
 public:
  explicit TOLExplorer(TOLSessionRef Session) : Selected(Session), FSession(std::move(Session)) {}

  TOLFolderRef CurrentFolder() const;
  const TOLCollection<TOLItem>& Selection() const;

  TOLFolderRef Current;
  TOLCollection<TOLItem> Selected;

 private:
  TOLSessionRef FSession;
};
using TOLExplorerRef = std::shared_ptr<TOLExplorer>;

// What outlives a restart of Outlook: the stores, the default folders and the active window.
struct TOLProfile {
  std::vector<TOLFolderRef> Stores;
  std::map<int, TOLFolderRef> DefaultFolders;
  // None: Outlook runs without a window.
  TOLExplorerRef ActiveExplorer;
};
using TOLProfileRef = std::shared_ptr<TOLProfile>;

class TOLNameSpace {
 public:
  TOLNameSpace(TOLSessionRef Session, TOLProfileRef Profile, int Generation);
  // Raises EOleError for a folder the profile lacks.
  TOLFolderRef GetDefaultFolder(int FolderType) const;

 private:
  void CheckAlive() const;

  TOLSessionRef FSession;
  TOLProfileRef FProfile;
  int FGeneration;
};
using TOLNameSpaceRef = std::shared_ptr<TOLNameSpace>;

class TOLApplication {
 public:
  TOLApplication(TOLSessionRef Session, TOLProfileRef Profile);

  // Raises EOleError when Outlook cannot be reached. Objects fetched before a restart stay
  // dead; the application reaches the new Outlook at its next connection.
  void Connect();
  // Ends a connection; nothing when none is open.
  void Disconnect();
  // Only "MAPI".
  TOLNameSpaceRef GetNamespace(const std::string& Type) const;
  // None without a window.
  TOLExplorerRef ActiveExplorer() const;

 private:
  void CheckAlive() const;

  TOLSessionRef FSession;
  TOLProfileRef FProfile;
  int FGeneration;
};
using TOLApplicationRef = std::shared_ptr<TOLApplication>;

// Makes the application object of the running Outlook. The default one has none to give and
// raises EOleError, as creating an unregistered automation class does.
class TOutlookConnector {
 public:
  virtual ~TOutlookConnector() = default;
  virtual TOLApplicationRef CreateApplication() = 0;

  static TOutlookConnector& Default();
};

inline TOutlookConnector& OutlookConnector() {
  return TFacility<TOutlookConnector>::Get();
}

// An Outlook for tests: install it with TScopedFacility<TOutlookConnector>.
class TOutlookModel : public TOutlookConnector {
 public:
  TOutlookModel();

  TOLApplicationRef CreateApplication() override;

  TOLFolderRef AddStore(const std::string& Name);
  void SetDefaultFolder(int FolderType, TOLFolderRef Folder);
  // Opens the explorer window when there is none.
  TOLExplorer& Explorer();
  // Outlook ended and started again: the objects handed out before are dead until fetched
  // again; an application object comes back to life at its next connection.
  void Restart() { ++Session->Generation; }

  TOLSessionRef Session;
  TOLProfileRef Profile;
};
