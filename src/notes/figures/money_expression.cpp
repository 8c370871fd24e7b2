#include "notes/figures/money_expression.h"

#include <algorithm>

#include "calculator/selection.h"
#include "common/hangul.h"
#include "common/unicode.h"
#include "notes/figures/korean_words.h"
#include "notes/figures/written_number.h"

namespace numvora {
namespace {

constexpr std::string_view WON = "원";

char32_t scalar_at(std::string_view s, std::size_t i) { return i < s.size() ? decode_utf8(s, i) : 0; }

std::size_t past_spaces(std::string_view s, std::size_t i) {
    while (i < s.size() && s[i] == ' ') ++i;
    return i;
}

bool is_engine_sign(char32_t c) {
    return std::u32string_view(U"+-*/%().").find(c) != std::u32string_view::npos || is_white_space(c);
}

}  // namespace

Result<std::string, char32_t> read_money_expression(std::string_view text) {
    const std::string normalized = normalize_selection(text);
    const std::string_view s(normalized);  // its substr copies nothing: a long selection stays linear
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t next = i;
        const char32_t c = decode_utf8(s, next);
        const bool won_sign = std::any_of(std::begin(WON_SIGNS), std::end(WON_SIGNS),
                                          [&](std::string_view sign) { return s.substr(i).starts_with(sign); });
        const std::size_t from = won_sign ? past_spaces(s, next) : i;
        const char32_t first = scalar_at(s, from);
        const notes_detail::WrittenNumber n =
            (first >= U'0' && first <= U'9') || first == U'.' || is_hangul_syllable(first)
                ? notes_detail::read_written_number(s, from, true)
                : notes_detail::WrittenNumber{{}, from};
        if (n.end > from) {
            std::size_t end = n.end;
            if (s.substr(past_spaces(s, end)).starts_with(WON)) end = past_spaces(s, end) + WON.size();
            if (n.words_only && end == n.end && is_hangul_syllable(scalar_at(s, end))) return fail(first);
            // "일", "오": a digit word alone is a word; "오천", "만원" are figures.
            if (n.words_only && !n.unit) return fail(first);
            // Two figures side by side stay two, for the engine to refuse.
            if (!out.empty() && (is_ascii_digit(out.back()) || out.back() == '.')) out += ' ';
            // Digits alone go as they were written, for the engine's own reading.
            if (n.unit || n.words_only)
                out += notes_detail::to_text(n.value, false);
            else
                out.append(s, from, n.end - from);
            i = end;
            continue;
        }
        if (won_sign || !is_engine_sign(c)) return fail(c);
        out.append(s, i, next - i);
        i = next;
    }
    return out;
}

}  // namespace numvora
