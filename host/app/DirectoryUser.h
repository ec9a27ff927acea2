#pragma once

#include <string>

// vesk-mail --user NAME: the rest of the run acts as that person of the mail server's
// directory. The stand-in has no ID files to switch, so the person's canonical name, mail
// server and mail file (from their Person document) become this process's settings, never
// written to notes.ini. Raises Exception when the directory knows nobody, or more than one
// person, by NAME. The Notes runtime must be started.
void ActAsDirectoryUser(const std::string& Name);
