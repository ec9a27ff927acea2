#include "TNotesAttachment.h"

TNotesAttachment::~TNotesAttachment() = default;
