#include "calculator/tokenizer.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "common/unicode.h"

namespace numvora {

namespace {

bool is_literal_char(char c) { return is_ascii_digit(c) || c == '.'; }

// What one byte starts. The first seven are the operator kinds, in TokenKind's order
// after Number, so a table look-up replaces a switch on every character.
enum class CharClass : unsigned char { Plus = 1, Minus, Star, Slash, Percent, LParen, RParen, Literal, Space, Other };
static_assert(static_cast<int>(TokenKind::RParen) == static_cast<int>(CharClass::RParen));

constexpr auto CHAR_CLASSES = [] {
    std::array<CharClass, 256> table{};
    table.fill(CharClass::Other);
    table['+'] = CharClass::Plus;
    table['-'] = CharClass::Minus;
    table['*'] = CharClass::Star;
    table['/'] = CharClass::Slash;
    table['%'] = CharClass::Percent;
    table['('] = CharClass::LParen;
    table[')'] = CharClass::RParen;
    table['.'] = CharClass::Literal;
    for (char c = '0'; c <= '9'; ++c) table[static_cast<unsigned char>(c)] = CharClass::Literal;
    for (char c = '\t'; c <= '\r'; ++c) table[static_cast<unsigned char>(c)] = CharClass::Space;
    table[' '] = CharClass::Space;
    return table;
}();

// A whole run of digits and dots: more than one dot, or no digit, is never a number.
std::optional<double> literal_value(std::string_view literal) {
    if (std::count(literal.begin(), literal.end(), '.') > 1 || literal == ".") return std::nullopt;
    return parse_decimal(literal);
}

}  // namespace

std::string strip_commas(std::string_view text) {
    return copy_without_commas(text, [](std::string&, char32_t) { return false; });
}

std::optional<double> parse_decimal(std::string_view literal) {
    double value = 0.0;
    const char* first = literal.data();
    const char* last = first + literal.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // The conversion reports underflow and overflow alike. Only a literal with a
        // non-zero digit before the "." can overflow; anything else rounded to zero.
        for (const char* p = first; p != last && *p != '.'; ++p)
            if (*p != '0') return std::nullopt;
        return 0.0;
    }
    if (ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

Result<std::vector<Token>, CalcError> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    // Most texts need no more; one allocation instead of a dozen regrowths matters for
    // long pasted selections.
    tokens.reserve(text.size() / 2 + 1);
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p != end) {
        const CharClass kind = CHAR_CLASSES[static_cast<unsigned char>(*p)];
        if (kind <= CharClass::RParen) {
            tokens.push_back({static_cast<TokenKind>(kind), 0.0});
            ++p;
        } else if (kind == CharClass::Literal) {
            // The conversion finds where the number ends; only a failure needs the run.
            double value = 0.0;
            const auto [stop, ec] = std::from_chars(p, end, value, std::chars_format::fixed);
            if (ec == std::errc{} && (stop == end || !is_literal_char(*stop))) {
                tokens.push_back({TokenKind::Number, value});
                p = stop;
                continue;
            }
            const char* run_end = p;
            while (run_end != end && is_literal_char(*run_end)) ++run_end;
            const std::string_view literal(p, static_cast<std::size_t>(run_end - p));
            const std::optional<double> checked = literal_value(literal);
            if (!checked) return fail(CalcError{calc_error::InvalidNumber{std::string(literal)}});
            tokens.push_back({TokenKind::Number, *checked});
            p = run_end;
        } else if (kind == CharClass::Space) {
            ++p;
        } else {
            std::size_t pos = static_cast<std::size_t>(p - begin);
            const char32_t scalar = decode_utf8(text, pos);
            if (!is_white_space(scalar)) return fail(CalcError{calc_error::UnsupportedChar{scalar}});
            p = begin + pos;
        }
    }
    return tokens;
}

}  // namespace numvora
