#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DateUtils.h"
#include "NotesApi.h"
#include "NotesHandle.h"
#include "Object.h"
#include "StringList.h"
#include "TIDInfo.h"
#include "TNotesItemList.h"
#include "Variant.h"

class ELotusNotes;
class TNotesDatabase;
class TLiveItems;
class TNotesAttachment;
class TNotesItem;

// One note of a database open in memory: new, opened by note ID or UNID, a response or a
// profile note. It owns the note handle and the item objects it hands out, lists the note's
// items and file attachments, saves and copies the note, and tracks the current user's read
// mark. The document must not outlive its database.
class TNotesDocument : public TObject {
 public:
  // A new note; its composed date is now.
  explicit TNotesDocument(TNotesDatabase& Database);
  TNotesDocument(TNotesDatabase& Database, NOTEID NoteID);
  TNotesDocument(TNotesDatabase& Database, const UNIVERSALNOTEID& Unid);
  // The profile note ProfileName of the current user, created when missing.
  TNotesDocument(TNotesDatabase& Database, const std::string& ProfileName);
  // A new response to Parent, with "Re: " and the parent's subject as its subject.
  TNotesDocument(TNotesDatabase& Database, TNotesDocument& Parent);
  // A new response to the note ParentUnid.
  static std::unique_ptr<TNotesDocument> CreateResponse(TNotesDatabase& Database,
                                                        const UNIVERSALNOTEID& ParentUnid);
  ~TNotesDocument() override;
  TNotesDocument(const TNotesDocument&) = delete;
  TNotesDocument& operator=(const TNotesDocument&) = delete;

  TNotesDatabase& Database() const { return *FDatabase; }
  NOTEHANDLE NoteHandle() const { return FNote.Get(); }
  NOTEID NoteID() const { return FNoteID; }
  const std::string& ProfileName() const { return FProfileName; }
  // The summary lines of the collection entry this document came from.
  TStringList& Summary();
  void SetSummarySource(std::shared_ptr<const TIDInfo> Entry) { FSummarySource = std::move(Entry); }
  WORD AttachCounter() const { return FAttachCounter; }
  void SetAttachCounter(WORD Value) { FAttachCounter = Value; }
  // Closes the note without saving; the document then has no note (used to delete it).
  void CloseNote();

  // Items
  void ReloadFields();
  int GetFieldCount() { return Fields().Count(); }
  const std::string& GetFieldName(int Index) { return Fields().Strings(Index); }
  // The document's object for the first item of Name (owned by the document). An item written
  // after the list of fields was read is found as well.
  TNotesItem* GetItemByName(const std::string& Name);
  bool IsItemExists(const std::string& Name) const;
  // Removes every item of Name from the note, and Name's first entry from the fields.
  void DeleteItem(const std::string& Name);
  // Replaces every item of Name by Value; a value that cannot be stored raises first.
  void ReplaceItemValue(const std::string& Name, const TVariant& Value);
  // Replaces Name by every item of that name in Source, in order.
  void CopyItem(TNotesDocument& Source, const std::string& Name);
  int CountMultipleItems(const std::string& Name);
  // Objects for every item of Name in note order: the document's own object first.
  TNotesItemList LoadMultipleItems(const std::string& Name);
  // The item objects alive for this note, the document's and the callers'.
  const std::shared_ptr<TLiveItems>& LiveItems() const { return FLiveItems; }
  // Every item object finds its item again after the note's items changed.
  void ItemsChanged();
  // Mail header items by their item codes (MAIL_..._ITEM_NUM); a missing item reads as "".
  std::string GetItemByNum(WORD Code) const;
  void SetItemByNum(WORD Code, const std::string& Value);

  // Mail
  // The routing recipients joined with ", "; "" when there are none or they cannot be read.
  std::string GetRecipients() const;
  // Writes the routing recipients from a comma-separated text: every piece trimmed, empty
  // pieces left out, in the order given; replaces earlier recipients. Nothing is written when
  // no piece is left.
  void SetRecipients(const std::string& Recipients);
  // The first "Body" item as text.
  std::string GetBodyAsString();
  // The "Body" item's list entries; the list belongs to the item.
  TStringList& GetBodyAsMemo();
  // Replaces the whole body (every "Body" item) by a plain-text body of Text's lines. An empty
  // Text or list leaves the note unchanged.
  void SetBodyAsString(const std::string& Text);
  void SetBodyAsMemo(const TStringList& Lines);
  // Raises ELotusNotes unless every addressee of the send-to header item and the recipients
  // can be found in the mail server's address books.
  void CheckAddress();
  // Completes the header items (form, or the form stored with StoreForm; sender; recipients
  // from Recipients, else from the addressees; posted date; principal) and deposits the mail
  // in the mail server's MAIL.BOX. Raises ELotusNotes before depositing when there is no
  // recipient. With the database's KeepSentCopy the mail is saved in the database too: first,
  // marked as not yet in the mailbox, then the mail is deposited (should that fail, the copy
  // is kept as a draft), then the mark goes; a failure of that last step raises
  // ELnSentCopyFailed: the mail was sent. Without KeepSentCopy the document belongs to the
  // mailbox afterwards.
  void Send(bool StoreForm, const std::string& Recipients);
  // For a copy that Send kept but did not mark as sent: deposits the mail in MailBox unless
  // it is there already, and marks the copy sent. A mark that cannot be read makes the copy a
  // draft. Returns whether the mail was deposited now.
  bool CompletePendingSend(DBHANDLE MailBox);
  // The posted date is now: views of sent mail show the note.
  void SetPostedDateNow();

  TDateTime GetLastModified() const;
  TDateTime GetLastAccessed() const;
  ORIGINATORID GetOriginatorID() const;
  UNIVERSALNOTEID GetUniversalID() const;

  // Saving and copying
  void Save();
  std::unique_ptr<TNotesDocument> CopyToDatabase(TNotesDatabase& TargetDatabase) const;

  // Attachments, as the note had them when it was opened; names upper-cased.
  int GetAttachmentCount() const { return FAttachments.Count(); }
  const std::string& GetAttachment(int Index) const { return FAttachments.Strings(Index); }
  int FindAttachment(const std::string& FileName) const;
  void Attach(const std::string& FileName);
  // Writes attachment Index to FileName; an empty FileName means the attachment's own name
  // (without any directory part) in the current directory.
  void Detach(int Index, const std::string& FileName) const;
  void DeleteAttachment(int Index);

  // Forms and formulas
  // Copies the design items ("$" names but for signatures, flags, field lists and revisions,
  // and no addressing items) of the form FormName into the note and drops its "Form" item.
  void AttachForm(const std::string& FormName);
  // Gives the fields the note lacks the defaults of its form; false on failure unless
  // RaiseOnError asks for the error.
  bool ComputeWithForm(bool RaiseOnError);
  // The value of Formula for this note. A formula that does not compile raises
  // ELnFormulaCompile.
  TVariant Evaluate(const std::string& Formula);

  // Font table ("$Fonts"): face names with TNotesFont objects.
  void LoadFontTable();
  void SaveFontTable();
  TStringList* FontTable() const { return FFontTable.get(); }
  WORD MaxFontID() const { return FMaxFontID; }
  // After a face was added to the font table.
  void SetMaxFontID(WORD Value) { FMaxFontID = Value; }

  // Signature and read mark
  void Sign();
  bool GetSignature(std::string& Signer, std::string& Certifier, TDateTime* WhenSigned) const;
  // Asks the unread table the first time it is needed.
  bool GetIsRead();
  void SetIsRead(bool Value);
  // The read state as known without asking Notes, set by the collection that made the
  // document.
  void AssumeIsRead(bool Value) { FIsRead = Value; }
  void UpdateUnread();

 private:
  TNotesDocument(TNotesDatabase& Database, TNoteHandle Note);
  void InitDocument(NOTEID NoteID);
  void ListAttachments();
  NOTEID NoteIDFromNote() const;
  void SetComposedDate();
  void CompleteMailHeader(bool StoreForm, const std::string& Recipients);
  // After the document wrote items past its item objects: the fields and every item object
  // read the note as it is now.
  void ItemsWritten();
  // The object of the field entry Index, taken out of the list without being freed.
  std::unique_ptr<TObject> TakeFieldObject(int Index);
  TStringList& Fields();
  void SavePendingCopy(const std::string& DepositUnid);
  [[noreturn]] void KeepUnsentCopy(const ELotusNotes& Error);
  void MarkCopySent();
  std::string AddressedTo();
  const TNotesAttachment& AttachmentAt(int Index) const;

  TNoteHandle FNote;
  std::shared_ptr<TLiveItems> FLiveItems;
  NOTEID FNoteID = 0;
  TStringList FFields;
  // An opened note's item names are listed when first asked for: a caller that reads a few
  // items by name (a mail list) needs none of them.
  bool FFieldsRead = true;
  TNotesDatabase* FDatabase;
  TStringList FAttachments;
  std::unique_ptr<TStringList> FFontTable;
  std::optional<bool> FIsRead;
  std::string FProfileName;
  TStringList FSummary;
  // The entry whose summary text becomes FSummary when first asked for.
  std::shared_ptr<const TIDInfo> FSummarySource;
  WORD FAttachCounter = 0;
  WORD FMaxFontID = 4;
  // Item objects whose field entries a reload dropped; callers may still hold them.
  std::vector<std::unique_ptr<TObject>> FRetiredItems;
};
