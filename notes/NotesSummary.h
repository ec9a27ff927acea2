#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "Variant.h"

// Called for each item of a summary buffer with its native name and its value.
using TSummaryItemProc = std::function<void(const std::string& Name, const TVariant& Value)>;

// Walks a Notes summary buffer (WORD total length, WORD item count, a name length and value
// length per item, then each name followed by its typed value) that lies in Size readable
// bytes. Only items that lie wholly inside both the table's total length and Size are handed
// on; a malformed table stops the walk. Returns the table's total length as it claims it, the
// amount a reader steps over to reach what follows the table.
size_t DecodeSummary(const void* Buffer, size_t Size, const TSummaryItemProc& ItemProc);
// The table's total length as it claims it, without walking it; 0 when Size cannot hold it.
size_t SummarySize(const void* Buffer, size_t Size);

// Extends a summary text by a line break, Name, "=" and the value's text: the elements of an
// array each followed by ";", a single value as text, nothing for null or empty. A value that
// cannot be converted contributes what was converted before the failure.
void AppendSummaryText(const std::string& Name, const TVariant& Value, std::string& Text);
