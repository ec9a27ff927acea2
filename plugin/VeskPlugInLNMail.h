#pragma once

#include "Export.h"

// The plug-in unit VeskPlugInLNMail: the module's entry points for the host, and the unit's
// start-up and shutdown sections, which ModuleInit runs.

extern "C" {
// Creates the single plug-in object and announces it to the host framework as the service
// "MailInterface" (see the .cpp for the order of the calls).
VESK_API void Register();
// Frees the plug-in object; no call to the framework.
VESK_API void UnRegister();
}

void VeskPlugInLNMailInitialize();
void VeskPlugInLNMailFinalize();
