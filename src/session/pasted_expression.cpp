#include "session/pasted_expression.h"

#include <algorithm>
#include <vector>

#include "calculator/evaluate.h"
#include "common/unicode.h"
#include "notes/figures/money_expression.h"
#include "notes/reading/line_reading.h"

namespace numvora {
namespace {

constexpr char32_t LINE_BREAK = U'\n';
constexpr char32_t NUMBER_SPACE = 0x2009;  // stands for every space a number may hold
constexpr char32_t DROPPED = 0;

// One pasted scalar as the box should take it; with marks kept, the money signs and 원
// stay for the notes reading to see.
char32_t normalized(char32_t c, bool keep_marks = false) {
    if (keep_marks && (c == U'$' || c == 0x20A9 || c == 0xFF04 || c == 0xFFE6 || c == 0xC6D0)) return c;
    if (c >= 0xFF10 && c <= 0xFF19) return U'0' + (c - 0xFF10);  // full-width digits
    switch (c) {
    case U'\r':
    case U'\n':
    case 0x2028:
    case 0x2029: return LINE_BREAK;
    case 0x00A0:                       // no-break space
    case 0x2007:                       // figure space
    case 0x2009:                       // thin space
    case 0x202F: return NUMBER_SPACE;  // narrow no-break space
    case 0x3000: return U' ';          // ideographic space
    case U'$':
    case 0x20A9:                  // ₩
    case 0xFF04:                  // ＄
    case 0xFFE6:                  // ￦
    case 0xC6D0: return DROPPED;  // 원
    case 0x00D7: return U'*';
    case 0x00F7: return U'/';
    case 0x2212: return U'-';
    case 0xFF0B: return U'+';
    case 0xFF0D: return U'-';
    case 0xFF0A: return U'*';
    case 0xFF0F: return U'/';
    case 0xFF05: return U'%';
    case 0xFF08: return U'(';
    case 0xFF09: return U')';
    case 0xFF0E: return U'.';
    case 0xFF0C: return U',';
    default: return c;
    }
}

bool is_digit(char32_t c) { return c >= U'0' && c <= U'9'; }

bool is_expression_char(char32_t c) {
    return is_digit(c) || c == U' ' || c == U'\t' ||
           std::u32string_view(U".,+-*/%()").find(c) != std::u32string_view::npos;
}

// A line without its number spaces: removed between two digits, a plain space elsewhere.
std::u32string settle_spaces(std::u32string_view line) {
    std::u32string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != NUMBER_SPACE) {
            out.push_back(line[i]);
            continue;
        }
        std::size_t next = i;
        while (next < line.size() && line[next] == NUMBER_SPACE) ++next;
        const bool inside_number = !out.empty() && is_digit(out.back()) && next < line.size() && is_digit(line[next]);
        if (!inside_number) out.push_back(U' ');
        i = next - 1;
    }
    const auto blank = [](char32_t c) { return c == U' ' || c == U'\t'; };
    const auto first = std::find_if_not(out.begin(), out.end(), blank);
    const auto last = std::find_if_not(out.rbegin(), out.rend(), blank).base();
    return first < last ? std::u32string(first, last) : std::u32string();
}

}  // namespace

// A line that is more than figures and operators, as the memo reads it: "12만 3천원"
// is 123000, "점심 12,000원 + 커피 4,500원" is 12000+4500.
std::optional<std::string> read_as_notes(const std::u32string& marked) {
    // Bytes that were no text are not read as a label.
    if (marked.find(REPLACEMENT_CHARACTER) != std::u32string::npos) return std::nullopt;
    std::string text;
    for (const char32_t c : marked) append_utf8(text, c == NUMBER_SPACE ? U' ' : c);
    // An expression of money alone is read whole, as the box reads it: as a line of
    // notes "삼만 오천 + 5,000" would lose its words, which the memo takes for a label.
    if (Result<std::string, char32_t> money = read_money_expression(text); money && evaluate(*money))
        return std::move(money).value();
    const LineReading reading = read_line(text);
    if (reading.kind == LineKind::Amount || (reading.kind == LineKind::Expression && reading.has_result()))
        return reading.expression;
    return std::nullopt;
}

std::optional<std::string> expression_from_paste(std::string_view pasted) {
    std::vector<std::u32string> lines(1);
    std::vector<std::u32string> marked(1);  // the same lines with their money marks
    for (std::size_t pos = 0; pos < pasted.size();) {
        const char32_t scalar = decode_utf8(pasted, pos);
        const char32_t c = normalized(scalar);
        if (c == LINE_BREAK) {
            lines.emplace_back();
            marked.emplace_back();
            continue;
        }
        if (c != DROPPED) lines.back().push_back(c);
        marked.back().push_back(normalized(scalar, true));
    }
    std::string out;
    bool has_digit = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::u32string line = settle_spaces(lines[i]);
        if (line.empty()) continue;
        if (!out.empty()) out.push_back('+');
        if (!std::all_of(line.begin(), line.end(), is_expression_char)) {
            const std::optional<std::string> read = read_as_notes(settle_spaces(marked[i]));
            if (!read) return std::nullopt;
            out += *read;
            has_digit = true;
            continue;
        }
        for (const char32_t c : line) {
            has_digit = has_digit || is_digit(c);
            out.push_back(static_cast<char>(c));
        }
    }
    if (!has_digit) return std::nullopt;
    return out;
}

}  // namespace numvora
