#pragma once

// The text forms this module carries (built from the .dfm files of the folder).
extern const char* const TvpiLNMailForm;
