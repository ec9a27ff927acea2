#include "TCompoundText.h"

#include "ELotusNotes.h"

TCompoundText::TCompoundText(NOTEHANDLE Note, const std::string& LmbcsName) {
  CheckNotesStatus(CompoundTextCreate(Note, LmbcsName.c_str(), &FHandle));
}

TCompoundText::~TCompoundText() {
  if (FHandle != NULLHANDLE) CompoundTextDiscard(FHandle);
}

void TCompoundText::AddText(const std::string& Lmbcs) {
  CheckNotesStatus(CompoundTextAddTextExt(FHandle, STYLE_ID_SAMEASPREV, DEFAULT_FONT_ID,
                                          Lmbcs.data(), static_cast<DWORD>(Lmbcs.size()), "\r\n",
                                          COMP_PARA_LINE, nullptr));
}

void TCompoundText::Close() {
  // A failed close leaves the context open for the destructor to discard.
  CheckNotesStatus(CompoundTextClose(FHandle, nullptr, nullptr, nullptr, 0));
  FHandle = NULLHANDLE;
}
