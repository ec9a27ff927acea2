#pragma once

#include <cstddef>

#include "Variant.h"

// Converts a typed Notes value (the data-type word, then the value; Length counts both) into a
// variant: text, text lists, numbers, number ranges, times and time ranges. Other types give an
// empty variant. A value shorter than its header claims yields only the entries it really holds.
void ValueToVariant(const void* Value, size_t Length, TVariant& Result);
