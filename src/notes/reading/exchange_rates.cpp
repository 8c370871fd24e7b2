#include <charconv>

#include "common/unicode.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

namespace {

// Won as a rate writes it: "1,380원", "1,380", "920": no other money, no count nor time.
bool won_figure(const Token& token) {
    const NumberMarks& m = token.marks;
    return token.kind == TokenKind::Number && !m.foreign && !m.percent && !m.counter && !m.date && !m.name &&
           !m.joined && !m.unclear && !m.range_joined && token.value != "0" && !has_quantity(token);
}

// One unit of a currency, or ten, a hundred or a thousand, as rates are quoted: "$1",
// "100엔". "$12 = 16,560원" is an amount and what it came to, no rate.
bool quoted_units(const Token& token) {
    const std::string& v = token.value;
    return token.kind == TokenKind::Number && token.marks.foreign && !token.marks.percent &&
           !currency_code(token.currency).empty() && v.size() <= 4 && v.front() == '1' &&
           v.find_first_not_of('0', 1) == std::string::npos;
}

double number_of(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool labels_only(const std::vector<Token>& t, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].kind != TokenKind::Word && t[i].kind != TokenKind::Colon) return false;
    }
    return true;
}

}  // namespace

std::optional<ExchangeRate> read_exchange_rate(std::string_view line) {
    const std::string_view kept = trim_white_space(line);
    if (kept.find('=') == std::string_view::npos && !kept.starts_with("환율")) return std::nullopt;
    const std::vector<Token> t = tokenize_line(kept);
    if (t.size() < 2 || !won_figure(t.back())) return std::nullopt;
    const std::size_t last = t.size() - 1;
    // "$1 = 1,380원", "환율 100엔 = 920원".
    if (t.size() >= 3 && t[last - 1].kind == TokenKind::Equals && quoted_units(t[last - 2]) &&
        labels_only(t, 0, last - 2)) {
        const Token& units = t[last - 2];
        return ExchangeRate{std::string(currency_code(units.currency)),
                            note_value_text(number_of(t.back().value) / number_of(units.value))};
    }
    // "환율 1,380", "환율 = 1,380", "환율: 1,380원": dollars.
    const bool sign = t[1].kind == TokenKind::Equals || t[1].kind == TokenKind::Colon;
    if (t[0].kind == TokenKind::Word && kept.substr(t[0].begin, t[0].end - t[0].begin) == "환율" &&
        t.size() == (sign ? 3U : 2U))
        return ExchangeRate{"USD", t.back().value};
    return std::nullopt;
}

}  // namespace numvora::notes_detail
