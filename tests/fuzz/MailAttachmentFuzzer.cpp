// Names a mail brings ("$FILE" names and hotspot shown names), cut from the input at NUL bytes:
// each listed name is safe (no separator, no control character, not "", "." or "..", at most
// 255 bytes), the names are distinct without regard to case, and each finds its own attachment.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "MailAttachments.h"
#include "NotesUpperCase.h"

namespace {

void Fail(const char* What, const std::string& Name) {
  std::fprintf(stderr, "%s: %zu bytes\n", What, Name.size());
  std::abort();
}

bool Safe(const std::string& Name) {
  if (Name.empty() || Name == "." || Name == ".." || Name.size() > 255) return false;
  for (unsigned char C : Name)
    if (C < 0x20 || C == 0x7F || C == '/' || C == '\\') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  std::vector<TMailAttachment> attachments;
  const std::string input(reinterpret_cast<const char*>(Data), Size);
  WORD block = 1;
  for (size_t start = 0; start <= input.size() && attachments.size() < 64;) {
    const size_t end = std::min(input.find('\0', start), input.size());
    const std::string stored = input.substr(start, end - start);
    attachments.push_back({SafeAttachmentName(stored), stored, {1, block++}});
    start = end + 1;
  }
  MakeNamesDistinct(attachments);
  std::set<std::string> folded;
  for (const TMailAttachment& attachment : attachments) {
    if (!Safe(attachment.Name)) Fail("unsafe name", attachment.Name);
    if (!folded.insert(NotesUpperCase(attachment.Name)).second)
      Fail("name listed twice", attachment.Name);
    const TMailAttachment* found = FindMailAttachment(attachments, attachment.Name);
    if (found != &attachment) Fail("name finds another attachment", attachment.Name);
  }
  return 0;
}
