#pragma once

#include <string>
#include <string_view>

// The text of a mail body's RTF as vesk-mail shows it: paragraphs as lines, table cells
// separated by tabs, a link as its text and "<url>", a picture as "[picture]".
std::string MailBodyText(std::string_view Rtf);
