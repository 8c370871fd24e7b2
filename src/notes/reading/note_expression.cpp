#include <algorithm>
#include <array>
#include <charconv>
#include <span>
#include <string>

#include "calculator/evaluate.h"
#include "calculator/grammar.h"
#include "calculator/parser.h"
#include "notes/figures/plain_number.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

namespace {

// What a value is, so that foreign money keeps its currency and never meets won
// without a rate: "$120 x 3" is dollars, "$17.99 * 1,380" won, "$120 + 85,000원" unclear.
enum class Money : std::uint8_t {
    Plain,    // a plain number or a count
    Won,      // money without a currency of its own, or a name's value
    Foreign,  // money in the currency beside it
    Rate,     // a percent standing alone: "X + 10%" is X × 1.1
};

struct NoteValue {
    std::string text;  // the calculator's text; a quantity's as written, for the history
    Money money = Money::Plain;
    std::string currency;
    std::string percent;   // a Rate's number: "10" for "10%"
    bool counted = false;  // a count ("3박"): never a rate of exchange
    Quantity quantity;     // a date, a duration, days or an area, calculated here
    bool fine = true;
    std::string_view unclear;  // why two values cannot be joined: the line has no result
};

NoteValue failed(std::string_view unclear = {}) {
    NoteValue value;
    value.fine = false;
    value.unclear = unclear;
    return value;
}

bool additive(char sign) { return sign == '+' || sign == '-'; }

constexpr std::string_view MIXED_MONEY = "환율 없이 외화를 원화와 계산할 수 없습니다";
constexpr std::string_view AREAS_ONLY_CONVERT = "면적은 평과 ㎡ 사이로만 바꿀 수 있습니다";

// The plain decimal text of money or a number the calculator computes.
std::optional<std::string> computed(const NoteValue& value) {
    const Result<double, CalcError> result = evaluate(value.text);
    if (!result) return std::nullopt;
    return note_value_text(*result);
}

NoteValue quantity_value_of(Quantity quantity, std::string text) {
    NoteValue value;
    value.quantity = quantity;
    value.text = std::move(text);
    return value;
}

NoteValue as_won(NoteValue value) {
    value.money = Money::Won;
    return value;
}

// An operator between a quantity and another value: durations add and multiply with a
// count or an hourly wage ("1시간 45분 + 50분", "6시간 30분 x 10,030원"), a date takes
// days and gives the days to another ("오늘 + 100일", "2026-12-25 - 오늘"). Nothing else.
NoteValue joined_quantities(char sign, const NoteValue& left, const NoteValue& right, const std::string& text) {
    const auto* area = std::get_if<Area>(&left.quantity);
    const NoteValue& price = area != nullptr ? right : left;
    if (area == nullptr) area = std::get_if<Area>(&right.quantity);
    // "장판 84㎡ x 35,000": an area at a price for each of its units.
    if (area != nullptr && sign == '*' && price.money == Money::Won && !is_quantity(price.quantity)) {
        if (const std::optional<std::string> size = area_figure(area->area, area->unit)) {
            NoteValue value;
            value.text = *size + "*(" + price.text + ")";
            value.money = Money::Won;
            return value;
        }
    }
    if (area != nullptr) return failed(AREAS_ONLY_CONVERT);
    const auto* duration = std::get_if<Duration>(&left.quantity);
    const auto* other_duration = std::get_if<Duration>(&right.quantity);
    const auto* date = std::get_if<CalendarDate>(&left.quantity);
    const auto* days = std::get_if<DayCount>(&right.quantity);
    if (additive(sign)) {
        const auto sum = [&](std::int64_t a, std::int64_t b) { return checked_sum(a, sign == '-' ? -b : b); };
        if (duration && other_duration) {
            if (const auto minutes = sum(duration->minutes, other_duration->minutes))
                return quantity_value_of(Duration{*minutes}, text);
        }
        if (const auto* later = std::get_if<CalendarDate>(&right.quantity); date && later && sign == '-')
            return quantity_value_of(DayCount{std::int64_t{date->day} - later->day}, text);
        if (const auto* day = std::get_if<DayCount>(&left.quantity); day && days) {
            if (const auto total = sum(day->days, days->days)) return quantity_value_of(DayCount{*total}, text);
        }
        if (!date && sign == '+') {  // "100일 + 오늘"
            date = std::get_if<CalendarDate>(&right.quantity);
            days = std::get_if<DayCount>(&left.quantity);
        }
        if (date && days) {
            if (const auto moved = add_days(date->day, sign == '-' ? -days->days : days->days))
                return quantity_value_of(CalendarDate{*moved}, text);
        }
        return failed(NOT_WITH_DATES);
    }
    // A duration times a count or an hourly wage, or over a count.
    const bool duration_left = duration != nullptr;
    const NoteValue& factor = duration_left ? right : left;
    if (!duration_left) duration = other_duration;
    // "14.5시간 x 10320": a bare figure of a thousand or more times hours is a wage.
    if (sign == '*' && factor.money == Money::Plain && !factor.counted && !is_quantity(factor.quantity)) {
        const std::optional<std::string> plain = computed(factor);
        double wage = 0.0;
        if (plain) std::from_chars(plain->data(), plain->data() + plain->size(), wage);
        if (wage >= 1000)
            return duration_left ? joined_quantities(sign, left, as_won(right), text)
                                 : joined_quantities(sign, as_won(left), right, text);
    }
    const bool over = sign == '/' && duration_left && factor.money == Money::Plain;
    // "월급 2,500,000 / 209시간": money an hour.
    if (sign == '/' && !duration_left && duration != nullptr && factor.money == Money::Won && duration->minutes != 0) {
        NoteValue value;
        value.text = "(" + factor.text + ")*60/" + std::to_string(duration->minutes);
        value.money = Money::Won;
        return value;
    }
    if (!duration || is_quantity(factor.quantity) || (factor.money != Money::Plain && factor.money != Money::Won) ||
        (sign != '*' && !over))
        return failed(NOT_WITH_DATES);
    const std::optional<std::string> number = computed(factor);
    if (!number) return failed(NOT_WITH_DATES);
    if (factor.money == Money::Won) {
        const std::optional<std::int64_t> pay = wage_for(duration->minutes, *number);
        if (!pay) return failed(NOT_WITH_DATES);
        NoteValue value;
        value.text = std::to_string(*pay);
        value.money = Money::Won;
        return value;
    }
    const std::optional<Minutes> minutes =
        sign == '*' ? scale_duration(duration->minutes, *number) : divide_duration(duration->minutes, *number);
    if (!minutes) return failed(NOT_WITH_DATES);
    return quantity_value_of(Duration{*minutes}, text);
}

struct NoteOperator {
    char sign = '+';
    bool spaced = false;  // written " + ", so that the history shows it as the memo does
};

// A number plausible as the won of one unit of the currency: in its range, and with a
// fraction where the range is below 100 ("9.1" for yen, never "10" of them).
bool is_rate_of(std::string_view currency, const std::string& text) {
    const CurrencyRate* rate = currency_rate(currency_code(currency));
    if (rate == nullptr || text.find_first_not_of("0123456789.") != std::string::npos) return false;
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    const bool fraction = text.find('.') != std::string::npos;
    return value >= rate->low && value <= rate->high && (fraction || rate->low >= 100);
}

// The money of two values joined by an operator, or nothing when they cannot be joined.
std::optional<Money> joined_money(char sign, const NoteValue& left, const NoteValue& right) {
    const bool foreign_left = left.money == Money::Foreign;
    const bool foreign_right = right.money == Money::Foreign;
    if (!foreign_left && !foreign_right)
        return left.money == Money::Won || right.money == Money::Won ? Money::Won : Money::Plain;
    if (foreign_left && foreign_right) {
        // "$120 + 100달러": one currency however it is written.
        if (currency_code(left.currency) != currency_code(right.currency)) return std::nullopt;
        return additive(sign) ? Money::Foreign : sign == '*' ? std::nullopt : std::optional(Money::Plain);
    }
    const NoteValue& other = foreign_left ? right : left;
    // "엔화 15,000엔 x 9.1": a bare multiplier where the currency's rate in won lies is that rate.
    if (sign == '*' && other.money == Money::Plain && !other.counted &&
        is_rate_of((foreign_left ? left : right).currency, other.text))
        return Money::Won;
    if (other.money != Money::Won) return Money::Foreign;  // "$120 x 3박", "$100 + 10%"
    // "$17.99 * 1,380": money times a rate of exchange is won.
    if (sign == '*') return Money::Won;
    return std::nullopt;
}

// The notes' reading over the figures and operators left once labels are skipped, with
// the notes' percent: "X + 10%" is X × 1.1, "X * 10%" X × 0.1, "X의 10%" X × 0.1,
// "X 20% 할인" X × 0.8. It writes the calculator's text; the calculator computes it.
struct NoteExpression {
    using Value = NoteValue;
    using Operator = NoteOperator;

    const Reading& r;
    std::span<const std::size_t> sk;  // token indices
    std::size_t pos = 0;
    int depth = 0;
    int binaries = 0;
    bool percent_form = false;
    bool worked_out = false;  // a span, a D-day or a conversion: calculated with no operator
    bool vat = false;         // 부가세 took part
    std::vector<std::size_t> used;

    const Token& at(std::size_t i) const { return r.tokens[sk[i]]; }
    bool more() const { return pos < sk.size(); }

    static bool fine(const Value& value) { return value.fine; }

    std::optional<Operator> take_operator(grammar::Level level) {
        if (!more() || !is_operator(at(pos).kind) || !r.binary(sk[pos])) return std::nullopt;
        static constexpr char SIGNS[] = {'+', '-', '*', '/', '%'};
        const char sign = SIGNS[static_cast<int>(at(pos).kind) - static_cast<int>(TokenKind::Plus)];
        if (additive(sign) != (level == grammar::Level::Additive)) return std::nullopt;
        const bool spaced = at(pos).spaced_after || (sk[pos] > 0 && r.tokens[sk[pos] - 1].spaced_after);
        ++pos;
        ++binaries;
        return Operator{sign, spaced};
    }

    Value combine(Operator op, Value left, Value right) {
        if (is_quantity(left.quantity) || is_quantity(right.quantity)) {
            // "3일 x 50,000원": days multiply as a count.
            for (Value* side : {&left, &right}) {
                const auto* days = std::get_if<DayCount>(&side->quantity);
                if (days == nullptr || additive(op.sign)) continue;
                side->text = std::to_string(days->days);
                if (days->days < 0) side->text.insert(0, 1, '(').push_back(')');
                side->quantity = {};
            }
            if (is_quantity(left.quantity) || is_quantity(right.quantity))
                return joined_quantities(op.sign, left, right, joined_text(op, left, right));
        }
        std::optional<Money> money = joined_money(op.sign, left, right);
        // "$120 + 85,000원" below "$1 = 1,380원": foreign money added to won at its rate.
        if (!money && additive(op.sign) && in_won(left) && in_won(right)) money = joined_money(op.sign, left, right);
        if (!money) return failed(MIXED_MONEY);
        Value out;
        out.money = *money;
        out.currency = *money == Money::Foreign ? (left.currency.empty() ? right.currency : left.currency) : "";
        if (additive(op.sign) && right.money == Money::Rate && left.money != Money::Rate) {
            // "X + 10%": the percent of X.
            out.text = "(" + left.text + ")*(1" + op.sign + right.percent + "/100)";
            out.money = left.money;
            out.currency = left.currency;
            percent_form = true;
            return out;
        }
        out.text = joined_text(op, left, right);
        // "4.2% + 3%": rates added are a rate.
        if (additive(op.sign) && left.money == Money::Rate && right.money == Money::Rate) out.money = Money::Rate;
        return out;
    }

    // Foreign money made won at the rate a line above sets; false without one.
    bool in_won(Value& value) const {
        if (value.money != Money::Foreign) return true;
        const std::optional<std::string> rate =
            r.scope != nullptr ? r.scope->rate_of(currency_code(value.currency)) : std::nullopt;
        if (!rate) return false;
        value.text = "(" + value.text + ")*" + *rate;
        value.money = Money::Won;
        value.currency.clear();
        return true;
    }

    static std::string joined_text(Operator op, const Value& left, const Value& right) {
        return left.text + (op.spaced ? std::string{' ', op.sign, ' '} : std::string(1, op.sign)) + right.text;
    }

    // factor = { sign } ( "(" expression [")"] | figure [rate_change] )
    Value factor() {
        std::string sign;
        while (more() && (at(pos).kind == TokenKind::Minus || at(pos).kind == TokenKind::Plus)) {
            if (at(pos).kind == TokenKind::Minus) sign += '-';
            ++pos;
        }
        if (!more()) return failed();
        Value value = at(pos).kind == TokenKind::Open ? parenthesised() : figure();
        value.text = sign + value.text;
        if (is_quantity(value.quantity) && std::count(sign.begin(), sign.end(), '-') % 2 == 1) {
            // "-1시간": a duration or days below zero; a date has none.
            if (auto* duration = std::get_if<Duration>(&value.quantity))
                duration->minutes = -duration->minutes;
            else if (auto* days = std::get_if<DayCount>(&value.quantity))
                days->days = -days->days;
            else
                return failed(NOT_WITH_DATES);
        }
        return value;
    }

    // "(" expression [")"]: a parenthesis left open is the engine's to name.
    Value parenthesised() {
        // The engine's bound, which keeps a line of "(((…" from exhausting the stack.
        if (depth >= MAX_NESTING) return failed();
        ++pos;
        ++depth;
        Value inner = grammar::expression(*this);
        --depth;
        if (!inner.fine) return inner;
        inner.text = "(" + inner.text;
        if (more() && at(pos).kind == TokenKind::Close) {
            inner.text += ')';
            ++pos;
        }
        return inner;
    }

    // figure [rate_change]
    Value figure() {
        if (!r.operand(sk[pos])) return failed();
        // "1통 2,990": the count names what the amount is for; "2L x 6병 5,490" multiplies
        // counts, and the price stands apart.
        const bool multiplied =
            pos > 0 && (at(pos - 1).kind == TokenKind::Times || at(pos - 1).kind == TokenKind::Divide);
        if (!multiplied && labels_figure(r, sk[pos]) && pos + 1 < sk.size() && r.operand(sk[pos + 1])) ++pos;
        const std::size_t index = sk[pos++];
        used.push_back(index);
        const Token& number = r.tokens[index];
        const NumberMarks& m = number.marks;
        if (has_quantity(number)) {
            worked_out = worked_out || m.worked_out;
            return quantity_value_of(number.quantity,
                                     std::string(r.line.substr(number.begin, number.end - number.begin)));
        }
        // "부가세 X": the tax of X.
        if (m.vat && more() && r.operand(sk[pos]) && !at(pos).marks.percent) {
            Value base = figure();
            base.text = "(" + base.text + ")*(10/100)";
            percent_form = vat = true;
            return base;
        }
        Value value;
        if (m.percent) {
            vat = vat || m.vat;
            value.text = "(" + number.value + "/100)";
            value.money = Money::Rate;
            value.percent = number.value;
            return value;
        }
        value.text = m.negative ? "(-" + number.value + ")" : number.value;
        value.money = r.roles[index] == FigureRole::Foreign         ? Money::Foreign
                      : m.won || m.unit || m.grouped || m.reference ? Money::Won
                                                                    : Money::Plain;
        value.counted = r.roles[index] == FigureRole::Count;
        if (value.money == Money::Foreign) value.currency = number.currency;
        rate_change(number, value);
        if (m.supply) {
            value.text = "(" + value.text + ")/(1+10/100)";
            percent_form = vat = true;
        }
        return value;
    }

    // rate_change = rate ("할인" | "인상" | "할증") | rate after "X의": "X의 10%", "X 20% 할인",
    // "X에서 20% 할인", "X 5% 인상".
    void rate_change(const Token& number, Value& value) {
        if (!more() || !r.operand(sk[pos]) || !at(pos).marks.percent) return;
        const std::size_t rate = sk[pos];
        const std::string& p = r.tokens[rate].value;
        const char* change = nullptr;
        if (word_follows(rate, "할인"))
            change = "-";
        else if (word_follows(rate, "인상") || word_follows(rate, "할증") ||
                 (r.tokens[rate].marks.vat && word_follows(rate, "별도")))
            change = "+";
        if (number.marks.of && change == nullptr)
            value.text = "(" + value.text + ")*(" + p + "/100)";
        else if (change != nullptr)
            value.text = "(" + value.text + ")*(1" + change + p + "/100)";
        else
            return;
        used.push_back(rate);
        ++pos;
        percent_form = true;
        vat = vat || r.tokens[rate].marks.vat;
    }

    // The word right after token index i.
    bool word_follows(std::size_t token, std::string_view prefix) const {
        return token + 1 < r.tokens.size() && notes_detail::word_starts_with(r.line, r.tokens[token + 1], prefix);
    }
};

// A word between the first and the last of the figures taken.
bool named_apart(const Reading& r, const std::vector<std::size_t>& used) {
    if (used.empty()) return false;
    const auto [first, last] = std::minmax_element(used.begin(), used.end());
    for (std::size_t i = *first + 1; i < *last; ++i) {
        if (r.tokens[i].kind == TokenKind::Word) return true;
    }
    return false;
}

}  // namespace

std::optional<Parsed> parse_expression(const Reading& r, bool asks) {
    // With no operator, rate, tax nor worked-out figure, and no "=" asking, nothing is
    // calculated: most lines of a memo are amounts, passed at a look.
    if (!asks && std::none_of(r.tokens.begin(), r.tokens.end(), [](const Token& token) {
            return is_operator(token.kind) || token.marks.percent || token.marks.vat || token.marks.supply ||
                   has_quantity(token);
        }))
        return std::nullopt;
    // Parts set apart are several figures: a calculation in one of them is no result of the line.
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.separates(i)) return std::nullopt;
    }
    // The tokens not skipped, held in place for a line of few tokens, as the reading's flags are.
    std::array<std::size_t, 48> near{};
    std::vector<std::size_t> far;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.skipped[i]) continue;
        if (kept == near.size()) far.assign(near.begin(), near.end());
        if (kept < near.size())
            near[kept] = i;
        else
            far.push_back(i);
        ++kept;
    }
    const std::span<const std::size_t> sk =
        kept <= near.size() ? std::span<const std::size_t>(near.data(), kept) : std::span<const std::size_t>(far);
    for (std::size_t start = 0; start < sk.size(); ++start) {
        const std::size_t i = sk[start];
        const bool term_start =
            r.operand(i) || r.tokens[i].kind == TokenKind::Open ||
            ((r.tokens[i].kind == TokenKind::Minus || r.tokens[i].kind == TokenKind::Plus) && r.glued(i));
        const bool inside =
            start > 0 && (is_operator(r.tokens[sk[start - 1]].kind) || r.tokens[sk[start - 1]].kind == TokenKind::Open);
        if (term_start && !inside) {
            NoteExpression reader{r, sk, start, 0, 0, false, false, false, {}};
            NoteValue value = grammar::expression(reader);
            if (!value.unclear.empty())
                return Parsed{{}, std::move(reader.used), {}, std::string(value.unclear), false, {}, false, false};
            // "시즌오프 20% + 회원 10% 중복", "취득세 1% + 지방교육세 0.1%": rates of things each
            // named do not add unless asked; a discount on a discount is no sum.
            if (value.fine && value.money == Money::Rate && reader.binaries > 0 && !asks && named_apart(r, reader.used))
                return std::nullopt;
            // A tax is money, whatever the figures it was taken of.
            if (value.fine && !reader.more() &&
                (reader.binaries > 0 || reader.percent_form || reader.worked_out || asks))
                return Parsed{std::move(value.text),
                              std::move(reader.used),
                              std::move(value.currency),
                              {},
                              value.money == Money::Won || (reader.vat && value.money != Money::Foreign),
                              value.quantity,
                              reader.vat,
                              value.money == Money::Rate && reader.binaries > 0};
        }
        // Past a figure that a label cannot hold, an expression after it would leave it out.
        if (r.number(i) && !label_figure(r, i)) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace numvora::notes_detail
