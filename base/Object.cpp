#include "Object.h"

// Anchors the class's virtual table and type information in one place.
TObject::~TObject() = default;
