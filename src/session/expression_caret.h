// The expression box's caret across edits that rewrite its text. Positions count
// UTF-16 units, as the edit control does; the texts are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace numvora {

struct CaretRange {
    std::size_t start = 0;
    std::size_t end = 0;

    bool operator==(const CaretRange&) const = default;
};

// The text in the toggle's form; nothing when it already is in that form, so that
// the box is not written and its caret, selection and undo stay alone.
std::optional<std::string> regrouped_expression(std::string_view text, bool group_thousands);

// The caret of old_text moved into new_text, which differs from it only in commas:
// each end stays right after the same non-comma unit it followed.
CaretRange map_caret(std::string_view old_text, std::string_view new_text, CaretRange caret);

// Where '⌫' starts deleting: the selection's start; without a selection one unit
// back, or two when they are a surrogate pair.
std::size_t backspace_start(std::string_view text, CaretRange selection);

// The text's length in UTF-16 units.
std::size_t utf16_length(std::string_view text);

}  // namespace numvora
