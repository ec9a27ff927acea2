#pragma once

#include <string>
#include <vector>

#include "NotesApi.h"

// The attachments of a mail as the host sees them. GetMail lists these names and Detach finds
// the attachment by them, so the two always agree.

// One "$FILE" item of a mail.
struct TMailAttachment {
  // The name the host sees: safe as a file name and distinct within the mail.
  std::string Name;
  // The name the item stores (native), which a file hotspot of the body refers to.
  std::string Stored;
  BLOCKID Item{};
};

// Each "$FILE" item once, in note order, under the name the first file hotspot of any "Body"
// item shows for it, else its stored name; every name made safe and distinct.
std::vector<TMailAttachment> ListMailAttachments(NOTEHANDLE Note);

// A name that can only name a file inside the folder it is joined to: the part after the last
// "/" or "\", control characters as "_", "attachment" for "", "." and "..", and at most 255
// bytes, cut at a character boundary with the extension kept.
std::string SafeAttachmentName(const std::string& Name);

// Names equal without regard to case get " (2)", " (3)" ... before their extension, in order.
void MakeNamesDistinct(std::vector<TMailAttachment>& Attachments);

// The attachment listed under Name, without regard to case, else the one whose stored name is
// Name; null when none is.
const TMailAttachment* FindMailAttachment(const std::vector<TMailAttachment>& Attachments,
                                          const std::string& Name);
