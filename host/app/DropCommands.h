#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// vesk-mail's drag-and-drop commands: the drops a Linux desktop delivers, taken as the host takes
// them. They neither load the plug-in nor read Notes settings; their failures raise, for the
// application's exception handler.

// What was dropped: files (Paths, and a text/uri-list read from UriListFile), one URL, or text
// read from TextFile; "-" reads standard input.
struct TDropInput {
  std::vector<std::string> Paths;
  std::string UriListFile, Url, TextFile;
};

// The MIME payloads of the drop go through the freedesktop bridge into a drop target; prints
// the attachment reference lines made of it, one a line.
void PrintDropReferences(const TDropInput& Drop, std::istream& In, std::ostream& Out);
// How a stored reference splits into path, file name and title.
void PrintReferenceSplit(const std::string& Location, const std::string& Descr, std::ostream& Out);
// The internet shortcut a file manager makes of a dragged URL, written into Dir ("" for the
// current directory) under the name the drag offers, holding the drag's file contents up to their
// NUL; an existing file is never overwritten. Prints the path written.
void WriteUrlShortcut(const std::string& Url, const std::string& Name, const std::string& Dir,
                      std::ostream& Out);
