#include "ELnSentCopyFailed.h"

ELnSentCopyFailed::ELnSentCopyFailed(int32_t Status, const std::string& Reason)
    : ELotusNotes(Status, "The mail was sent; only keeping its copy in the mail database failed: " +
                              Reason) {}

ELnSentCopyFailed::~ELnSentCopyFailed() = default;
