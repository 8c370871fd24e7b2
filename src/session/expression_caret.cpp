#include "session/expression_caret.h"

#include <algorithm>

#include "calculator/number_format.h"
#include "common/unicode.h"

namespace numvora {
namespace {

// Walks a UTF-8 text one scalar at a time, counting UTF-16 units.
struct UnitWalker {
    std::string_view text;
    std::size_t byte = 0;
    std::size_t unit = 0;  // units before the current scalar
    char32_t scalar = 0;
    std::size_t width = 0;  // units of the current scalar

    bool next() {
        unit += width;
        if (byte >= text.size()) return false;
        scalar = decode_utf8(text, byte);
        width = scalar >= 0x10000 ? 2 : 1;
        return true;
    }
};

std::size_t non_comma_units_before(std::string_view text, std::size_t position) {
    std::size_t count = 0;
    UnitWalker walk{text};
    while (walk.next() && walk.unit < position) {
        if (walk.scalar != U',') count += std::min(walk.width, position - walk.unit);
    }
    return count;
}

std::size_t position_after_non_comma_units(std::string_view text, std::size_t k) {
    if (k == 0) return 0;
    std::size_t count = 0;
    UnitWalker walk{text};
    while (walk.next()) {
        if (walk.scalar == U',') continue;
        if (count + walk.width >= k) return walk.unit + (k - count);
        count += walk.width;
    }
    return walk.unit;
}

}  // namespace

std::optional<std::string> regrouped_expression(std::string_view text, bool group_thousands) {
    std::string regrouped = format_expression_text(group_thousands, text);
    if (regrouped == text) return std::nullopt;
    return regrouped;
}

CaretRange map_caret(std::string_view old_text, std::string_view new_text, CaretRange caret) {
    return {position_after_non_comma_units(new_text, non_comma_units_before(old_text, caret.start)),
            position_after_non_comma_units(new_text, non_comma_units_before(old_text, caret.end))};
}

std::size_t backspace_start(std::string_view text, CaretRange selection) {
    if (selection.start != selection.end || selection.start == 0) return selection.start;
    UnitWalker walk{text};
    while (walk.next()) {
        if (walk.unit + walk.width >= selection.start) break;
    }
    // A pair that ends right at the caret goes whole; anything else loses one unit.
    const bool pair_before = walk.width == 2 && walk.unit + 2 == selection.start;
    return selection.start - (pair_before ? 2 : 1);
}

std::size_t utf16_length(std::string_view text) {
    UnitWalker walk{text};
    while (walk.next()) {}
    return walk.unit;
}

}  // namespace numvora
