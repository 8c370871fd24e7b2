#include "calculator/tokenizer.h"

#include <charconv>

#include "common/unicode.h"

namespace numvora {

namespace {

bool is_ascii_digit(char c) { return c >= '0' && c <= '9'; }

bool is_ascii_white_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string strip_commas(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Copy ASCII stretches in bulk; only commas and non-ASCII bytes need a look.
        std::size_t run = pos;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80 && text[run] != ',')
            ++run;
        out.append(text.data() + pos, run - pos);
        pos = run;
        if (pos == text.size()) break;
        if (text[pos] == ',') {
            ++pos;
            continue;
        }
        const std::size_t start = pos;
        const char32_t c = decode_utf8(text, pos);
        if (c == REPLACEMENT_CHARACTER && pos - start == 1)
            append_utf8(out, REPLACEMENT_CHARACTER);
        else
            out.append(text.data() + start, pos - start);
    }
    return out;
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
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        const char c = text[pos];
        switch (c) {
            case '+': tokens.push_back({TokenKind::Plus, 0.0}); ++pos; continue;
            case '-': tokens.push_back({TokenKind::Minus, 0.0}); ++pos; continue;
            case '*': tokens.push_back({TokenKind::Star, 0.0}); ++pos; continue;
            case '/': tokens.push_back({TokenKind::Slash, 0.0}); ++pos; continue;
            case '%': tokens.push_back({TokenKind::Percent, 0.0}); ++pos; continue;
            case '(': tokens.push_back({TokenKind::LParen, 0.0}); ++pos; continue;
            case ')': tokens.push_back({TokenKind::RParen, 0.0}); ++pos; continue;
            default: break;
        }
        if (is_ascii_digit(c) || c == '.') {
            const std::size_t start = pos;
            int dots = 0;
            while (pos < size && (is_ascii_digit(text[pos]) || text[pos] == '.')) {
                dots += text[pos] == '.';
                ++pos;
            }
            const std::string_view literal = text.substr(start, pos - start);
            // More than one dot, or a lone dot, is never a number.
            if (dots > 1 || (literal.size() == 1 && dots == 1))
                return fail(CalcError{calc_error::InvalidNumber{std::string(literal)}});
            const std::optional<double> value = parse_decimal(literal);
            if (!value) return fail(CalcError{calc_error::InvalidNumber{std::string(literal)}});
            tokens.push_back({TokenKind::Number, *value});
            continue;
        }
        if (is_ascii_white_space(c)) {
            ++pos;
            continue;
        }
        const char32_t scalar = decode_utf8(text, pos);
        if (!is_white_space(scalar)) return fail(CalcError{calc_error::UnsupportedChar{scalar}});
    }
    return tokens;
}

}  // namespace numvora
