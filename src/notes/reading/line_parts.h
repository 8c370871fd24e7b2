// What one line's reading is made of, shared by its parts: the tokens with the role of
// each figure (figure_roles.cpp), the dates, durations and areas among them
// (note_quantities.cpp), the names taken from the lines above (note_names.cpp) and the
// expression among labels (note_expression.cpp). Only src/notes includes it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "notes/reading/line_reading.h"
#include "notes/reading/line_tokens.h"

namespace numvora::notes_detail {

bool is_operator(TokenKind kind);
bool is_label(TokenKind kind);

// Why a line that calculates with a date or a time has no result.
inline constexpr std::string_view NOT_WITH_DATES = "날짜와 시간을 이렇게 계산할 수는 없습니다";

// Dates, durations, days and areas read across the tokens, each made one figure with
// its value; today's date is asked of the scope only where one is written.
void read_quantities(std::string_view line, std::vector<Token>& tokens, const NoteScope* scope);
// A quantity's value as a figure: minutes, a day number (a D-day's), days, or ㎡ to two
// decimals.
std::string quantity_figure(const Quantity& quantity);
// Its value as a result: the same, but a D-day's days left and an area in the unit asked.
std::string quantity_value(const Quantity& quantity);
ResultUnit quantity_unit(const Quantity& quantity);
FigureRole quantity_role(const Quantity& quantity);
// A value as a result shows it, read back: "1시간 30분", "2027-03-18 (목)", "281일".
Quantity quantity_of_text(std::string_view text);
// Whether "20주" after this word counts shares: 보유, 매수, 매도, 주식, or a word ending in one.
bool counts_shares(std::string_view word);
inline bool is_quantity(const Quantity& quantity) { return !std::holds_alternative<std::monostate>(quantity); }
inline bool has_quantity(const Token& token) { return is_quantity(token.quantity); }

// A value for each token (a flag, a figure's role), held in place for as many tokens as
// most lines have: a line is read in several parts, and each part's values would take an
// allocation of their own.
template <class T>
class ByToken {
public:
    void assign(std::size_t size, T value) {
        size_ = size;
        if (size > NEAR)
            far_.assign(size, value);
        else
            std::fill_n(near_.begin(), size, value);
    }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return size_ > NEAR ? far_[i] : near_[i]; }
    T operator[](std::size_t i) const { return size_ > NEAR ? far_[i] : near_[i]; }

private:
    static constexpr std::size_t NEAR = 48;
    std::array<T, NEAR> near_{};
    std::vector<T> far_;
    std::size_t size_ = 0;
};

// The tokens of a line with what each figure means.
struct Reading {
    std::string_view line;
    std::vector<Token> tokens;
    const NoteScope* scope = nullptr;  // the lines above: the rates of exchange they set
    // A value is asked for ("= 550000", a selection), so a bare number is one whatever
    // its paragraph holds.
    bool valued = false;
    ByToken<FigureRole> roles;  // by token; meaningful for numbers
    // Flags are bytes, which a vector hands out by reference.
    ByToken<std::uint8_t> skipped;  // labels, names, and signs that only separate ("12/5 - 점심")
    ByToken<std::uint8_t> starts;   // an operand begins here: a figure, "(", or signs glued to one

    bool number(std::size_t i) const { return tokens[i].kind == TokenKind::Number; }
    // A figure the calculation may take as an operand.
    bool operand(std::size_t i) const {
        return number(i) && !tokens[i].marks.joined && !named(i) && roles[i] != FigureRole::Range;
    }
    // A figure that is part of a name ("2차", "S24"), unless it counts what it multiplies.
    bool named(std::size_t i) const { return number(i) && tokens[i].marks.name && roles[i] != FigureRole::Count; }
    bool operand_end(std::size_t i) const { return operand(i) || tokens[i].kind == TokenKind::Close; }
    bool glued(std::size_t i) const { return i + 1 < tokens.size() && tokens[i + 1].begin == tokens[i].end; }
    bool signs_figure(std::size_t i) const {
        return (tokens[i].kind == TokenKind::Minus || tokens[i].kind == TokenKind::Plus) && glued(i);
    }

    std::optional<std::size_t> previous_significant(std::size_t i) const {
        while (i > 0) {
            --i;
            if (!is_label(tokens[i].kind) && !named(i)) return i;
        }
        return std::nullopt;
    }
    std::optional<std::size_t> next_significant(std::size_t i) const {
        for (++i; i < tokens.size(); ++i) {
            if (!is_label(tokens[i].kind) && !named(i)) return i;
        }
        return std::nullopt;
    }
    bool starts_operand(std::size_t i) const { return starts[i]; }
    // "정가 42,000 / 할인가 33,600", "국어 4.5 x 3학점 / 영어 4.0 x 3학점": a "/" between
    // a figure or a label and a label with its own figure parts them, as one after a
    // labelled figure does.
    bool separates(std::size_t i) const {
        if (tokens[i].kind != TokenKind::Divide || i == 0 || i + 1 >= tokens.size()) return false;
        // "도수 -3.25 / -2.75", "+2 / -1": figures each with a sign of its own are two readings.
        if (i >= 2 && number(i - 1) && signs_figure(i - 2) && i + 2 < tokens.size() && signs_figure(i + 1) &&
            number(i + 2))
            return true;
        // "(25,000 / 30,000 / 18,000)": three or more grouped amounts in a row of "/" are a list.
        const auto grouped = [&](std::size_t k) { return k < tokens.size() && number(k) && tokens[k].marks.grouped; };
        const auto slash = [&](std::size_t k) { return k < tokens.size() && tokens[k].kind == TokenKind::Divide; };
        if (grouped(i - 1) && grouped(i + 1) &&
            ((i >= 3 && slash(i - 2) && grouped(i - 3)) || (slash(i + 2) && grouped(i + 3))))
            return true;
        // "나 235 / 55", "표점 128 / 131": two bare figures of hundreds or tens after a label,
        // a pair of sizes or scores rather than a share.
        const auto bare = [&](std::size_t k) {
            const NumberMarks& m = tokens[k].marks;
            return number(k) && tokens[k].value.size() >= 2 && tokens[k].value.size() <= 3 && !m.grouped && !m.won &&
                   !m.unit && !m.counter && !m.percent && !m.foreign && !m.reference &&
                   tokens[k].value.find('.') == std::string::npos;
        };
        if (i >= 2 && tokens[i - 2].kind == TokenKind::Word && bare(i - 1) && bare(i + 1) && i + 2 == tokens.size() &&
            tokens[i - 1].spaced_after && tokens[i].spaced_after)
            return true;
        if (tokens[i + 1].kind != TokenKind::Word) return false;
        // "4.15% 변동 / 중도상환 1.2%": words on both sides, figures beyond them.
        if (tokens[i - 1].kind == TokenKind::Word)
            return previous_significant(i).has_value() && next_significant(i).has_value();
        if (!number(i - 1)) return false;
        return (i >= 2 && is_label(tokens[i - 2].kind)) || (i + 2 < tokens.size() && number(i + 2));
    }
    // "12월 7일 - 12,000원": a dash after a date sets it apart, unless days or a date
    // follow it ("2026-12-25 - 오늘", "2026-12-08 - 100일").
    bool dash_after_date(std::size_t i) const {
        if (tokens[i].kind != TokenKind::Minus || i == 0 || !number(i - 1)) return false;
        if (roles[i - 1] == FigureRole::DateTime) return true;
        const bool day_next = i + 1 < tokens.size() && number(i + 1) &&
                              (roles[i + 1] == FigureRole::Date || roles[i + 1] == FigureRole::Days);
        return roles[i - 1] == FigureRole::Date && !day_next;
    }
    // An operator with an operand on each side, labels between them allowed ("12,000원 + 커피 4,500원").
    bool binary(std::size_t i) const {
        // "9 -1,000", "환불:-5,000", "할인-5,000", "월급 +420만원": glued to its figure and not
        // to one before it, a minus or a plus is the figure's sign.
        const bool after_operand = i > 0 && !tokens[i - 1].spaced_after && operand_end(i - 1);
        if (signs_figure(i) && !after_operand) return false;
        // "3,450,000원(세전)/2,980,000원(세후)": figures with words in parentheses are set apart.
        if (i > 0 && tokens[i - 1].kind == TokenKind::Close && i - 1 < skipped.size() && skipped[i - 1]) return false;
        // "햇반210g*12": glued to a name, the sign is part of it.
        if (i > 0 && tokens[i - 1].end == tokens[i].begin && (named(i - 1) || tokens[i - 1].kind == TokenKind::Word))
            return false;
        if (separates(i)) return false;
        if (dash_after_date(i)) return false;
        const auto before = previous_significant(i);
        const auto after = next_significant(i);
        return before && after && operand_end(*before) && starts_operand(*after);
    }
};

// A word after which a figure names a number: "회원번호", "비번", "좌석", "게이트" …
bool names_a_number(std::string_view word);
// Whether a bare number at a label's end is money here: a value is asked for, or the
// paragraph holds money (the line alone without a scope).
bool money_here(const Reading& r);
// Whether a total line in the paragraph asks for its figures.
bool totals_here(const Reading& r);
// Whether a line other than a total holds money in the paragraph.
bool marked_here(const Reading& r);
// Whether a line of the paragraph holds a figure in 억.
bool eok_here(const Reading& r);
bool headed_man_here(const Reading& r);
// "현재 연봉 3800": whether the line writes a sum kept in 만 without the 만.
bool leaves_man_unwritten(std::string_view line);
// "부모님께 빌림", "대출 현황": a heading of sums kept in 만, under which "엄마 2천" is 2,000만.
bool heads_sums_in_man(std::string_view line);
// Whether a line of the paragraph does so.
bool man_unwritten_here(const Reading& r);
// After the amount-th figure, a word and a sum kept in 만 left unwritten ("월세 80" of
// "보증금 3억 월세 80"), or one before it joined by an operator ("연봉 4,800 + 성과급 300").
bool sum_in_man_unwritten_beside(const Reading& r, std::size_t amount);
// Before the amount-th figure, a bare round price between two words ("치킨 23000 맥주 9000").
bool bare_price_before(const Reading& r, std::size_t amount);
// Whether a line of the paragraph types a point for the thousands comma ("4.500원").
bool point_for_comma_here(const Reading& r);
// Each figure's role, and the operators that join operands.
void assign_roles(Reading& r);
// Whether the text before an "=" holds a calculation of its own.
bool has_amount(const Reading& r);
// Things counted and no money: "휴지 30롤 x 2", "우유 1L x 60".
bool counts_only(const Reading& r);
// One amount of money and nothing else: "36,800", "3만원".
bool money_alone(const Reading& r);
// "1통 2,990 + 당근 3개 1,500", "- 1월 상환 150만": a count, a month or a day right before
// an amount says what the amount is for; the amount is the operand.
bool labels_figure(const Reading& r, std::size_t i);
// Whether a figure may stand in a label before an expression.
bool label_figure(const Reading& r, std::size_t i);
// Why an operator cannot be calculated: a range, or a time of day or a date that is not
// read as one beside it ("3~5만원 x 3", "오후 3시 + 2시간"), or another operator after it.
// Empty when nothing blocks.
std::string blocked_operation(const Reading& r);

// An expression found among the labels: the engine's text and the figures it took.
struct Parsed {
    std::string expression;
    std::vector<std::size_t> used;
    std::string currency;  // the result is foreign money in this currency
    std::string unclear;   // why it cannot be calculated: no result
    bool money = false;    // the result is money
    Quantity quantity;     // the result is a date, a duration, days or an area, calculated here
    bool vat = false;      // 부가세 took part: a result in won is cut below the 원
    bool percent = false;  // rates added: the result is a rate
};
// asks: an "=" asks for a value, so one figure alone is enough.
std::optional<Parsed> parse_expression(const Reading& r, bool asks);

// What a line took from the lines above.
struct NameUse {
    std::vector<std::string> uses;
    bool uses_previous = false;
    bool continues = false;      // it opens with an operator: it goes on from the result above
    bool alone = false;          // a name alone on its line
    bool nothing_above = false;  // it opens with "×" or "/" and no result above goes on
    bool goes_on = false;        // the result above was put in before its operator
    bool defining = false;       // in: the text is the value after "이름 ="
    std::string unknown;
};
bool is_previous_word(std::string_view word);
// A value from above (a name's, the line above's) standing where the token at stood.
Token reference_token(const Token& at, std::string_view value);
// Signs that belong to a label rather than join figures: "인터넷+TV 33,000원", "김*영",
// "SPF50+", "주유 + 톨비 96,000" (words none of which the lines above define).
void join_labels(std::string_view body, std::vector<Token>& t, const NoteScope* scope);
// Names and the result above, put in as figures.
// asks: an "=" after the body asks for the value of what stands before it.
void resolve_names(std::string_view body, std::vector<Token>& t, const NoteScope& scope, bool asks, NameUse& use);

// 부가세 (VAT, 10%) as notes write it (note_vat.cpp): "X + 부가세" and "X 부가세 별도" at the
// line's end (X × 1.1), "X의 부가세" and "부가세 X" (X × 0.1), "X 공급가" (X ÷ 1.1), and
// "부가세" alone under a result, 10% of it. The word becomes a figure of 10% marked vat, a
// figure before 공급가 is marked supply; the expression reads the rest.
void read_vat(std::string_view body, std::vector<Token>& t, const NoteScope* scope, NameUse& use);
// A figure cut below the 원, as invoices cut a tax: "1357.4" is "1357", "-0.5" is "0".
std::string cut_below_won(std::string value);

// "$1 = 1,380원", "1달러 = 1,380원", "100엔 = 920원", "환율 $1 = 1,380원", "환율 1,380" and
// "환율 = 1,380" (dollars), "원달러 환율 1,470원", "엔 환율 910원 (100엔)": the rate of
// exchange the line sets (exchange_rates.cpp).
std::optional<ExchangeRate> read_exchange_rate(std::string_view line);

// The shapes of a line around its figures (line_shapes.cpp).

// A result as F9 writes it, with white space around and no line break: an amount (see
// is_written_amount), foreign money, a date, a D-day, days, a duration or an area, so that
// F9 finds its old result and a total line stays one (note_result.cpp).
bool is_written_result(std::string_view text);

// Where the old results begin: the "=" before the first of a chain of results that runs
// to the text's end, the last of which may be empty. npos when there is none.
std::size_t old_result_start(std::string_view text);

// "월세 = 55만원", "관리비: 12만 3천원": a name, and where the value after it begins.
struct Definition {
    std::string name;
    std::size_t rest = 0;
};
std::optional<Definition> read_definition(std::string_view line);
// "12월", "3개월": digits and a Hangul word glued, which may open a name of more words.
bool opens_with_count(std::string_view word);

// "１２，０００원": the line with full-width digits, commas and points made ASCII, and for
// each of its bytes the byte of the line it came from (one more for the end).
std::string ascii_figures(std::string_view line, std::vector<std::size_t>& origin);

// Where the item after a list mark begins ("- 교통 62,400", "* 우유", "• ", "· ", "ㄴ",
// "> ", "1. ", "1) ", "①"), or 0: a mark before a figure ("- 10%", "* 2") is an
// operator, and the line goes on from the one above.
std::size_t list_item_start(std::string_view line);
// Where a word begins after a list mark that ends at mark_end, past spaces; 0 for none.
std::size_t word_after_mark(std::string_view line, std::size_t mark_end);
// Eight digits or more at a position: an id ("- 20231145 김민수"), no sum.
bool id_digits_at(std::string_view line, std::size_t at);

// "+ 용돈 100,000", "- 쿠폰 5,000": a sign, a space and a word; sign 0 for none.
struct SignedItem {
    char sign = 0;
    std::size_t item = 0;  // where the word begins
};
SignedItem signed_item_start(std::string_view line);

}  // namespace numvora::notes_detail
