// Finding and replacing in the memo's text (as the control holds it): the case
// rule, and "replace all" as one replacement of the stretch between the first and the
// last match, so that the control takes one edit (one undo step).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace numvora {

// The lower-case form of one UTF-16 unit for searches that ignore case: ASCII,
// Latin-1, Greek and Cyrillic capitals; every other unit stands for itself.
wchar_t fold_case(wchar_t unit);

bool same_text(std::wstring_view a, std::wstring_view b, bool match_case);

struct Replacement {
    std::size_t count = 0;
    std::size_t first = 0;  // the stretch [first, last) of the text that changes
    std::size_t last = 0;
    std::wstring stretch;  // what takes its place
};

// Every non-overlapping match, left to right; count 0 when there is none (or find is empty).
Replacement replace_all(std::wstring_view text, std::wstring_view find, std::wstring_view replacement, bool match_case);

}  // namespace numvora
