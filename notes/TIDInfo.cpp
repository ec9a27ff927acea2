#include "TIDInfo.h"

#include <memory>

#include "NotesSummary.h"

TIDInfo::TIDInfo(int32_t NoteID, std::string SummaryText)
    : NoteID(NoteID), FSummaryText(std::move(SummaryText)) {}

std::shared_ptr<TIDInfo> TIDInfo::WithSummaryBuffer(int32_t NoteID, std::string Buffer) {
  auto entry = std::make_shared<TIDInfo>(NoteID, std::string());
  entry->FBuffer = std::move(Buffer);
  entry->FDecoded = false;
  return entry;
}

TIDInfo::~TIDInfo() = default;

const std::string& TIDInfo::SummaryText() const {
  if (!FDecoded) {
    DecodeSummary(FBuffer.data(), FBuffer.size(),
                  [&](const std::string& Name, const TVariant& Value) {
                    AppendSummaryText(Name, Value, FSummaryText);
                  });
    std::string().swap(FBuffer);
    FDecoded = true;
  }
  return FSummaryText;
}
