#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// vesk-mail's desktop commands. They neither load the plug-in nor read Notes settings; their
// failures raise, for the application's exception handler.

// ExecuteFile: prints the result code and its meaning; raises EVeskError for a code of 32 or
// less.
void OpenDocument(const std::string& FileName, const std::string& Params, std::ostream& Out);
// GetUNCName of each path (a relative path taken from the current directory), one a line.
void PrintUNCNames(const std::vector<std::string>& Paths, bool LocalAsUNC, std::ostream& Out);
// GetNetworkDriveMappings, one mapping a line.
void PrintDriveMappings(std::ostream& Out);
// The summary properties of each compound document; "not a compound document" for any other
// file. Raw: one line a file, tab-separated: name, 1 or 0, then the six values.
void PrintDocumentSummaries(const std::vector<std::string>& Files, bool Raw, std::ostream& Out);
