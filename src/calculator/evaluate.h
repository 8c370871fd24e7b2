// The engine's one public operation: a text in, a finite double or a CalcError out.
#pragma once

#include <string_view>

#include "calculator/calc_error.h"
#include "common/result.h"

namespace numvora {

// Stateless; commas anywhere are ignored, the text may be any bytes.
Result<double, CalcError> evaluate(std::string_view text);

}  // namespace numvora
