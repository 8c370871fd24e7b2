// The grouping refresh: regrouping is idempotent and keeps the outcome, and the caret
// lands within the new text right after the same character it followed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/evaluate.h"
#include "calculator/number_format.h"
#include "common/unicode.h"
#include "fuzz_check.h"
#include "session/expression_caret.h"

namespace {

// Non-comma UTF-16 units before a position, counted the slow and obvious way.
std::size_t units_before(std::string_view text, std::size_t position) {
    std::u32string scalars;
    for (std::size_t pos = 0; pos < text.size();) scalars.push_back(numvora::decode_utf8(text, pos));
    std::size_t unit = 0;
    std::size_t count = 0;
    for (const char32_t c : scalars) {
        const std::size_t width = c >= 0x10000 ? 2 : 1;
        for (std::size_t i = 0; i < width && unit < position; ++i, ++unit) count += c != U',' ? 1 : 0;
    }
    return count;
}

bool same_outcome(const numvora::Result<double, numvora::CalcError>& a,
                  const numvora::Result<double, numvora::CalcError>& b) {
    if (a.has_value() != b.has_value()) return false;
    return a ? a.value() == b.value() : a.error() == b.error();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const bool group = (data[0] & 1) != 0;
    const std::string_view old_text(reinterpret_cast<const char*>(data) + 3, size - 3);
    const std::string regrouped = numvora::format_expression_text(group, old_text);
    FUZZ_CHECK(numvora::format_expression_text(group, regrouped) == regrouped);
    FUZZ_CHECK(same_outcome(numvora::evaluate(regrouped), numvora::evaluate(old_text)));

    const std::size_t old_length = numvora::utf16_length(old_text);
    const std::size_t a = old_length == 0 ? 0 : data[1] % (old_length + 1);
    const std::size_t b = old_length == 0 ? 0 : data[2] % (old_length + 1);
    const numvora::CaretRange caret{std::min(a, b), std::max(a, b)};
    const numvora::CaretRange mapped = numvora::map_caret(old_text, regrouped, caret);
    const std::size_t new_length = numvora::utf16_length(regrouped);
    FUZZ_CHECK(mapped.start <= mapped.end && mapped.end <= new_length);
    for (const auto& [before, after] : {std::pair{caret.start, mapped.start}, std::pair{caret.end, mapped.end}}) {
        FUZZ_CHECK(units_before(regrouped, after) == units_before(old_text, before));
        // Right after that character: no further non-comma unit is skipped.
        FUZZ_CHECK(after == 0 || units_before(regrouped, after - 1) < units_before(regrouped, after));
    }
    return 0;
}
