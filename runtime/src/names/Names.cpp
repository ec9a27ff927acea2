// The DN functions and the current user.
#include <optional>
#include <string>

#include "core/ApiCall.h"
#include "core/Settings.h"
#include "notesapi/dname.h"
#include "notesapi/kfm.h"
#include "notesapi/miscerr.h"
#include "text/BufferText.h"
#include "text/DistinguishedName.h"

using notesrt::EStatus;
using notesrt::TDistinguishedName;
using notesrt::TDnComponents;

namespace {

void SetComponent(WORD& Length, char*& Text, std::string_view Value) {
  if (Value.size() > MAXWORD) throw EStatus(ERR_NOTESRT_NAME_TOO_LONG);
  Length = static_cast<WORD>(Value.size());
  // The views point into the caller's own (const) InName, as published.
  Text = Value.data() ? const_cast<char*>(Value.data()) : nullptr;
}

void Fill(DN_COMPONENTS& Comp, const TDnComponents& Name) {
  SetComponent(Comp.CLength, Comp.C, Name.C);
  SetComponent(Comp.OLength, Comp.O, Name.O);
  for (size_t unit = 0; unit < DN_OUNITS; ++unit)
    SetComponent(Comp.OULength[unit], Comp.OU[unit], Name.OU[unit]);
  SetComponent(Comp.CNLength, Comp.CN, Name.CN);
  SetComponent(Comp.DomainLength, Comp.Domain, Name.Domain);
  SetComponent(Comp.PRMDLength, Comp.PRMD, Name.PRMD);
  SetComponent(Comp.ADMDLength, Comp.ADMD, Name.ADMD);
  SetComponent(Comp.GLength, Comp.G, Name.G);
  SetComponent(Comp.SLength, Comp.S, Name.S);
  SetComponent(Comp.ILength, Comp.I, Name.I);
  SetComponent(Comp.QLength, Comp.Q, Name.Q);
}

// Clears the outputs first, so that a failure never leaves a stale name behind.
template <class TConvert>
STATUS ConvertName(const char* InName, char* OutName, WORD OutSize, WORD* OutLength,
                   TConvert Convert) {
  if (OutLength) *OutLength = 0;
  if (OutName && OutSize > 0) *OutName = '\0';
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!InName || !OutName || OutSize == 0) return ERR_MISC_INVALID_ARGS;
    std::string name = Convert(TDistinguishedName(InName));
    size_t length = notesrt::CopyToBuffer(name, OutName, OutSize);
    if (OutLength) *OutLength = static_cast<WORD>(length);
    return length == name.size() ? NOERROR : ERR_NOTESRT_NAME_TOO_LONG;
  });
}

std::string CanonicalWithTemplate(const TDistinguishedName& Name, const char* TemplateName) {
  if (!TemplateName || !*TemplateName) return Name.Canonical();
  // The template may itself be abbreviated; its components come from its canonical form.
  std::string canonicalTemplate = TDistinguishedName(TemplateName).Canonical();
  TDistinguishedName templateName(canonicalTemplate);
  return Name.Canonical(&templateName);
}

}  // namespace

// Flags and TemplateName are not used. CompSize is checked before anything is written, so a
// caller with an older, smaller record is refused rather than overrun.
STATUS LNPUBLIC DNParse(DWORD, const char*, const char* InName, DN_COMPONENTS* Comp,
                        WORD CompSize) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (CompSize != sizeof(DN_COMPONENTS)) return ERR_DN_COMP_VERSION;
    if (!InName || !Comp) return ERR_MISC_INVALID_ARGS;
    *Comp = DN_COMPONENTS{};
    TDistinguishedName name(InName);
    if (std::optional<TDnComponents> components = name.Components()) {
      Fill(*Comp, *components);
      return NOERROR;
    }
    bool flat = name.Form() == TDistinguishedName::TForm::Flat ||
                name.Form() == TDistinguishedName::TForm::Empty;
    Comp->Flags = flat ? DN_NONDISTINGUISHED : DN_NONSTANDARD;
    return NOERROR;
  });
}

STATUS LNPUBLIC DNCanonicalize(DWORD, const char* TemplateName, const char* InName, char* OutName,
                               WORD OutSize, WORD* OutLength) {
  return ConvertName(InName, OutName, OutSize, OutLength, [&](const TDistinguishedName& Name) {
    return CanonicalWithTemplate(Name, TemplateName);
  });
}

STATUS LNPUBLIC DNAbbreviate(DWORD, const char*, const char* InName, char* OutName, WORD OutSize,
                             WORD* OutLength) {
  return ConvertName(InName, OutName, OutSize, OutLength,
                     [](const TDistinguishedName& Name) { return Name.Abbreviated(); });
}

// A name cut to the buffer would name somebody else, so a name that does not fit gives "".
STATUS LNPUBLIC SECKFMGetUserName(char* retUserName) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!retUserName) return ERR_MISC_INVALID_ARGS;
    *retUserName = '\0';
    std::optional<std::string> stored = notesrt::TSettings::Instance().Get(NOTESRT_USER_NAME_VAR);
    std::string name = stored ? TDistinguishedName(*stored).Canonical() : "";
    if (name.empty()) return ERR_NOTESRT_NO_USER;
    return notesrt::CopyWholeToBuffer(name, retUserName, MAXUSERNAME + 1)
               ? NOERROR
               : ERR_NOTESRT_NAME_TOO_LONG;
  });
}
