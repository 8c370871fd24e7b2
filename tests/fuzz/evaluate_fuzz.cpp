// Any bytes evaluate to a finite value or an error, and a value's display text
// evaluates back to a value with the same display text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto value = numvora::evaluate(text);
    if (!value) return 0;
    FUZZ_CHECK(std::isfinite(*value));
    const std::string shown = numvora::format_number(*value);
    const auto again = numvora::evaluate(shown);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(numvora::format_number(*again) == shown);
    return 0;
}
