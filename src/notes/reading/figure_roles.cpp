#include <optional>

#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

bool is_operator(TokenKind kind) {
    return kind == TokenKind::Plus || kind == TokenKind::Minus || kind == TokenKind::Times ||
           kind == TokenKind::Divide || kind == TokenKind::Remainder;
}

bool is_label(TokenKind kind) {
    return kind == TokenKind::Word || kind == TokenKind::Colon || kind == TokenKind::Other;
}

namespace {

// "테헤란로 123", "올림픽로35길 10": a number after a road's name is its address.
bool after_road(const Reading& r, std::size_t i) {
    if (i == 0 || r.tokens[i - 1].kind != TokenKind::Word) return false;
    const std::string_view word = r.line.substr(r.tokens[i - 1].begin, r.tokens[i - 1].end - r.tokens[i - 1].begin);
    return word.ends_with("로") || word.ends_with("길");
}

// "주문번호 2024031512345", "학번 20241234", "카드 1234": a plain number after one of
// these words is an identifier, as is any of ten or more ungrouped digits.
bool identifier(const Reading& r, std::size_t i) {
    const NumberMarks& m = r.tokens[i].marks;
    if (m.grouped || m.won || m.unit || m.foreign || m.percent || m.counter || m.date || m.reference) return false;
    if (r.tokens[i].value.size() >= 10) return true;
    std::size_t before = i;
    while (before > 0 && r.tokens[before - 1].kind == TokenKind::Colon) --before;
    if (before == 0 || r.tokens[before - 1].kind != TokenKind::Word) return false;
    const Token& word = r.tokens[before - 1];
    const std::string_view text = r.line.substr(word.begin, word.end - word.begin);
    return text == "번" || text == "학번" || text == "사번" || text == "카드" || text == "계좌" ||
           text.ends_with("번호");
}

// What a figure is by the marks around it.
FigureRole role_of(const Reading& r, std::size_t i, bool by_tilde, bool last) {
    const NumberMarks& m = r.tokens[i].marks;
    if (has_quantity(r.tokens[i])) return by_tilde ? FigureRole::Range : quantity_role(r.tokens[i].quantity);
    if (m.reference) {
        return m.percent   ? FigureRole::Rate
               : m.date    ? FigureRole::DateTime
               : m.foreign ? FigureRole::Foreign
                           : FigureRole::Amount;
    }
    if (m.name || m.unclear || identifier(r, i)) return FigureRole::Name;
    if (m.range_joined || by_tilde) return FigureRole::Range;
    if (m.joined || m.date) return FigureRole::DateTime;
    if (m.percent) return FigureRole::Rate;
    if (m.foreign) return FigureRole::Foreign;
    if (m.counter) return FigureRole::Count;
    if (m.won || m.unit || m.grouped) return FigureRole::Amount;
    // A plain number is money only where it ends a label ("식비 98500"); elsewhere it is
    // a model, a floor or a code ("RTX 4090", "아이폰 15 프로").
    bool at_end = last && !m.leading_zero && !after_road(r, i);
    for (std::size_t j = i + 1; at_end && j < r.tokens.size(); ++j) at_end = r.tokens[j].kind != TokenKind::Word;
    return at_end ? FigureRole::Amount : FigureRole::Name;
}

}  // namespace

void assign_roles(Reading& r) {
    const std::vector<Token>& t = r.tokens;
    r.roles.assign(t.size(), FigureRole::Amount);
    std::optional<std::size_t> last_number;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == TokenKind::Number) last_number = i;
    }
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != TokenKind::Number) continue;
        const bool by_tilde =
            (i > 0 && t[i - 1].kind == TokenKind::Tilde && i > 1 && t[i - 2].kind == TokenKind::Number) ||
            (i + 2 < t.size() && t[i + 1].kind == TokenKind::Tilde && t[i + 2].kind == TokenKind::Number);
        r.roles[i] = role_of(r, i, by_tilde, last_number == i);
    }
    // From the end, so that a run of signs is looked at once.
    r.starts.assign(t.size() + 1, false);
    for (std::size_t i = t.size(); i-- > 0;) {
        const bool sign = t[i].kind == TokenKind::Minus || t[i].kind == TokenKind::Plus;
        r.starts[i] = r.operand(i) || t[i].kind == TokenKind::Open || (sign && r.glued(i) && r.starts[i + 1]);
    }
    // Operators between operands stay; an operator that joins nothing is punctuation,
    // and a sign glued to a figure is its sign.
    r.skipped.assign(t.size(), false);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const TokenKind kind = t[i].kind;
        if (is_label(kind) || (r.number(i) && t[i].marks.name)) {
            r.skipped[i] = true;
        } else if (is_operator(kind) && !r.binary(i)) {
            const bool sign =
                (kind == TokenKind::Minus || kind == TokenKind::Plus) && r.glued(i) && r.starts_operand(i + 1);
            r.skipped[i] = !sign;
        }
    }
}

// Whether the text before an "=" holds a calculation of its own: an operator between
// figures, an amount ("월세 55만원 ="), a date, days, a duration or an area.
bool has_amount(const Reading& r) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && (r.roles[i] == FigureRole::Amount || has_quantity(r.tokens[i]))) return true;
        if (is_operator(r.tokens[i].kind) && !r.skipped[i] && r.binary(i)) return true;
    }
    return false;
}

// A plain number in a label: a date, a time, a name, a model ("아이폰 15 프로 1,550,000원 x 2").
bool label_figure(const Reading& r, std::size_t i) {
    const notes_detail::NumberMarks& m = r.tokens[i].marks;
    // "12 @ 3": a sign the reading does not know may join a plain number to the next.
    const bool symbol_next = i + 1 < r.tokens.size() && r.tokens[i + 1].kind == TokenKind::Other;
    if (r.roles[i] == FigureRole::Name && !m.name && symbol_next) return false;
    switch (r.roles[i]) {
    case FigureRole::DateTime:
    case FigureRole::Name:
    case FigureRole::Duration:
    case FigureRole::Date:
    case FigureRole::Days:
    case FigureRole::Area: return true;
    default: break;
    }
    if (m.joined) return true;
    // "항공 1인 420,000 x 2", "추가할인 5% 적용: 40,800 - 5% =": a count or a rate names what follows.
    return !m.grouped && !m.won && !m.unit && !m.foreign;
}

namespace {

// A range, or a time of day or a date that is not read as one, that the operator would
// take apart or add to: "오후 3시 + 2시간", "12월 + 1"; one in a unit of its own may
// multiply or divide as a count: "3만원 × 12개월".
bool cannot_take_part(const Reading& r, std::size_t op, std::size_t i) {
    if (!r.number(i) || r.tokens[i].marks.name) return false;
    if (r.roles[i] == FigureRole::Range) return true;
    if (r.roles[i] != FigureRole::DateTime) return false;
    const TokenKind kind = r.tokens[op].kind;
    // A name's time of day is never calculated with.
    const NumberMarks& m = r.tokens[i].marks;
    if (kind == TokenKind::Plus || kind == TokenKind::Minus || m.joined || m.reference) return true;
    // "3시 30분 x …": a time of several units, the next one on the far side.
    const bool before = i < op;
    if (before ? i == 0 : i + 1 >= r.tokens.size()) return false;
    const std::size_t far = before ? i - 1 : i + 1;
    return r.number(far) && r.roles[far] == FigureRole::DateTime;
}

}  // namespace

std::string blocked_operation(const Reading& r) {
    const std::vector<Token>& t = r.tokens;
    for (std::size_t i = 1; i + 1 < t.size(); ++i) {
        if (!is_operator(t[i].kind) || r.starts_operand(i) || !r.number(i - 1)) continue;
        // "$350 / × 1,380": an operator with nothing to take after it.
        if (is_operator(t[i + 1].kind) && !r.starts_operand(i + 1)) return "연산자가 겹쳐 있어 계산할 수 없습니다";
        if (!r.number(i + 1) && t[i + 1].kind != TokenKind::Open) continue;
        // "12월 7일 - 12,000원": a dash after a date sets an amount apart.
        if (r.dash_after_date(i) && r.number(i + 1) && r.roles[i + 1] == FigureRole::Amount) continue;
        for (const std::size_t side : {i - 1, i + 1}) {
            if (!cannot_take_part(r, i, side)) continue;
            return std::string(r.roles[side] == FigureRole::Range ? "범위는 계산할 수 없습니다" : NOT_WITH_DATES);
        }
    }
    return {};
}

}  // namespace numvora::notes_detail
