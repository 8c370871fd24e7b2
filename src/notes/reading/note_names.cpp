#include <algorithm>
#include <iterator>
#include <optional>

#include "common/unicode.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

constexpr std::string_view PREVIOUS_WORDS[] = {"위", "prev", "ans"};

bool is_previous_word(std::string_view word) {
    return std::find(std::begin(PREVIOUS_WORDS), std::end(PREVIOUS_WORDS), word) != std::end(PREVIOUS_WORDS);
}

Token reference_token(const Token& at, std::string_view value) {
    Token token;
    token.kind = TokenKind::Number;
    token.begin = at.begin;
    token.end = at.end;
    token.spaced_after = at.spaced_after;
    token.marks.reference = true;
    // A date, days or a duration: "2027-03-18 (목)", "281일", "1시간 30분".
    token.quantity = quantity_of_text(value);
    if (has_quantity(token)) {
        token.value = quantity_figure(token.quantity);
        return token;
    }
    token.marks.negative = value.starts_with('-');
    value.remove_prefix(token.marks.negative ? 1 : 0);
    // Foreign money ("360 $") keeps its currency, and won its writing ("5000000 만원").
    if (const std::size_t space = value.find(' '); space != std::string_view::npos) {
        const std::string_view after = value.substr(space + 1);
        if (after == "만" || after == "원" || after == "만원") {
            token.marks.large_unit = after.starts_with("만");
            token.marks.won = after.ends_with("원");
        } else {
            token.marks.foreign = true;
            token.currency = std::string(after);
        }
        value = value.substr(0, space);
    }
    // A name that gives a rate ("3.3%"), or a time the reading does not calculate with: its
    // number, with its mark.
    if (value.ends_with('%')) {
        token.marks.percent = true;
        value.remove_suffix(1);
    }
    const std::size_t number_end = value.find_first_not_of("0123456789.");
    if (number_end != std::string_view::npos && !token.marks.percent) {
        token.marks.date = true;
        value = value.substr(0, number_end);
    }
    token.value = value.empty() ? "0" : std::string(value);
    return token;
}

namespace {

// The name in a word that may carry a particle ("월급의", "월세는"), and its value.
struct NamedValue {
    std::string name;
    std::optional<std::string> value;
    bool of = false;    // "월급의 10%"
    bool from = false;  // "월급에서 20% 할인"
};

NamedValue look_up(std::string_view word, const NoteScope& scope) {
    NamedValue found{std::string(word), scope.value_of(word)};
    // The particles a name takes before an operator or a rate.
    static constexpr std::string_view NAME_PARTICLES[] = {"의", "에서", "은", "는", "이", "가", "을", "를"};
    for (const std::string_view particle : NAME_PARTICLES) {
        if (found.value || !word.ends_with(particle) || word.size() == particle.size()) continue;
        const std::string_view stem = word.substr(0, word.size() - particle.size());
        // "합계의 부가세": a total word names its sum with a particle as it does alone.
        if (!is_note_name(stem) && !read_total_line(stem, false)) continue;
        if (std::optional<std::string> value = scope.value_of(stem)) {
            found = NamedValue{std::string(stem), std::move(value), particle == "의", particle == "에서"};
            break;
        }
    }
    return found;
}

// "월급 +420만원", "환불 -12,000": a sign glued to its figure after a space is the
// figure's, not an operation on the word before it.
bool is_sign_of_figure(const std::vector<Token>& t, std::size_t k) {
    return (t[k].kind == TokenKind::Plus || t[k].kind == TokenKind::Minus) && k + 1 < t.size() &&
           t[k + 1].kind == TokenKind::Number && t[k + 1].begin == t[k].end && k > 0 && t[k - 1].spaced_after &&
           t[k - 1].kind == TokenKind::Word;
}

bool is_boundary(const std::vector<Token>& t, std::size_t k) {
    const TokenKind kind = t[k].kind;
    if (is_sign_of_figure(t, k)) return false;
    return is_operator(kind) || kind == TokenKind::Open || kind == TokenKind::Close || kind == TokenKind::Equals;
}

// Whether an unknown word beside this operator was meant as a name: "월세 + 관리비",
// "월세 * 12", "합계 / 4명"; not "점심 - 12,000원" nor "서울/부산", where the sign parts words.
bool takes_names(const std::vector<Token>& t, std::size_t k) {
    switch (t[k].kind) {
    case TokenKind::Plus:
    case TokenKind::Times:
    case TokenKind::Remainder: return true;
    case TokenKind::Divide: return k > 0 && t[k - 1].spaced_after && t[k].spaced_after;
    default: return false;
    }
}

// Names and the result above, put in as figures: a word alone between operators that
// a line above defines, "위", "prev", "ans", and what a line starting with an operator
// continues. A word beside a figure stays its label.
}  // namespace

void join_labels(std::string_view body, std::vector<Token>& t, const NoteScope* scope) {
    const auto text = [&](std::size_t i) { return body.substr(t[i].begin, t[i].end - t[i].begin); };
    const auto named = [&](std::size_t i) { return scope != nullptr && scope->value_of(text(i)).has_value(); };
    const auto word = [&](std::size_t i) { return i < t.size() && t[i].kind == TokenKind::Word; };
    const auto sign = [&](std::size_t k) {
        const TokenKind kind = t[k].kind;
        return kind == TokenKind::Plus || kind == TokenKind::Times || kind == TokenKind::Minus ||
               kind == TokenKind::Divide;
    };
    // Glued first: "인천-런던 / 로마-인천 2인 3,260,000" joins its words before the "/" between them.
    for (std::size_t k = 1; k < t.size(); ++k) {
        if (!sign(k) || t[k - 1].end != t[k].begin || !word(k - 1)) continue;
        const bool glued_after = k + 1 < t.size() && t[k + 1].begin == t[k].end;
        // "인터넷+TV", "김*영", "세탁기+건조기": a sign between the letters of one label, and
        // between names a label too where figures follow with no sign ("A-B 차이 48,500,000 -
        // 45,200,000": those figures work it out).
        std::size_t next = k + 2;
        while (word(next)) ++next;
        const bool labels_figure = next < t.size() && t[next].kind == TokenKind::Number;
        if (word(k + 1) && glued_after && ((!named(k - 1) && !named(k + 1)) || labels_figure))
            t[k].kind = TokenKind::Other;
        // "SPF50+ 19,800": a sign that ends a word.
        if (!glued_after && t[k].kind == TokenKind::Plus) t[k].kind = TokenKind::Other;
    }
    // "한우세트 1+ 등급 189,000", "한우 1++ 300g 39,000": a grade, glued to its figure and
    // before a word, or a 1 before a measure or a price.
    for (std::size_t k = 1; k + 1 < t.size(); ++k) {
        if (t[k].kind != TokenKind::Plus || t[k - 1].kind != TokenKind::Number || t[k - 1].end != t[k].begin) continue;
        const std::size_t last = t[k + 1].kind == TokenKind::Plus && t[k].end == t[k + 1].begin ? k + 1 : k;
        if (last + 1 >= t.size() || !t[last].spaced_after) continue;
        const NumberMarks& m = t[last + 1].marks;
        const bool priced = t[last + 1].kind == TokenKind::Number && (m.grouped || m.measure || m.won || m.unit);
        if (t[last + 1].kind != TokenKind::Word && !(text(k - 1) == "1" && priced)) continue;
        for (std::size_t i = k; i <= last; ++i) t[i].kind = TokenKind::Other;
        t[k - 1].marks.name = true;
    }
    // "주유 + 톨비 96,000", "서울 / 부산 왕복 120,000": words joined into the label of the
    // figure after them, where the word before is no name.
    for (std::size_t k = 1; k + 1 < t.size(); ++k) {
        const TokenKind kind = t[k].kind;
        if ((kind != TokenKind::Plus && kind != TokenKind::Divide) || t[k - 1].end == t[k].begin ||
            t[k + 1].begin == t[k].end || !word(k - 1) || !word(k + 1) || named(k - 1))
            continue;
        std::size_t before = k - 1;
        while (before > 0 && (word(before - 1) || t[before - 1].kind == TokenKind::Other)) --before;
        bool figure_after = false;
        for (std::size_t i = k + 1; i < t.size() && !is_operator(t[i].kind) && t[i].kind != TokenKind::Equals; ++i)
            figure_after = figure_after || t[i].kind == TokenKind::Number;
        if (figure_after && (before == 0 || t[before - 1].kind != TokenKind::Number)) t[k].kind = TokenKind::Other;
    }
    // "원두 1kg x 6 @ 32,000": so many at a price each. Shares at a price ("30주 @ 70,100") are
    // notes split on, told of a buy's price as much as of its cost, and a trade's message
    // ("매수 10주 @71,500") is told at its price.
    const bool trade = body.find("매수") != std::string_view::npos || body.find("매도") != std::string_view::npos;
    for (std::size_t k = 1; k + 1 < t.size() && !trade; ++k) {
        const NumberMarks& count = t[k - 1].marks;
        const NumberMarks& price = t[k + 1].marks;
        if (text(k) == "@" && t[k - 1].kind == TokenKind::Number && t[k + 1].kind == TokenKind::Number &&
            !text(k - 1).ends_with("주") && !(count.grouped || count.won || count.unit || count.foreign) &&
            (price.grouped || price.won || price.large_unit || price.foreign))
            t[k].kind = TokenKind::Times;
    }
    // "대학동기 8명 각 10만": so many, each giving so much; shared out ("4명 n빵 각 26,000") it
    // is each one's share.
    const bool shared = body.find("빵") != std::string_view::npos || body.find("1/n") != std::string_view::npos ||
                        body.find("나눠") != std::string_view::npos;
    for (std::size_t k = 1; k + 1 < t.size() && !shared; ++k) {
        const NumberMarks& price = t[k + 1].marks;
        if (word(k) && (text(k) == "각" || text(k) == "각각") && t[k - 1].kind == TokenKind::Number &&
            t[k - 1].marks.counter && t[k + 1].kind == TokenKind::Number &&
            (price.grouped || price.won || price.large_unit || price.foreign))
            t[k].kind = TokenKind::Times;
    }
    // "실외기 1대 + 실내기 4대 세트 4,650,000": things counted, joined into the label of the price.
    for (std::size_t k = 2; k + 1 < t.size(); ++k) {
        if (t[k].kind != TokenKind::Plus || t[k - 1].kind != TokenKind::Number || !t[k - 1].marks.counter ||
            !word(k - 2) || !word(k + 1))
            continue;
        for (std::size_t i = k + 2; i < t.size() && !is_operator(t[i].kind); ++i) {
            const NumberMarks& m = t[i].marks;
            if (t[i].kind == TokenKind::Number && (m.grouped || m.won || m.large_unit)) {
                t[k].kind = TokenKind::Other;
                break;
            }
        }
    }
}

namespace {

// "월로 /12", "1인 /4", "1인당 / 2": a label, then "/" and a plain figure that ends the line,
// glued to it or after a word of "per", divides the result above as "위 /12" would ("사과 x10"
// counts apples). The label's last token is where the result above goes.
std::optional<std::size_t> label_then_operation(std::string_view body, const std::vector<Token>& t) {
    if (t.size() < 3) return std::nullopt;
    const std::size_t op = t.size() - 2;
    const Token& figure = t.back();
    const NumberMarks& m = figure.marks;
    if (t[op].kind != TokenKind::Divide || figure.kind != TokenKind::Number || m.grouped || m.unit || m.won ||
        m.foreign || m.percent || m.date || m.reference || !t[op - 1].spaced_after)
        return std::nullopt;
    for (std::size_t i = 0; i < op; ++i) {
        const NumberMarks& label = t[i].marks;
        const bool count = t[i].kind == TokenKind::Number && (label.counter || label.name) && !label.reference;
        if (t[i].kind != TokenKind::Word && !count) return std::nullopt;
    }
    const std::string_view last = body.substr(t[op - 1].begin, t[op - 1].end - t[op - 1].begin);
    const bool glued = t[op].end == figure.begin;
    if (!glued && !last.ends_with("당")) return std::nullopt;
    return op - 1;
}

// "월급 - 100,000": a figure right across the operator from the word, not a label of its
// own ("택시 - 카드 12,300" is a taxi paid by card).
bool figure_across(const std::vector<Token>& t, std::size_t a, std::size_t b) {
    return (b + 1 < t.size() && is_operator(t[b].kind) && t[b + 1].kind == TokenKind::Number) ||
           (a >= 2 && is_operator(t[a - 1].kind) && t[a - 2].kind == TokenKind::Number);
}

}  // namespace

void resolve_names(std::string_view body, std::vector<Token>& t, const NoteScope& scope, bool asks, NameUse& use) {
    if (const std::optional<std::size_t> at = label_then_operation(body, t);
        at && !scope.value_of(body.substr(t[*at].begin, t[*at].end - t[*at].begin))) {
        use.uses_previous = true;
        if (const std::optional<std::string> previous = scope.line_above()) {
            t[*at] = reference_token(t[*at], *previous);
            use.goes_on = true;
            return;
        }
    }
    // "항목1": a Hangul name with digits reads as a word and a number; it is one name
    // where the lines above define it, or beside an operator ("항목1 * 12").
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        const Token& number = t[i + 1];
        if (t[i].kind != TokenKind::Word || number.kind != TokenKind::Number || number.begin != t[i].end ||
            !all_ascii_digits(body.substr(number.begin, number.end - number.begin)))
            continue;
        const std::string_view name = body.substr(t[i].begin, number.end - t[i].begin);
        const bool beside = (i > 0 && is_operator(t[i - 1].kind)) || (i + 2 < t.size() && is_operator(t[i + 2].kind));
        if (!is_note_name(name) || !(beside || scope.value_of(name))) continue;
        t[i].end = number.end;
        t[i].spaced_after = number.spaced_after;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(i + 1));
    }
    // "통장잔액 - 12월 여행 적립", "3개월 합계 / 3": a name that opens with a counted figure,
    // where a line above defines it.
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].kind != TokenKind::Number || !t[i].spaced_after ||
            !opens_with_count(body.substr(t[i].begin, t[i].end - t[i].begin)))
            continue;
        for (std::size_t j = std::min(i + 3, t.size() - 1); j > i; --j) {
            bool words = true;
            for (std::size_t k = i + 1; k <= j; ++k)
                words = words && t[k].kind == TokenKind::Word && t[k - 1].spaced_after;
            if (!words || !scope.value_of(body.substr(t[i].begin, t[j].end - t[i].begin))) continue;
            t[i].kind = TokenKind::Word;
            t[i].marks = {};
            t[i].end = t[j].end;
            t[i].spaced_after = t[j].spaced_after;
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(i + 1), t.begin() + static_cast<std::ptrdiff_t>(j + 1));
            break;
        }
    }
    // The names taken so far and the word before each that no line defines with it.
    std::vector<std::pair<std::string_view, std::string_view>> qualified;
    for (std::size_t a = 0; a < t.size();) {
        std::size_t b = a;
        while (b < t.size() && !is_boundary(t, b)) ++b;
        bool figure = false;
        bool of_rate = false;  // "월급의 10%", "월급에서 20% 할인": the word before a rate is its base
        std::optional<std::size_t> word;
        for (std::size_t i = a; i < b; ++i) {
            const bool rate = t[i].kind == TokenKind::Number && t[i].marks.percent;
            // "햄 200g x 2", "+ 세금 9%": a word beside a figure is its label, unless a rate
            // is of it ("월급의 10%").
            figure = figure || t[i].kind == TokenKind::Number;
            if (t[i].kind == TokenKind::Word && !of_rate) word = i;
            if (rate && i > a && t[i - 1].kind == TokenKind::Word) {
                const std::string_view before = body.substr(t[i - 1].begin, t[i - 1].end - t[i - 1].begin);
                if (before.ends_with("의") || before.ends_with("에서")) {
                    word = i - 1;
                    of_rate = true;
                }
            }
        }
        const bool beside_operator = (a > 0 && is_operator(t[a - 1].kind)) || (b < t.size() && is_operator(t[b].kind));
        // "월세 =" asks for the name; "B 총 = 1,480,000 + 150,000" names what it works out.
        const bool asked = b < t.size() ? t[b].kind == TokenKind::Equals &&
                                              std::none_of(t.begin() + static_cast<std::ptrdiff_t>(b), t.end(),
                                                           [](const Token& k) { return k.kind == TokenKind::Number; })
                                        : asks;
        // "월세" alone on its line shows its value.
        const bool alone = t.size() == 1;
        // "4명이면 위 x 4": 위, prev and ans beside an operator are the result above, whatever
        // labels the segment.
        if (figure && !of_rate && b < t.size() && is_operator(t[b].kind) && b > a && t[b - 1].kind == TokenKind::Word &&
            is_previous_word(body.substr(t[b - 1].begin, t[b - 1].end - t[b - 1].begin)))
            word = b - 1, figure = false;
        if (word && (!figure || of_rate) && (beside_operator || asked || alone || of_rate)) {
            std::string_view text = body.substr(t[*word].begin, t[*word].end - t[*word].begin);
            std::string_view pair;
            // "월 회비 x 12": two words a line above defines together.
            if (!of_rate && *word > a && t[*word - 1].kind == TokenKind::Word && t[*word - 1].spaced_after) {
                pair = body.substr(t[*word - 1].begin, t[*word].end - t[*word - 1].begin);
                if (pair.find("  ") == std::string_view::npos && scope.value_of(pair)) text = pair, pair = {};
            }
            // "수입 소계 - 지출 소계": one name told apart by words no line defines with it is
            // none of them, never the same value twice.
            for (const auto& [name, other] : qualified) {
                if (name == text && other != pair && use.unknown.empty())
                    use.unknown = std::string(pair.empty() ? other : pair);
            }
            qualified.emplace_back(text, pair);
            // "위의 부가세", "위의 10%": the result above is the base.
            const bool previous_of = text.ends_with("의") && is_previous_word(text.substr(0, text.size() - 3));
            const bool previous = is_previous_word(text) || previous_of;
            if (previous && alone && !use.defining) break;  // "위" alone shows nothing; "잔액 = 위" names it
            NamedValue named = previous ? NamedValue{std::string(text.substr(0, text.size() - (previous_of ? 3 : 0))),
                                                     scope.previous(), previous_of}
                                        : look_up(text, scope);
            if (previous)
                use.uses_previous = true;
            else
                use.uses.push_back(std::string(text));
            if (!previous && named.name != text) use.uses.push_back(named.name);
            // "식비 - 쓴거": a word alone across a "-" from a name a line above defines is one too.
            const auto named_across = [&](std::size_t minus, std::size_t other) {
                const bool alone_there =
                    (other == 0 || is_boundary(t, other - 1)) && (other + 1 == t.size() || is_boundary(t, other + 1));
                const bool defined =
                    t[other].kind == TokenKind::Word
                        ? scope.value_of(body.substr(t[other].begin, t[other].end - t[other].begin)).has_value()
                        : t[other].marks.reference;
                return t[minus].kind == TokenKind::Minus && alone_there && defined;
            };
            const bool across =
                b == a + 1 && ((a >= 2 && named_across(a - 1, a - 2)) || (b + 1 < t.size() && named_across(b, b + 1)));
            // "남은돈 = 용돈 - 3,000원": after "=", a word alone before "-" is what is taken from.
            const bool after_equals = (a == 0 && use.defining) || (a > 0 && t[a - 1].kind == TokenKind::Equals);
            const bool taken_from = after_equals && b == a + 1 && b < t.size() && t[b].kind == TokenKind::Minus;
            const bool meant =
                (a > 0 && takes_names(t, a - 1)) || (b < t.size() && takes_names(t, b)) || across || taken_from;
            use.alone = alone;
            if (named.value && alone && scope.heads_paragraph(text)) {
                use.uses.clear();
            } else if (named.value) {
                t[*word] = reference_token(t[*word], *named.value);
                t[*word].marks.of = named.of;
                t[*word].marks.from = named.from;
            } else if (use.unknown.empty() &&
                       (meant || previous || (!alone && figure_across(t, a, b) && scope.labels_elsewhere(text)))) {
                use.unknown = named.name;
            }
        }
        a = b + 1;
    }
    // "+ 5,000", "× 2", "- 10%": a line that opens with an operator goes on from the line above.
    if (t.empty()) return;
    const TokenKind first = t.front().kind;
    const bool spaced_sign = (first == TokenKind::Plus || first == TokenKind::Minus) && t.front().spaced_after;
    if (spaced_sign || first == TokenKind::Times || first == TokenKind::Divide) {
        use.uses_previous = true;
        use.continues = true;
        if (const std::optional<std::string> previous = scope.line_above()) {
            Token at;
            at.spaced_after = true;
            t.insert(t.begin(), reference_token(at, *previous));
            use.goes_on = true;
        } else if (!spaced_sign) {
            // "× 2" with nothing above to multiply.
            use.nothing_above = true;
        }
    }
}

}  // namespace numvora::notes_detail
