// Compound text: plain text composed into a rich-text field of a note.
#include <memory>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "note/CdRecords.h"
#include "note/CompoundText.h"
#include "note/ItemAppend.h"
#include "note/ItemArgs.h"
#include "notesapi/easycd.h"
#include "notesapi/miscerr.h"

using notesrt::TCompoundText;

namespace {

TCompoundText& ContextOf(DHANDLE Handle) {
  return notesrt::THandleTable::Instance().Get<TCompoundText>(Handle);
}

}  // namespace

STATUS LNPUBLIC CompoundTextCreate(NOTEHANDLE hNote, const char* pszItemName, DHANDLE* phCompound) {
  notesrt::SetIfGiven(phCompound, DHANDLE{NULLHANDLE});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    // Only contexts that write into a note: a null note would ask for the records back.
    if (!phCompound || hNote == NULLHANDLE) return ERR_MISC_INVALID_ARGS;
    notesrt::NoteOf(hNote);
    std::string_view name = notesrt::NameArg(pszItemName);
    if (name.empty()) return ERR_MISC_INVALID_ARGS;
    *phCompound = notesrt::THandleTable::Instance().Add(
        std::make_unique<TCompoundText>(hNote, std::string(name)));
    return NOERROR;
  });
}

// Styles cannot be defined here, so every style ID is the default style.
STATUS LNPUBLIC CompoundTextAddTextExt(DHANDLE hCompound, DWORD, FONTID FontID, const char* pchText,
                                       DWORD dwTextLen, const char* pszLineDelim, DWORD dwFlags,
                                       NLS_PINFO pInfo) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TCompoundText& context = ContextOf(hCompound);
    // Text from files and in character sets other than LMBCS is not supported.
    if ((dwFlags & ~TCompoundText::KnownFlags) != 0 || pInfo != nullptr)
      return ERR_MISC_INVALID_ARGS;
    if (!pchText && dwTextLen > 0) return ERR_MISC_INVALID_ARGS;
    context.AddText(std::string_view(pchText ? pchText : "", dwTextLen), FontID,
                    pszLineDelim ? pszLineDelim : "\r\n", dwFlags);
    return NOERROR;
  });
}

STATUS LNPUBLIC CompoundTextAddText(DHANDLE hCompound, DWORD dwStyleID, FONTID FontID,
                                    const char* pchText, DWORD dwTextLen, const char* pszLineDelim,
                                    DWORD dwFlags, void* pInfo) {
  return CompoundTextAddTextExt(hCompound, dwStyleID, FontID, pchText, dwTextLen, pszLineDelim,
                                dwFlags, static_cast<NLS_PINFO>(pInfo));
}

STATUS LNPUBLIC CompoundTextClose(DHANDLE hCompound, DHANDLE* phReturnBuffer,
                                  DWORD* pdwReturnBufferSize, char* pchReturnFile,
                                  WORD wReturnFileNameSize) {
  notesrt::SetIfGiven(phReturnBuffer, DHANDLE{NULLHANDLE});
  notesrt::SetIfGiven(pdwReturnBufferSize, DWORD{0});
  if (pchReturnFile && wReturnFileNameSize > 0) *pchReturnFile = '\0';
  return notesrt::ApiStatusCall([&]() -> STATUS {
    TCompoundText& context = ContextOf(hCompound);
    notesrt::TNote& note = notesrt::NoteOf(context.Note());
    notesrt::AppendRichTextItems(note, context.ItemName(),
                                 notesrt::CdPieces(context.Records(), notesrt::MaxRichTextItem));
    notesrt::THandleTable::Instance().Remove(hCompound, TCompoundText::KindId);
    return NOERROR;
  });
}

void LNPUBLIC CompoundTextDiscard(DHANDLE hCompound) {
  notesrt::ApiVoidCall(
      [&] { notesrt::THandleTable::Instance().Remove(hCompound, TCompoundText::KindId); });
}
