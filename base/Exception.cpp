#include "Exception.h"

// Anchors the class's virtual table and type information in one place.
Exception::~Exception() = default;
