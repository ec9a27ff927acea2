// Signatures without ID files: the configured user signs; the signature records who and when.
#include <cstring>

#include "core/ApiCall.h"
#include "note/ItemArgs.h"
#include "note/ItemName.h"
#include "notesapi/kfm.h"
#include "notesapi/names.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfnote.h"
#include "storage/StoredValue.h"
#include "text/BufferText.h"
#include "text/DistinguishedName.h"

using notesrt::TNote;
using notesrt::TNoteItem;

namespace {

constexpr const char* SignatureItem = "$Signature";
constexpr WORD SignatureVersion = 1;

// Version word, signing time, signer name length, signer (canonical, LMBCS).
std::string SignatureValue(std::string_view Signer, const TIMEDATE& When) {
  return std::string(notesrt::BytesOf(SignatureVersion)) + std::string(notesrt::BytesOf(When)) +
         std::string(notesrt::BytesOf(static_cast<WORD>(Signer.size()))) + std::string(Signer);
}

struct TSignature {
  TIMEDATE When{};
  std::string Signer;
};

std::optional<TSignature> ReadSignature(std::string_view Data) {
  constexpr size_t NameOffset = sizeof(WORD) + sizeof(TIMEDATE) + sizeof(WORD);
  if (notesrt::ReadAt<WORD>(Data, 0) != SignatureVersion || Data.size() < NameOffset)
    return std::nullopt;
  size_t length = notesrt::ReadAt<WORD>(Data, NameOffset - sizeof(WORD));
  if (Data.size() - NameOffset < length) return std::nullopt;
  return TSignature{notesrt::ReadAt<TIMEDATE>(Data, sizeof(WORD)),
                    std::string(Data.substr(NameOffset, length))};
}

// The certifier is the signer's organisation.
std::string CertifierOf(const std::string& Signer) {
  notesrt::TDistinguishedName name(Signer);
  auto components = name.Components();
  return components && !components->O.empty() ? "O=" + std::string(components->O) : "";
}

}  // namespace

STATUS LNPUBLIC NSFNoteSign(NOTEHANDLE hNote) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hNote);
    char signer[MAXUSERNAME + 1];
    if (STATUS status = SECKFMGetUserName(signer)) return status;
    note.DeleteAll(SignatureItem);
    note.Append(SignatureItem, ITEM_SEAL, TYPE_SIGNATURE,
                SignatureValue(signer, notesrt::ItemChangeTime()), notesrt::ItemChangeTime());
    return NOERROR;
  });
}

// Names are written into MAXUSERNAME + 1 byte buffers; every output may be null.
STATUS LNPUBLIC NSFNoteVerifySignature(NOTEHANDLE hNote, char* SignatureItemName,
                                       TIMEDATE* retWhenSigned, char* retSigner,
                                       char* retCertifier) {
  notesrt::CopyToBuffer("", retSigner, MAXUSERNAME + 1);
  notesrt::CopyToBuffer("", retCertifier, MAXUSERNAME + 1);
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TNote& note = notesrt::NoteOf(hNote);
    TNoteItem* item =
        note.Find(std::string_view(SignatureItemName ? SignatureItemName : SignatureItem));
    if (!item || item->Type != TYPE_SIGNATURE) return ERR_NOTE_NOT_SIGNED;
    std::optional<TSignature> signature = ReadSignature(TNote::DataOf(*item));
    if (!signature) return ERR_NOTE_NOT_SIGNED;
    if (retWhenSigned) *retWhenSigned = signature->When;
    notesrt::CopyToBuffer(signature->Signer, retSigner, MAXUSERNAME + 1);
    notesrt::CopyToBuffer(CertifierOf(signature->Signer), retCertifier, MAXUSERNAME + 1);
    return NOERROR;
  });
}
