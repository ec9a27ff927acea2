#pragma once

#include <string>

// Upper case for every script (ICU's full case mapping, independent of the user's locale). The
// one case fold of the library for names compared without regard to case, such as attachment
// names, so that every unit folds them alike.
std::string NotesUpperCase(const std::string& Native);
