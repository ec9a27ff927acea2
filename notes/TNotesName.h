#pragma once

#include <array>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Object.h"

class TStringList;

// Indexes of the components of a name (GetNameComponent, SetNameComponent), named after their
// keywords. ncOU1 is the unit next to the common name.
enum TNotesNameComponent {
  ncCN,
  ncG,
  ncS,
  ncI,
  ncQ,
  ncC,
  ncOU1,
  ncOU2,
  ncOU3,
  ncOU4,
  ncADMD,
  ncPRMD,
  ncO,
  ncCount
};

// How a lookup searches the address books (NAME_LOOKUP_ALL, NAME_LOOKUP_NOSEARCHING,
// NAME_LOOKUP_EXHAUSTIVE).
enum TNotesLookupOption { nloAll, nloNoSearch, nloExhaustive };
using TNotesLookupOptions = std::set<TNotesLookupOption>;

// What a lookup hands its caller document by document (TNotesName::VisitLookup).
struct TNotesLookupVisitor {
  // Before the documents found for one name: how many there are, so that room is made once.
  std::function<void(int Documents)> Found;
  // One document: its line for each requested item, as LookupName gives them. The views are
  // valid only during the call.
  std::function<void(const std::vector<std::string_view>& Lines)> Document;
};

// One Notes hierarchical name, held in canonical form (CN=.../OU=.../O=.../C=...), with its
// components, its abbreviated form and a keyword form.
class TNotesName : public TObject {
 public:
  explicit TNotesName(const std::string& Name);

  // A canonical text is kept as it is; any other text is canonicalised.
  void SetName(const std::string& Value);
  const std::string& GetName() const { return FName; }
  // The component's value ("$" escapes resolved); "" when absent or Index is out of range.
  // The common name of a name without one (a flat name) is the whole name.
  std::string GetNameComponent(int Index);
  // Replaces one component and rebuilds the name in canonical order; ELotusNotes for an Index
  // out of range. "/", "=", "@" and "$" in Value are escaped, so they stay part of it.
  void SetNameComponent(int Index, const std::string& Value);
  // "C/O/OU1/OU2/OU3/OU4", absent components leaving their places empty.
  std::string GetKeyword();
  // Spelled as the interface has always spelled it.
  bool IsHirerarchical() const;
  std::string GetAbbreviatedName() const { return TranslateName(FName, false, ""); }
  void SetAbbreviatedName(const std::string& Value) { SetName(Value); }
  // The components are valid for the current name.
  bool IsParsed() const { return FParsed; }

  // Whether Text, upper-cased, contains "/" + keyword + "=" for any keyword of a name.
  static bool IsCanonical(const std::string& Text);
  // Canonical or abbreviated form of Text; a non-empty Template completes a flat name.
  static std::string TranslateName(const std::string& Text, bool ToCanonical,
                                   const std::string& Template);

  // Looks Names up in the name spaces Views ("$Users" when Views is empty) of Server's address
  // books ("" for the local ones) and puts into Results, for every document found, one line
  // per item of Items in that order: its values joined with ", ", or "" when the document
  // lacks it. "*" alone asks for the empty name; a name ending in "*" matches by prefix.
  // True when Results holds a line. A failure raises ELotusNotes and leaves Results as it was.
  static bool LookupName(const std::string& Server, const std::vector<std::string>& Views,
                         const std::vector<std::string>& Names,
                         const std::vector<std::string>& Items, const TNotesLookupOptions& Options,
                         TStringList& Results);
  // The same with string lists; an empty Views, or one whose first name is empty, gets
  // "$Users" as its first name.
  static bool LookupNameList(const std::string& Server, TStringList& Views,
                             const TStringList& Names, const TStringList& Items,
                             const TNotesLookupOptions& Options, TStringList& Results);
  // LookupName without building a string per line: each document's lines are handed to Visit,
  // most of them views into the lookup's own result. True when a document was found. A failure
  // raises ELotusNotes, possibly after some documents were visited.
  static bool VisitLookup(const std::string& Server, const std::vector<std::string>& Views,
                          const std::vector<std::string>& Names,
                          const std::vector<std::string>& Items, const TNotesLookupOptions& Options,
                          const TNotesLookupVisitor& Visit);
  // Whether Name is a key of a person in any of Server's address books.
  static bool CheckAddress(const std::string& Server, const std::string& Name);

 private:
  void Parse();
  std::string FName;
  // Owned copies of the components, so that copies and moves of the object stay valid.
  std::array<std::string, ncCount> FComponents;
  std::string FDomain;
  bool FParsed = false;
};
