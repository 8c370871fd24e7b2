#include <algorithm>
#include <cmath>
#include <utility>

#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

namespace {

constexpr std::string_view VAT = "부가세";

std::string_view text_of(std::string_view body, const Token& token) {
    return body.substr(token.begin, token.end - token.begin);
}

bool is_word(std::string_view body, const Token& token, std::string_view word) {
    return token.kind == TokenKind::Word && text_of(body, token) == word;
}

// 부가세, VAT, vat, V.A.T.
bool is_vat(std::string_view body, const Token& token) {
    if (token.kind != TokenKind::Word) return false;
    const std::string_view text = text_of(body, token);
    if (text == VAT) return true;
    constexpr std::string_view LETTERS = "vat";
    std::size_t matched = 0;
    for (const char c : text) {
        if (c == '.') continue;
        if (matched == LETTERS.size() || static_cast<char>(c | 0x20) != LETTERS[matched]) return false;
        ++matched;
    }
    return matched == LETTERS.size();
}

// "V.A.T" is read as letters and points: one word again.
void join_dotted_vat(std::string_view body, std::vector<Token>& t) {
    for (std::size_t k = 0; k + 4 < t.size(); ++k) {
        if (t[k].kind != TokenKind::Word || t[k].end != t[k].begin + 1 || (body[t[k].begin] | 0x20) != 'v') continue;
        bool glued = true;
        for (std::size_t j = k; j < k + 4; ++j) glued = glued && t[j + 1].begin == t[j].end;
        Token joined = t[k];
        joined.end = t[k + 4].end;
        joined.spaced_after = t[k + 4].spaced_after;
        if (!glued || !is_vat(body, joined)) continue;
        t[k] = std::move(joined);
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(k + 1), t.begin() + static_cast<std::ptrdiff_t>(k + 5));
    }
}

// Nothing after it but an "=" asking for the value.
bool ends_line(const std::vector<Token>& t, std::size_t i) {
    return i + 1 == t.size() || (i + 2 == t.size() && t[i + 1].kind == TokenKind::Equals);
}

// The word as a figure of 10%.
void make_rate(Token& word) {
    word.kind = TokenKind::Number;
    word.value = "10";
    word.marks = {};
    word.marks.percent = true;
    word.marks.vat = true;
}

// "공급가액 1,000,000 / 부가세 100,000", "금액 48,000원 / 부가세 4,364원": the tax written under
// the amount it is the tax of (a tenth of a price without it, an eleventh of one with it,
// rounded either way), the line above or the charges above summed, is an amount, not the
// tax of it.
bool written_under_its_base(const Token& figure, const NoteScope* scope) {
    if (scope == nullptr) return false;
    const double tax = note_value(figure.value);
    const auto base_of = [&](const std::optional<std::string>& above) {
        const double base = above ? note_value(*above) : 0.0;
        return above && (std::abs(tax - base / 10) < 1 || std::abs(tax - base / 11) < 1);
    };
    return base_of(scope->line_above()) || base_of(scope->block_sum(TotalWord::Grand));
}

}  // namespace

std::string cut_below_won(std::string value) {
    value.resize(std::min(value.find('.'), value.size()));
    return value == "-0" ? "0" : value;
}

void read_vat(std::string_view body, std::vector<Token>& t, const NoteScope* scope, NameUse& use) {
    join_dotted_vat(body, t);
    const auto after_figure = [&](std::size_t k) {
        return k > 0 && (t[k - 1].kind == TokenKind::Number || t[k - 1].kind == TokenKind::Close);
    };
    for (std::size_t k = 0; k < t.size(); ++k) {
        if ((is_word(body, t[k], "공급가") || is_word(body, t[k], "공급가액")) && after_figure(k) && ends_line(t, k)) {
            t[k - 1].marks.supply = t[k - 1].kind == TokenKind::Number;
            continue;
        }
        if (!is_vat(body, t[k])) continue;
        // "소계 1,800,000 / 부가세 10% 180,000": the tax written under its base, with its rate.
        if (k == 0 && t.size() == 3 && t[1].kind == TokenKind::Number && t[1].marks.percent &&
            t[2].kind == TokenKind::Number && !t[2].marks.percent && written_under_its_base(t[2], scope)) {
            t.erase(t.begin(), t.begin() + 2);
            return;
        }
        // "부가세 10%": the word names the rate written after it.
        if (k + 1 < t.size() && t[k + 1].kind == TokenKind::Number && t[k + 1].marks.percent) {
            t[k + 1].marks.vat = true;
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(k));
            continue;
        }
        // "(350,000 + 180,000)의 부가세": the tax of the sum, its 10%.
        if (k >= 2 && t[k - 2].kind == TokenKind::Close && is_word(body, t[k - 1], "의") && ends_line(t, k)) {
            t[k - 1].kind = TokenKind::Times;
            make_rate(t[k]);
            continue;
        }
        const bool added = k > 0 && t[k - 1].kind == TokenKind::Plus && ends_line(t, k);
        const bool apart =
            after_figure(k) && k + 1 < t.size() && is_word(body, t[k + 1], "별도") && ends_line(t, k + 1);
        const bool of = k > 0 && (t[k - 1].marks.of ||
                                  (t[k - 1].kind == TokenKind::Word &&
                                   body.substr(t[k - 1].begin, t[k - 1].end - t[k - 1].begin).ends_with("의")));
        // "부가세 3,300,000 - 3,000,000": a calculation after the word works the tax out itself.
        const bool worked_out = t.size() > 2 && is_operator(t[2].kind);
        const bool before = k == 0 && t.size() > 1 && t[1].kind == TokenKind::Number && !t[1].marks.percent &&
                            !worked_out && !written_under_its_base(t[1], scope);
        if (t.size() == 1 && scope != nullptr && !scope->value_of(VAT)) {
            // "부가세" alone: the tax of the line above.
            use.uses_previous = true;
            const std::optional<std::string> above = scope->line_above();
            if (!above) return;
            make_rate(t[0]);
            Token base = reference_token(Token{}, *above);
            base.marks.of = true;
            base.spaced_after = true;
            t.insert(t.begin(), base);
            return;
        }
        if (added || apart || of || before) make_rate(t[k]);
    }
}

}  // namespace numvora::notes_detail
