#pragma once

#include "BenchEnv.h"

// A mail server Server in Env (its directory lists Jane Doe, whose mail file is MailFile on it)
// and Jane the current user, with Server and MailFile as her mail settings. The mail file itself
// is the caller's to make. Needs the object library started.
void MakeBenchMailServer(const TBenchEnv& Env, const char* Server, const char* MailFile);
