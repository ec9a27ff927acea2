#include "TNotesFont.h"

TNotesFont::~TNotesFont() = default;
