#pragma once

#include <span>
#include <string_view>

#include "search/formula/FunctionSpec.h"

namespace notesrt {

// The @functions, looked up by upper-case name (without the "@"); null when not supported.
const TFunctionSpec* FindFunction(std::u16string_view Name);
// Whether Name is a documented @function this runtime leaves out, as opposed to a name the
// formula language does not know.
bool IsUnsupportedFunction(std::u16string_view Name);

// The groups the table is made of, one source file each.
std::span<const TFunctionSpec> LogicFunctions();
std::span<const TFunctionSpec> LoopFunctions();
std::span<const TFunctionSpec> TypeFunctions();
std::span<const TFunctionSpec> DocumentFunctions();
std::span<const TFunctionSpec> TimeFunctions();
std::span<const TFunctionSpec> TimePartFunctions();
std::span<const TFunctionSpec> NameFunctions();
std::span<const TFunctionSpec> TextFunctions();
std::span<const TFunctionSpec> SubstringFunctions();
std::span<const TFunctionSpec> TextListFunctions();
std::span<const TFunctionSpec> ListFunctions();
std::span<const TFunctionSpec> NumberFunctions();
std::span<const TFunctionSpec> ConversionFunctions();

}  // namespace notesrt
