#pragma once

#include <memory>
#include <string>
#include <vector>

#include "DateUtils.h"
#include "NotesApi.h"
#include "Object.h"
#include "TNotesACLEntry.h"
#include "TNotesViewList.h"

class TNotesACL;
class TNotesDocument;
class TNotesDocumentCollection;
class TStringList;
class TNotesView;

// One Notes database (NSF file), local or on a server: opening (the user's mail database by
// default, with its local replica as fallback), information, documents, new databases and the
// current user's read marks. Closed on destruction. Documents and collections made from it
// must not outlive it.
class TNotesDatabase : public TObject {
 public:
  TNotesDatabase();
  ~TNotesDatabase() override;
  TNotesDatabase(const TNotesDatabase&) = delete;
  TNotesDatabase& operator=(const TNotesDatabase&) = delete;

  // Opens Server's FileName ("LOCAL" or "" for this machine); both empty open the mail file.
  // Returns true or raises ELotusNotes; a failed open leaves the object closed with its
  // previous names.
  bool Open(const std::string& Server, const std::string& FileName);
  bool OpenMail() { return Open("", ""); }
  void Close();
  void CloseSession();
  DBHANDLE Handle() const { return FHandle; }
  bool GetActive() const { return FHandle != NULLHANDLE; }
  void SetActive(bool Value);
  const std::string& FileName() const { return FFileName; }
  const std::string& ServerName() const { return FServerName; }
  // A different name closes the database.
  void SetFileName(const std::string& Value);
  void SetServerName(const std::string& Value);

  // A mail sent from this database is also stored in it.
  bool KeepSentCopy = false;

  std::string GetTitle() const;
  void SetTitle(const std::string& Title);
  std::string GetFullName() const;
  TIMEDATE GetDatabaseID() const;
  DBREPLICAINFO GetReplicaInfo() const;
  void SetReplicaInfo(const DBREPLICAINFO& Info);
  DBQUOTAINFO GetQuotaInfo() const;
  // Opens this object's own database first when it is closed (the mail file only when no
  // file is set).
  WORD NotesVersion();
  // The database's access control list, read on first use. It is the caller's to use while
  // the database stays open; the object lives as long as the database, but once the database
  // closes it can no longer be used (changes not saved by then are dropped), and the next
  // GetACL reads the list again.
  TNotesACL& GetACL();
  // The current user's effective access to this open database, as Notes decided it when the
  // database was opened: a server's database by its access control list, a local one Manager.
  TNotesAclAccessLevel GetAccessLevel() const;
  TNotesAclFlags GetAccessFlags() const;

  // The current user and the mail settings; no database needs to be open. LMBCS results.
  static std::string LmbcsUserName();
  static std::string UserName();
  static std::string MailFileName();
  static std::string MailServer();
  // The current user's name in canonical form, LMBCS, as unread tables and profiles key it.
  static std::string CanonicalLmbcsUserName();
  // Adds the address books in use to List: Server's names.nsf, or for "" the local books the
  // setting NAMES lists; each as its path, or with WithTitles as "path=title".
  static void ListAddressBooks(const std::string& Server, TStringList& List, bool WithTitles);

  std::unique_ptr<TNotesDocument> CreateDocument();
  std::unique_ptr<TNotesDocument> CreateResponseDocument(const UNIVERSALNOTEID& ParentUnid,
                                                         const std::string& Subject);
  void Delete(NOTEID NoteID);
  // Closes the document's note and deletes it from the database.
  void DeleteDocument(TNotesDocument& Document);
  void CopyRecords(TNotesDatabase& Source);
  // Creates a database that does not exist yet (from a template when TemplatePath is set) and
  // opens it. An existing file is an error, never overwritten.
  void CreateNew(const std::string& Server, const std::string& FileName,
                 const std::string& TemplatePath);
  // Opens the user's own address book: the first book of the setting NAMES, else NAMES.NSF.
  bool OpenPrivateAddressBook();

  // A new memo to SendTo (comma-separated) with a plain-text Body, sent at once; raises
  // ELotusNotes when SendTo names nobody.
  void SendMail(const std::string& SendTo, const std::string& Subject, const std::string& Body);
  // A reply to RepliedTo's sender, "Re: " and its subject, sent at once.
  void ReplyMail(TNotesDocument& RepliedTo, const std::string& Body);
  // Finishes the sends of this database that were stopped after the sent copy was kept and
  // before the mail was marked as in the router mailbox (the program killed, the machine
  // down): each mail goes into the mailbox unless it is there already, and its copy is marked
  // sent. Returns how many mails went into the mailbox now.
  int CompletePendingSends();

  void MarkRead(NOTEID NoteID, bool Read);
  void MarkAllRead(const TNotesDocumentCollection& Collection, bool Read);
  std::unique_ptr<TNotesDocumentCollection> UnreadDocuments();

  // Notes of the classes NoteClass (NOTE_CLASS_...) that Formula selects (every note when it is
  // empty), modified after Since (from any date when it is 0), with their summary items when
  // WithSummary is set. The collections found are the caller's.
  std::unique_ptr<TNotesDocumentCollection> FindNotes(const std::string& Formula, TDateTime Since,
                                                      WORD NoteClass, bool WithSummary);
  // Documents, with their summaries.
  std::unique_ptr<TNotesDocumentCollection> Search(const std::string& Formula, TDateTime Since,
                                                   int32_t Unused = 0);
  // The first document Formula selects, or null.
  std::unique_ptr<TNotesDocument> FindDocument(const std::string& Formula);
  // Documents holding what Query (Notes full-text syntax) asks for, best first, the index being
  // made on the first search. OptionsA and OptionsB add FT_SEARCH_ bits; bits that change the
  // form of the results are refused with ELotusNotes. The collection found is the caller's.
  std::unique_ptr<TNotesDocumentCollection> FTSearch(const std::string& Query, int32_t Unused,
                                                     uint32_t OptionsA, uint32_t OptionsB);

  // The database's views and folders (the current user's private ones included), by the
  // titles their design notes hold, for example "Inbox|($Inbox)". The objects GetViewByIndex
  // and GetViews hand out belong to the database and stay valid until it closes.
  void CheckViews();
  int GetViewCount();
  // Indexes outside the list raise EStringListError.
  TNotesView* GetViewByIndex(int Index);
  // The view whose whole title is Name, else the first one with a "|"-separated part (title or
  // alias) that is Name; case is ignored. Null when none is.
  TNotesView* GetViews(const std::string& Name);
  // Reads the titles again on next use.
  void UpdateViews();
  // A new view or folder read by name, owned by the caller.
  std::unique_ptr<TNotesView> OpenView(const std::string& Name, TDateTime Unused1 = 0,
                                       int32_t Unused2 = 0);

 private:
  void CloseWith(STATUS (*CloseFunction)(DBHANDLE));
  void SetReadMarks(const std::vector<NOTEID>& NoteIDs, bool Read);

  DBHANDLE FHandle = NULLHANDLE;
  std::string FFileName;
  std::string FServerName;
  TNotesViewList FViews;
  std::unique_ptr<TNotesACL> FACL;
  // Lists read before a close; callers may still hold them.
  std::vector<std::unique_ptr<TNotesACL>> FClosedACLs;
};
