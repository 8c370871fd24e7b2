#include "calculator/memo_expression.h"

#include <string_view>

#include "calculator/selection.h"
#include "common/unicode.h"

namespace numvora {

namespace {

bool is_line_break(char32_t c) { return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029; }

bool is_ascii_alnum(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What the expression box accepts, plus the display signs a memo may hold.
bool is_expression_char(char32_t c) {
    if (c < 0x80)
        return is_white_space(c) || is_ascii_digit(static_cast<char>(c)) ||
               std::string_view("+-*/%().,").find(static_cast<char>(c)) != std::string_view::npos;
    return is_white_space(c) || c == U'\u00D7' || c == U'\u00F7' || c == U'\u2212';
}

// Where the trailing run of expression characters begins, past what cannot open an
// expression (the ")" of a label, a sentence's point); the whole text when that run
// has no digit or hangs on a word with ASCII letters or digits.
std::size_t expression_start(std::string_view body) {
    std::size_t run = 0;
    bool word_named = false;   // the current word has an ASCII letter or digit
    bool label_named = false;  // so has the word that ends the label
    for (std::size_t pos = 0; pos < body.size();) {
        const char32_t c = decode_utf8(body, pos);
        if (is_white_space(c)) {
            word_named = false;
            continue;
        }
        word_named = word_named || is_ascii_alnum(c);
        if (!is_expression_char(c)) {
            run = pos;
            label_named = word_named;
        }
    }
    for (std::size_t next = run; run < body.size(); run = next) {
        const char32_t c = decode_utf8(body, next);
        const bool point_alone = c == '.' && !(next < body.size() && is_ascii_digit(body[next]));
        if (!is_white_space(c) && c != ')' && c != ',' && !point_alone) break;
    }
    const bool has_digit = body.find_first_of("0123456789", run) != std::string_view::npos;
    return label_named || !has_digit ? 0 : run;
}

}  // namespace

Result<MemoExpression, CalcError> find_memo_expression(std::string_view text) {
    const std::string_view all = trim_white_space(text);
    if (all.empty()) return fail(CalcError{calc_error::Empty{}});
    MemoExpression found;
    std::size_t stop = static_cast<std::size_t>(all.data() - text.data()) + all.size();
    if (all.back() == '=') {
        found.ends_with_equals = true;
        // The result goes on the same line, after the spaces already typed for it.
        std::size_t pos = stop;
        for (std::size_t next = pos; pos < text.size(); pos = next) {
            const char32_t c = decode_utf8(text, next);
            if (!is_white_space(c) || is_line_break(c)) break;
        }
        found.insert_at = pos;
        found.space_after_equals = pos > stop;
        --stop;
    }
    const std::string_view body = trim_white_space(text.substr(0, stop));
    if (body.empty()) return fail(CalcError{calc_error::Empty{}});
    const std::string_view chosen = body.substr(expression_start(body));
    found.begin = static_cast<std::size_t>(chosen.data() - text.data());
    found.end = found.begin + chosen.size();
    if (!found.ends_with_equals) found.insert_at = found.end;
    found.expression = normalize_selection(chosen);
    return found;
}

std::string result_insertion(const MemoExpression& found, std::string_view result) {
    std::string text = !found.ends_with_equals ? " = " : found.space_after_equals ? "" : " ";
    text += result;
    return text;
}

}  // namespace numvora
