#pragma once

// Classes whose type identity must be shared between the host program and the plug-in modules
// (exceptions caught across modules, objects passed through interfaces) are exported.
#define VESK_API __attribute__((visibility("default")))
