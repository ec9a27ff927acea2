#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DateUtils.h"
#include "NotesApi.h"
#include "Object.h"
#include "StringList.h"
#include "Variant.h"

class TLiveItems;
class TNotesDocument;
struct TItemValue;

// One item (field) of a note that a document holds open: its descriptor, typed readers and
// writers. A note may hold several items of one name; an item object can move on to the next.
// Getters never raise for a missing or mistyped value; they give neutral results. Every writer
// builds the new value first, removes every old item of the name and re-reads the descriptor,
// so a failure never loses the old value and a rewritten value reads back whole.
class TNotesItem : public TObject {
 public:
  // The first item of Name; raises ELotusNotes when the note has none.
  static std::unique_ptr<TNotesItem> Create(TNotesDocument& Document, const std::string& Name);
  // An item not yet in the note: nothing is written until a setter runs. ITEM_SUMMARY is set.
  static std::unique_ptr<TNotesItem> CreateNew(TNotesDocument& Document, const std::string& Name);
  ~TNotesItem() override;

  TNotesDocument& Document() const { return FDocument; }
  const std::string& Name() const { return FName; }
  BLOCKID ItemBID() const { return FItemBID; }
  BLOCKID ValueBID() const { return FValueBID; }
  WORD ItemFlags() const { return FItemFlags; }
  WORD DataType() const { return FDataType; }
  // The value's length in bytes, its type word included.
  DWORD ValueLength() const { return FValueLength; }
  bool Loaded() const { return FLoaded; }
  int Index() const { return FIndex; }

  // Reads the descriptor of the first item of the name (PrevItemBID null) or of the next one
  // after PrevItemBID. Raises ELotusNotes when there is none.
  void InitItemInfo(BLOCKID PrevItemBID);
  bool GetItemFlags(WORD Flags) const { return (FItemFlags & Flags) == Flags; }
  // Changes only this object's flags; they take effect with the next write.
  void SetItemFlags(WORD Flags, bool Value);
  // A copy of the value with its type word; empty when not loaded.
  std::vector<char> GetValueBuffer() const;
  // Replaces every item of the name by Buffer (the value without its type word), in pieces
  // of at most 65,000 bytes; text is cut between characters.
  void SetValueBuffer(WORD DataType, WORD Flags, const void* Buffer, DWORD Length);
  TDateTime GetLastModifed() const;

  std::string GetAsString() const;
  double GetAsFloat() const;
  TDateTime GetAsDateTime() const;
  TVariant GetAsList() const;
  TVariant GetAsNumbers() const;
  TVariant GetAsTimes() const;
  TStringList& GetAsStrings();
  UNIVERSALNOTEID GetAsReference() const;
  TVariant GetItemValue() const;
  virtual TStringList& GetRichText();

  void SetAsString(const std::string& Text);
  void SetAsFloat(double Number);
  void SetAsDateTime(TDateTime DateTime);
  void SetAsList(const TVariant& Value);
  void SetAsNumbers(const TVariant& Value);
  void SetAsTimes(const TVariant& Value);
  void SetAsStrings(const TStringList* List);
  void SetAsReference(const UNIVERSALNOTEID& Unid);
  // Empty and null remove the item; kinds that Notes cannot store raise before anything
  // changes.
  void SetItemValue(const TVariant& Value);
  // Replaces every item of the name by a rich-text field of List's lines, one paragraph each.
  // The new field is built first: a failure leaves the note as it was.
  virtual void SetRichText(const TStringList& List);

  // Finds this object's item (the Index-th of its name) in the note again, after a write
  // through another object or the document; not loaded when the note no longer has it.
  void Reload();

  bool NextItemExists() const;
  bool LoadNextItem();
  // The next item of the name as a new object owned by the caller, or none.
  virtual std::unique_ptr<TNotesItem> CreateNextItem() const;

  // Removes every item named LmbcsName from the note, however many calls NSFItemDelete takes
  // for it. Raises ELotusNotes for failures other than "item not found".
  static void DeleteAllItems(NOTEHANDLE Note, const std::string& LmbcsName);

 protected:
  TNotesItem(TNotesDocument& Document, std::string Name);
  // Selects the constructor that moves on to the item after Previous.
  struct TNextItem {};
  // The item after Previous; raises ELotusNotes when there is none.
  TNotesItem(const TNotesItem& Previous, TNextItem);

  NOTEHANDLE NoteHandle() const;
  // The name as Notes holds it, for the rich-text item that derives from this class.
  const std::string& LmbcsName() const { return FLmbcsName; }
  WORD LmbcsNameLength() const { return static_cast<WORD>(FLmbcsName.size()); }
  // After every write: this object stands for the first item of the name (not loaded when the
  // write left none), and every other object of the note finds its item again.
  void SetCreated();
  void DeleteAllItems() { DeleteAllItems(NoteHandle(), FLmbcsName); }
  void SetDataType(WORD DataType) { FDataType = DataType; }
  // Replaces every item of the name by one value that must fit one item.
  void ReplaceWithValue(WORD DataType, WORD Flags, const std::vector<char>& Value);
  TStringList& Lines();

 private:
  void StoreDescriptor(BLOCKID ItemBID, WORD DataType, BLOCKID ValueBID, DWORD ValueLength);
  std::string RichTextAsText() const;
  // This rich-text item and those of the name right after it.
  std::vector<TItemValue> RichTextValues() const;
  std::string JoinedText() const;

  TNotesDocument& FDocument;
  std::shared_ptr<TLiveItems> FLiveItems;
  std::string FName;
  std::string FLmbcsName;
  BLOCKID FItemBID{};
  BLOCKID FValueBID{};
  WORD FItemFlags = 0;
  WORD FDataType = 0;
  DWORD FValueLength = 0;
  bool FLoaded = false;
  std::unique_ptr<TStringList> FLines;
  int FIndex = 0;
};
