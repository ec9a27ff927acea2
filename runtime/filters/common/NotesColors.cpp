#include "NotesColors.h"

namespace notesfilter {

BYTE NearestNotesColor(uint8_t Red, uint8_t Green, uint8_t Blue) {
  BYTE nearest = 0;
  long best = -1;
  for (BYTE index = 0; index < 16; ++index) {
    const uint32_t color = NotesPalette[index];
    const long red = Red - static_cast<long>(color & 0xFF);
    const long green = Green - static_cast<long>((color >> 8) & 0xFF);
    const long blue = Blue - static_cast<long>(color >> 16);
    const long distance = red * red + green * green + blue * blue;
    if (best < 0 || distance < best) {
      best = distance;
      nearest = index;
    }
  }
  return nearest;
}

}  // namespace notesfilter
