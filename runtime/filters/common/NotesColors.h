#pragma once

#include <cstdint>

#include "notesapi/global.h"

namespace notesfilter {

// The sixteen Notes colours (NOTES_COLOR_xxx, colorid.h) as 0xBBGGRR.
inline constexpr uint32_t NotesPalette[16] = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF, 0x00FFFF, 0xFFFF00,
    0x000080, 0x008000, 0x800000, 0x800080, 0x008080, 0x808000, 0x808080, 0xC0C0C0};

// The Notes colour nearest to a colour (by squared distance; the lower index on a tie).
BYTE NearestNotesColor(uint8_t Red, uint8_t Green, uint8_t Blue);

}  // namespace notesfilter
