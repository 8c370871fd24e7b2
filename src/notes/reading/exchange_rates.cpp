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

// One unit of a currency, or ten, a hundred … up to a million, as rates are quoted: "$1",
// "100엔", "1만동", "1,000,000동". "$12 = 16,560원" is an amount and what it came to, no rate.
bool quoted_units(const Token& token) {
    const std::string& v = token.value;
    return token.kind == TokenKind::Number && token.marks.foreign && !token.marks.percent &&
           !currency_code(token.currency).empty() && v.size() <= 7 && v.front() == '1' &&
           v.find_first_not_of('0', 1) == std::string::npos;
}

bool labels_only(const std::vector<Token>& t, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].kind != TokenKind::Word && t[i].kind != TokenKind::Colon) return false;
    }
    return true;
}

// "$1 = 1,040원 (싱달러)", "100엔 = 903.4원 (우대 90%)": a remark in parentheses after the
// rate names it, no figure of its own but a rate of the exchange.
void drop_remark(std::vector<Token>& t) {
    if (t.empty() || t.back().kind != TokenKind::Close) return;
    std::size_t open = t.size() - 1;
    while (open > 0 && (t[open - 1].kind == TokenKind::Word ||
                        (t[open - 1].kind == TokenKind::Number && t[open - 1].marks.percent)))
        --open;
    if (open == 0 || open == t.size() - 1 || t[open - 1].kind != TokenKind::Open) return;
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(open - 1), t.end());
}

constexpr std::string_view RATE_WORD = "환율";

// The currency named before 환율: "달러", "엔화", "원달러", "원/달러", "유로화"; USD when
// none is named. Empty for anything else.
std::string_view named_currency(std::string_view words) {
    if (words.empty()) return "USD";
    constexpr std::string_view WON = "원", MONEY = "화";
    if (words.starts_with(WON) && words.size() > WON.size()) {
        words.remove_prefix(WON.size());
        if (words.starts_with('/')) words.remove_prefix(1);
    }
    if (words.ends_with(MONEY)) words.remove_suffix(MONEY.size());
    return currency_code(words);
}

// "달러 환율 1,470원", "엔 환율 910원 (100엔)", "엔화 환율 9.1원": the rate after the word,
// of one unit unless the units follow in parentheses. Yen are quoted per 100엔, as banks
// do: a yen rate of 100원 or more without its units is of 100엔.
std::optional<ExchangeRate> named_rate(std::string_view kept) {
    const std::size_t word = kept.find(RATE_WORD);
    const std::string_view code =
        word == std::string_view::npos ? std::string_view() : named_currency(trim_white_space(kept.substr(0, word)));
    if (code.empty()) return std::nullopt;
    std::vector<Token> t = tokenize_line(kept.substr(word + RATE_WORD.size()));
    if (!t.empty() && (t[0].kind == TokenKind::Equals || t[0].kind == TokenKind::Colon)) t.erase(t.begin());
    drop_remark(t);
    if (t.empty() || !won_figure(t[0])) return std::nullopt;
    double units = code == "JPY" && note_value(t[0].value) >= 100 ? 100 : 1;
    if (t.size() == 4 && t[1].kind == TokenKind::Open && quoted_units(t[2]) && currency_code(t[2].currency) == code &&
        t[3].kind == TokenKind::Close)
        units = note_value(t[2].value);
    else if (t.size() != 1)
        return std::nullopt;
    return ExchangeRate{std::string(code), note_value_text(note_value(t[0].value) / units)};
}

}  // namespace

std::optional<ExchangeRate> read_exchange_rate(std::string_view line) {
    const std::string_view kept = trim_white_space(line);
    if (kept.find('=') == std::string_view::npos && kept.find(RATE_WORD) == std::string_view::npos) return std::nullopt;
    if (std::optional<ExchangeRate> named = named_rate(kept)) return named;
    std::vector<Token> t = tokenize_line(kept);
    drop_remark(t);
    if (t.size() < 2 || !won_figure(t.back())) return std::nullopt;
    const std::size_t last = t.size() - 1;
    // "$1 = 1,380원", "환율 100엔 = 920원".
    if (t.size() >= 3 && t[last - 1].kind == TokenKind::Equals && quoted_units(t[last - 2]) &&
        labels_only(t, 0, last - 2)) {
        const Token& units = t[last - 2];
        return ExchangeRate{std::string(currency_code(units.currency)),
                            note_value_text(note_value(t.back().value) / note_value(units.value))};
    }
    return std::nullopt;
}

}  // namespace numvora::notes_detail
