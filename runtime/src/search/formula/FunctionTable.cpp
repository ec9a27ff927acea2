#include "search/formula/FunctionTable.h"

#include <algorithm>
#include <array>

namespace notesrt {

namespace {

using TGroup = std::span<const TFunctionSpec> (*)();

constexpr std::array Groups{
    LogicFunctions,    LoopFunctions,   TypeFunctions,       DocumentFunctions,  TimeFunctions,
    TimePartFunctions, NameFunctions,   TextFunctions,       SubstringFunctions, TextListFunctions,
    ListFunctions,     NumberFunctions, ConversionFunctions,
};

// Notes @functions that need a user interface, another database, the mail router or the
// client's environment. Naming them lets a formula that uses one fail with a precise message.
constexpr std::array<std::u16string_view, 52> Unsupported{
    u"ABSTRACT",       u"ACCESSED",         u"ADDTOFOLDER",     u"BROWSERINFO",
    u"CHECKALARMS",    u"CLIENTTYPE",       u"COMMAND",         u"DBCOLUMN",
    u"DBCOMMAND",      u"DBLOOKUP",         u"DBMANAGER",       u"DDEEXECUTE",
    u"DDEINITIATE",    u"DDEPOKE",          u"DDETERMINATE",    u"DELETEDOCUMENT",
    u"DELETEFIELD",    u"DIALOGBOX",        u"DOCCHILDREN",     u"DOCDESCENDANTS",
    u"DOCLEVEL",       u"DOCMARK",          u"DOCNUMBER",       u"DOCPARENTNUMBER",
    u"DOCSIBLINGS",    u"ENVIRONMENT",      u"EDITECL",         u"EDITUSERECL",
    u"GETDOCFIELD",    u"GETPORTSLIST",     u"GETPROFILEFIELD", u"INHERITEDDOCUMENTUNIQUEID",
    u"ISAGENTENABLED", u"ISDOCBEINGEDITED", u"ISNEWDOC",        u"LOCATIONGETINFO",
    u"MAILDBNAME",     u"MAILSEND",         u"NAMELOOKUP",      u"PICKLIST",
    u"POSTEDCOMMAND",  u"PROMPT",           u"REFRESHECL",      u"RESPONSES",
    u"SETDOCFIELD",    u"SETENVIRONMENT",   u"SETPROFILEFIELD", u"SETTARGETFRAME",
    u"UNAVAILABLE",    u"URLOPEN",          u"VIEWTITLE",       u"WEBDBNAME",
};

}  // namespace

const TFunctionSpec* FindFunction(std::u16string_view Name) {
  for (TGroup group : Groups)
    for (const TFunctionSpec& spec : group())
      if (spec.Name == Name) return &spec;
  return nullptr;
}

bool IsUnsupportedFunction(std::u16string_view Name) {
  return std::find(Unsupported.begin(), Unsupported.end(), Name) != Unsupported.end();
}

}  // namespace notesrt
