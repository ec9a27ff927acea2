#pragma once

#include <string>

// The value of a Notes setting (notes.ini) in LMBCS, however long; "" when it is not set.
std::string NotesEnvironmentString(const char* Name);
