#include "notes/reading/line_reading.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "calculator/evaluate.h"
#include "common/hangul.h"
#include "common/korean_particle.h"
#include "common/unicode.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_parts.h"
#include "notes/reading/line_tokens.h"

namespace numvora {

namespace {

// The label of a total that adds the won alone, whatever foreign money stands above it.
constexpr std::string_view WON_ONLY = "원화";

using notes_detail::ascii_figures;
using notes_detail::Definition;
using notes_detail::is_previous_word;
using notes_detail::list_item_start;
using notes_detail::NameUse;
using notes_detail::old_result_start;
using notes_detail::Parsed;
using notes_detail::read_definition;
using notes_detail::Reading;
using notes_detail::TokenKind;
using notes_detail::TokenMemo;
using LineToken = notes_detail::Token;

// asks: an "=" after the body asks for its value.
Reading read_tokens(TokenMemo& memo, std::string_view body, bool split_joined, const NoteScope* scope = nullptr,
                    NameUse* use = nullptr, bool asks = false, bool valued = false) {
    Reading r{body, memo.tokens(body, split_joined), scope, valued || asks, {}, {}, {}};
    notes_detail::join_labels(body, r.tokens, scope);
    notes_detail::read_quantities(body, r.tokens, scope);
    NameUse ignored;
    notes_detail::read_vat(body, r.tokens, scope, use != nullptr ? *use : ignored);
    if (scope != nullptr) resolve_names(body, r.tokens, *scope, asks, use != nullptr ? *use : ignored);
    assign_roles(r);
    return r;
}

bool grouped_style(const Reading& r, const std::vector<std::size_t>& used) {
    for (const std::size_t i : used) {
        if (r.tokens[i].marks.grouped || r.tokens[i].marks.unit || r.tokens[i].marks.reference) return true;
    }
    return false;
}

// Money in 만, 억 or 조 among the amounts taken, and 원 with them: "1억 2천만원 + 3,500만원".
AmountWriting writing_of(const Reading& r, const std::vector<std::size_t>& used) {
    AmountWriting writing;
    for (const std::size_t i : used) {
        if (r.roles[i] != FigureRole::Amount) continue;
        writing.in_man = writing.in_man || r.tokens[i].marks.large_unit;
        writing.won = writing.won || r.tokens[i].marks.won;
    }
    return writing;
}

// Foreign money's value in won at the rate the lines above set; none without one.
std::string in_won(const Reading& r, const std::string& value, std::string_view currency) {
    const std::optional<std::string> rate =
        r.scope != nullptr ? r.scope->rate_of(notes_detail::currency_code(currency)) : std::nullopt;
    if (!rate) return {};
    const Result<double, CalcError> won = evaluate("(" + value + ")*" + *rate);
    return won ? notes_detail::note_value_text(*won) : std::string();
}

void fill_figures(const Reading& r, const std::vector<std::size_t>& used, LineReading& out) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i)) continue;
        const bool negative = i > 0 && r.tokens[i - 1].kind == TokenKind::Minus && (r.glued(i - 1) || i == 1) &&
                              !r.skipped[i - 1] && !r.binary(i - 1) && r.tokens[i].value != "0";
        const bool below_zero = negative || r.tokens[i].marks.negative;
        Figure figure{r.roles[i], (below_zero ? "-" : "") + r.tokens[i].value, false, r.tokens[i].currency};
        figure.used = std::find(used.begin(), used.end(), i) != used.end();
        // A plain number the calculation took is a quantity, whatever it would be alone.
        if (figure.used && figure.role == FigureRole::Name) figure.role = FigureRole::Amount;
        out.figures.push_back(std::move(figure));
    }
}

// One or two digits and no mark at all: no evidence of what they count.
bool bare_small(const LineToken& token) {
    const notes_detail::NumberMarks& m = token.marks;
    return token.kind == TokenKind::Number && token.value.size() <= 2 && all_ascii_digits(token.value) &&
           !(m.grouped || m.unit || m.won || m.foreign || m.percent || m.counter || m.date || m.name || m.identifier ||
             m.measure || m.joined || m.reference || m.vat);
}

void evaluate_into(const Reading& r, const Parsed& parsed, LineReading& out) {
    fill_figures(r, parsed.used, out);
    out.grouped = grouped_style(r, parsed.used);
    out.writing = writing_of(r, parsed.used);
    out.kind = LineKind::Expression;
    out.expression = parsed.expression;
    if (!parsed.unclear.empty()) {
        out.unclear = parsed.unclear;
        return;
    }
    if (notes_detail::is_quantity(parsed.quantity)) {
        out.value = notes_detail::quantity_value(parsed.quantity);
        out.unit = notes_detail::quantity_unit(parsed.quantity);
        return;
    }
    // "준공 2008년 / 1,234세대": a year is no operand of money or of a number ("3년 x 12" is).
    for (const std::size_t used : parsed.used) {
        if (used >= r.roles.size() || !r.number(used) || r.roles[used] != FigureRole::DateTime) continue;
        const LineToken& token = r.tokens[used];
        const std::string_view written = r.line.substr(token.begin, token.end - token.begin);
        if (token.value.size() == 4 && written.ends_with("년")) {
            out.unclear = quoted_object(written) + " 계산에 쓸 수 없습니다";
            return;
        }
    }
    // "종목코드 005930 / 000660": digits after a leading 0 are a code, no operand.
    for (const std::size_t used : parsed.used) {
        if (used >= r.tokens.size() || !r.number(used) || !r.tokens[used].marks.leading_zero) continue;
        const LineToken& token = r.tokens[used];
        out.unclear = quoted_object(r.line.substr(token.begin, token.end - token.begin)) + " 계산에 쓸 수 없습니다";
        return;
    }
    // "짜장면 2 + 탕수육 29,000": a bare figure under 100 after a label, added to won, counts
    // dishes more likely than won; which, the line does not say.
    for (const std::size_t used : parsed.used) {
        if (!parsed.money || used == 0 || used >= r.tokens.size() || !bare_small(r.tokens[used]) ||
            !is_label(r.tokens[used - 1].kind))
            continue;
        const auto sum = [&](std::optional<std::size_t> k) {
            return k && (r.tokens[*k].kind == TokenKind::Plus || r.tokens[*k].kind == TokenKind::Minus);
        };
        if (sum(r.previous_significant(used)) || sum(r.next_significant(used))) {
            const LineToken& token = r.tokens[used];
            out.unclear =
                quoted_object(r.line.substr(token.begin, token.end - token.begin)) + " 금액으로 읽을 수 없습니다";
            return;
        }
    }
    // "수하물 23kg x 1", "(3.5 x 4.5cm)": a measure taken with no money is a weight or a size,
    // no figure the line comes to; a total passes its figures and says so ("주행 212km x 190").
    if (!parsed.money && parsed.currency.empty() && !parsed.percent) {
        for (const std::size_t used : parsed.used) {
            if (used < r.tokens.size() && r.number(used) && r.tokens[used].marks.measure &&
                r.roles[used] == FigureRole::Count) {
                out.kind = LineKind::Nothing;
                for (Figure& figure : out.figures) figure.used = false;
                return;
            }
        }
    }
    out.currency = parsed.currency;
    out.unit = parsed.money || !out.currency.empty() ? ResultUnit::Money : ResultUnit::Number;
    const Result<double, CalcError> value = evaluate(parsed.expression);
    if (!value) {
        out.error = value.error();
        return;
    }
    out.value = notes_detail::note_value_text(*value);
    if (parsed.percent) {
        out.value = notes_detail::note_value_text(*value * 100);
        out.unit = ResultUnit::Percent;
    } else if (!out.currency.empty())
        out.won = in_won(r, out.value, out.currency);
    else if (parsed.vat)
        out.value = notes_detail::cut_below_won(std::move(out.value));
}

// "n빵", "1/n", "엔빵", "나눠": the amount is shared.
bool shares(std::string_view line) {
    static constexpr std::string_view WORDS[] = {"n빵", "N빵", "엔빵", "1/n", "1/N", "나눠", "나누기", "더치"};
    return std::any_of(std::begin(WORDS), std::end(WORDS),
                       [&](std::string_view word) { return find_text(line, word) != std::string_view::npos; });
}

// "n빵하면 인당 44400": the nth figure is already each one's share.
bool per_head(const Reading& r, std::size_t n) {
    static constexpr std::string_view EACH[] = {"인당", "명당", "각", "각자"};
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i) || n-- != 0) continue;
        const LineToken& word = r.tokens[i > 0 ? i - 1 : i];
        return i > 0 && word.kind == TokenKind::Word &&
               std::find(std::begin(EACH), std::end(EACH), r.line.substr(word.begin, word.end - word.begin)) !=
                   std::end(EACH);
    }
    return false;
}

// "가입 2019", "그램 16 2026": four bare digits of a recent year after a label are the year.
// A year ending in 0 may as well be a price ("커피 2000"), so it stays one.
bool year_at(const Reading& r, std::size_t n) {
    bool labelled = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        labelled = labelled || r.tokens[i].kind == TokenKind::Word;
        if (!r.number(i) || n-- != 0) continue;
        const LineToken& token = r.tokens[i];
        const std::string& v = token.value;
        return labelled && token.marks.plain_long && !token.marks.won && v.size() == 4 && v.back() != '0' &&
               (v.starts_with("199") || v.starts_with("20")) && v < "2040";
    }
    return false;
}

// "1파운드 = 0.4536kg": the nth figure is set equal to another figure, a conversion of
// units, no sum of money. "$12 = 16,560원" gives what the first came to, after the "=".
bool equated(const Reading& r, std::size_t n) {
    for (std::size_t i = 0; i + 2 < r.tokens.size(); ++i) {
        if (!r.number(i) || n-- != 0) continue;
        return r.tokens[i + 1].kind == TokenKind::Equals && r.number(i + 2);
    }
    return false;
}

// The token of the nth figure.
const LineToken* figure_token(const Reading& r, std::size_t n) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && n-- == 0) return &r.tokens[i];
    }
    return nullptr;
}

// No word that says something is done after the nth figure: "주 20시간 근무" names hours,
// "휴게 1시간 빼고", "16.5시간 일함" tell of them, and "점심 1시간 빼기" says what to do.
bool ends_label(const Reading& r, std::size_t n) {
    static constexpr std::string_view SAYING[] = {"함", "음", "고", "다", "요", "림", "임",
                                                  "됨", "서", "면", "니", "지", "게", "기"};
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i) || n-- != 0) continue;
        for (std::size_t j = i + 1; j < r.tokens.size(); ++j) {
            const std::string_view word = r.line.substr(r.tokens[j].begin, r.tokens[j].end - r.tokens[j].begin);
            if (r.tokens[j].kind == TokenKind::Word &&
                std::any_of(std::begin(SAYING), std::end(SAYING),
                            [&](std::string_view end) { return word.ends_with(end); }))
                return false;
        }
        return true;
    }
    return false;
}

constexpr std::string_view LIMITS[] = {"이내", "이하", "이상", "미만", "초과"};

bool limit_word(std::string_view word) {
    return std::any_of(std::begin(LIMITS), std::end(LIMITS), [&](std::string_view w) { return word.starts_with(w); });
}

// "관부가세 없음 ($150 이하)", "5만원 이상 무료": the nth figure is a limit, no amount.
bool limit_at(const Reading& r, std::size_t n) {
    for (std::size_t i = 0; i + 1 < r.tokens.size(); ++i) {
        if (!r.number(i) || n-- != 0) continue;
        const LineToken& next = r.tokens[i + 1];
        return next.kind == TokenKind::Word && limit_word(r.line.substr(next.begin, next.end - next.begin));
    }
    return false;
}

// "환승 30분 이내", "주차 2시간 무료": a limit; "도보 7분", "주차 3시간 20분", "휴게 1시간": time
// not worked; "서울→판교 23km 40분": a trip's time, "180도 25분" a recipe's. None is hours a
// line comes to.
bool hours_not_worked(const Reading& r, std::size_t n) {
    static constexpr std::string_view NOT_WORKED[] = {"도보", "주차", "휴게"};
    const auto text = [&](std::size_t i) {
        return r.line.substr(r.tokens[i].begin, r.tokens[i].end - r.tokens[i].begin);
    };
    std::optional<std::size_t> at;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (!r.number(i)) continue;
        const std::string_view written = text(i);
        if (r.tokens[i].marks.measure && !written.empty() && std::isalpha(static_cast<unsigned char>(written.back())))
            return true;
        // "오븐 180도 25분": beside a temperature, a recipe's time.
        constexpr std::string_view DEGREES = "도";
        if (written.size() > DEGREES.size() && written.ends_with(DEGREES) &&
            all_ascii_digits(written.substr(0, written.size() - DEGREES.size())))
            return true;
        if (n-- == 0) at = i;
    }
    if (!at) return true;
    // "주 15시간 정도", "월 209시간 기준", "4시간씩", "회당 2시간", "목표 주 40시간": an estimate,
    // a basis, a share or a goal, no hours a line comes to either.
    static constexpr std::string_view PLANNED[] = {"무료", "정도", "기준", "쯤", "예정"};
    const auto planned = [&](std::string_view word) {
        return std::any_of(std::begin(PLANNED), std::end(PLANNED),
                           [&](std::string_view w) { return word.starts_with(w); });
    };
    if (text(*at).ends_with("씩") || text(*at).ends_with("쯤")) return true;
    for (std::size_t j = 0; j < *at; ++j) {
        if (r.tokens[j].kind == TokenKind::Word && (text(j) == "목표" || text(j).ends_with("당"))) return true;
    }
    for (std::size_t j = *at + 1; j < r.tokens.size(); ++j) {
        if (r.tokens[j].kind == TokenKind::Word && (limit_word(text(j)) || planned(text(j)))) return true;
    }
    return *at > 0 && r.tokens[*at - 1].kind == TokenKind::Word &&
           std::find(std::begin(NOT_WORKED), std::end(NOT_WORKED), text(*at - 1)) != std::end(NOT_WORKED);
}

bool clock_at(const Reading& r, std::size_t n) {
    const LineToken* token = figure_token(r, n);
    return token != nullptr && token->marks.clock;
}

// "금리", "수수료율", "수익률", "DSR": a word that names a rate.
bool names_rate(std::string_view word) {
    const bool capitals =
        word.size() >= 2 && std::all_of(word.begin(), word.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return capitals || word == "금리" || word.ends_with("율") || word.ends_with("률");
}

// "중도상환 3천 하면 수수료 1.2%", "월 30만 12개월 연 5%": a rate the line tells of, after the
// amount it is taken of; "금리 5.1% 남은원금 1억 5천": a named rate, and an amount with a label
// of its own after it. No one figure is what either line comes to; "상여 100% 3,200,000",
// "쿠폰 10% 할인 45,000" and "카드론 1,500만 (17.9%)" come to their amount.
bool amount_beside_rate(const Reading& r, std::size_t amount) {
    const auto word = [&](std::size_t i) { return i < r.tokens.size() && r.tokens[i].kind == TokenKind::Word; };
    const auto text = [&](std::size_t i) {
        return r.line.substr(r.tokens[i].begin, r.tokens[i].end - r.tokens[i].begin);
    };
    std::size_t nth = 0, depth = 0;
    bool after_amount = false, named_rate = false, rate_before = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        const TokenKind kind = r.tokens[i].kind;
        if (kind == TokenKind::Open) ++depth;
        if (kind == TokenKind::Close && depth > 0) --depth;
        if (!r.number(i)) continue;
        const bool rate = depth == 0 && r.roles[i] == FigureRole::Rate;
        if (after_amount && rate) return true;
        if (nth++ == amount) {
            // "자기부담 20% (최소 20만)": the rate's floor or cap.
            const bool bound = i > 0 && word(i - 1) && (text(i - 1) == "최소" || text(i - 1) == "최대");
            if ((named_rate && depth == 0) || (rate_before && bound)) return true;
            after_amount = true;
        }
        rate_before = rate_before || rate;
        named_rate = named_rate || (rate && i > 0 && word(i - 1) && names_rate(text(i - 1)) && word(i + 1));
    }
    return false;
}

// "부양가족 3명 20점": a figure with a word of its own after the nth says that figure is no
// count the line comes to.
bool measured_after(const Reading& r, std::size_t n) {
    std::size_t nth = 0;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.number(i) && nth++ > n && r.tokens[i].marks.measure) return true;
    }
    return false;
}

// "월 50만 적금 12개월": a sum each month over a term of months, the line's sum left unsaid.
bool monthly_over_term(const Reading& r, std::size_t n) {
    static constexpr std::string_view MONTHLY[] = {"월", "매달", "매월"};
    const auto text_of = [&](std::size_t i) {
        return r.line.substr(r.tokens[i].begin, r.tokens[i].end - r.tokens[i].begin);
    };
    const LineToken* figure = figure_token(r, n);
    const auto at = static_cast<std::size_t>(figure - r.tokens.data());
    if (at == 0 || r.tokens[at - 1].kind != TokenKind::Word ||
        std::find(std::begin(MONTHLY), std::end(MONTHLY), text_of(at - 1)) == std::end(MONTHLY))
        return false;
    for (std::size_t i = at + 1; i < r.tokens.size(); ++i) {
        if (r.number(i) && text_of(i).ends_with("개월")) return true;
    }
    return false;
}

// "삼성전자 매수 10주": a trade of shares.
bool trades(const Reading& r) {
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        const std::string_view word = r.line.substr(r.tokens[i].begin, r.tokens[i].end - r.tokens[i].begin);
        if (r.tokens[i].kind == TokenKind::Word && (word == "매수" || word == "매도")) return true;
    }
    return false;
}

// A line that is no calculation: its one amount, else its one sum of foreign money, else
// its one count, else its one duration with no other time beside it ("근무 8시간"; not
// "1시간 30초" nor "오후 3시 2시간").
void read_amount(const Reading& r, LineReading& out) {
    fill_figures(r, {}, out);
    // "보증금 5천 / 월세 50", "정가 42,000 / 할인가 33,600": labelled figures set apart are
    // several, never one result nor a sum.
    for (std::size_t i = 0; i < r.tokens.size(); ++i) {
        if (r.tokens[i].kind == TokenKind::Divide && r.separates(i)) {
            out.parted = true;
            return;
        }
    }
    std::optional<std::size_t> amount, foreign, count, duration;
    std::size_t foreigns = 0, counts = 0, durations = 0, times = 0;
    for (std::size_t i = 0; i < out.figures.size(); ++i) {
        switch (out.figures[i].role) {
        case FigureRole::Amount:
            ++out.amounts;
            amount = i;
            break;
        case FigureRole::Foreign:
            ++foreigns;
            foreign = i;
            break;
        case FigureRole::Count:
            ++counts;
            count = i;
            break;
        case FigureRole::Duration:
            ++durations;
            duration = i;
            break;
        case FigureRole::DateTime:
            // "11월 근무 66시간": a month or a day labels the hours; a time of day does not.
            if (clock_at(r, i)) ++times;
            break;
        default: break;
        }
    }
    const bool no_amount = out.amounts == 0 && foreigns == 0;
    // "휴게 1시간 빼고", "주 15시간 이상이어야 함": hours in a sentence are no line's result.
    const bool hours_end_line = duration && ends_label(r, *duration) && !hours_not_worked(r, *duration);
    // "30만원 → 7,150바트": won beside foreign money is one of two sums, where "$12 = 16,560원"
    // writes what the dollars came to.
    const bool won_alone = foreigns == 0 || (foreign && equated(r, *foreign));
    const std::optional<std::size_t> chosen =
        out.amounts == 1 && won_alone                                                ? amount
        : out.amounts == 0 && foreigns == 1                                          ? foreign
        : no_amount && counts == 1 && !measured_after(r, *count)                     ? count
        : no_amount && counts == 0 && durations == 1 && times == 0 && hours_end_line ? duration
                                                                                     : std::nullopt;
    if (!chosen || limit_at(r, *chosen) || (chosen == foreign && equated(r, *chosen)) ||
        (out.amounts == 1 && year_at(r, *chosen)) || (out.amounts == 1 && amount_beside_rate(r, *chosen)) ||
        // "보증금 3억 월세 80", "치킨 23000 맥주 9000": the one amount read is one of two sums.
        (chosen == amount &&
         (notes_detail::sum_in_man_unwritten_beside(r, *chosen) || notes_detail::bare_price_before(r, *chosen))))
        return;
    // "마사지 4명 $25씩", "5만원권 2장", "€50 지폐 2장": a price or a note for each of a count,
    // the line's amount left unsaid ("1인 …씩" is that amount).
    const bool many = count.has_value() && counts == 1 && out.figures[count.value()].value != "1";
    const LineToken* each = many && chosen != count ? figure_token(r, *chosen) : nullptr;
    if (each != nullptr) {
        const std::string_view written = r.line.substr(each->begin, each->end - each->begin);
        const std::string_view after = trim_white_space(r.line.substr(each->end));
        if (written.ends_with("씩") || written.ends_with("권") || after.starts_with("지폐")) return;
    }
    if (chosen == amount && monthly_over_term(r, *chosen)) return;
    // "30주 @ 70,100": a price each after @ and what it is of; a trade ("매수 10주 @71,500") is
    // told at its price.
    if (chosen == amount && *chosen > 0 && !trades(r)) {
        const LineToken* price = figure_token(r, *chosen);
        if (trim_white_space(r.line.substr(0, price->begin)).ends_with('@')) return;
    }
    // "커피 4.5원": a fraction of a won alone is a typo of who knows what.
    if (const LineToken* token = figure_token(r, *chosen); token != nullptr && token->marks.won_fraction) {
        out.unclear = quoted_object(r.line.substr(token->begin, token->end - token->begin)) + " 읽을 수 없습니다";
        return;
    }
    Figure& figure = out.figures[*chosen];
    figure.used = true;
    // The result is written as the chosen figure is: "104,000원" grouped, "12만" in 만.
    const auto written_as_figure = [&] {
        std::size_t number = 0;
        for (std::size_t i = 0; i < r.tokens.size(); ++i) {
            if (!r.number(i) || number++ != *chosen) continue;
            out.grouped = r.tokens[i].marks.grouped || r.tokens[i].marks.unit;
            if (figure.role == FigureRole::Amount) out.writing = writing_of(r, {i});
        }
    };
    // "총 104,000원 4명 n빵": an amount shared by a count of people.
    if (figure.role == FigureRole::Amount && counts == 1 && out.amounts == 1 && shares(r.line) &&
        !per_head(r, *chosen)) {
        const Result<double, CalcError> share = evaluate(figure.value + "/" + out.figures[*count].value);
        if (share) {
            figure.used = out.figures[*count].used = true;
            out.kind = LineKind::Expression;
            out.unit = ResultUnit::Money;
            out.value = notes_detail::note_value_text(*share);
            out.expression = figure.value + " / " + out.figures[*count].value;
            written_as_figure();
            return;
        }
    }
    const bool money = figure.role == FigureRole::Amount || figure.role == FigureRole::Foreign;
    out.kind = money ? LineKind::Amount : figure.role == FigureRole::Count ? LineKind::Count : LineKind::Duration;
    // "야근 12시간" alone tells the hours a line below works with: shown, it would only repeat
    // them, where a total in the paragraph asks for them ("1주차 32시간 / … / 합계") or a
    // name is given them ("근무 = 6시간 30분").
    // "총 18시간": hours after 총 say what the lines above came to.
    out.hours_unasked =
        out.kind == LineKind::Duration && !totals_here(r) && !r.valued && !trim_white_space(r.line).starts_with("총");
    out.unit = money                                 ? ResultUnit::Money
               : figure.role == FigureRole::Duration ? ResultUnit::Duration
                                                     : ResultUnit::Number;
    out.value = figure.value;
    out.expression = figure.value;
    out.currency = figure.currency;
    if (!out.currency.empty()) out.won = in_won(r, out.value, out.currency);
    written_as_figure();
}

std::string unclear_reason(const Reading& r) {
    for (const LineToken& token : r.tokens) {
        if (token.kind == TokenKind::Number && token.marks.unclear)
            return quoted_object(r.line.substr(token.begin, token.end - token.begin)) + " 읽을 수 없습니다";
    }
    return notes_detail::blocked_operation(r);
}

// A figure or an operator in checked that cannot be read whole leaves the line without a
// result, and says why; the line keeps the figures of r.
bool left_unclear(const Reading& r, const Reading& checked, LineReading& out) {
    std::string why = unclear_reason(checked);
    if (why.empty()) return false;
    fill_figures(r, {}, out);
    out.kind = LineKind::Expression;
    out.unclear = std::move(why);
    return true;
}

// A line that is neither a total line nor a definition, read into out, a clear reading.
// valued: a value is asked for (a definition's, a selection's), so a bare number is one.
void read_plain(LineReading& out, TokenMemo& memo, std::string_view line, bool selected, const NoteScope* scope,
                NameUse& use, bool valued) {
    // Most lines of a memo are words alone: no digit, and no 원 for a number word.
    if (scope == nullptr && find_byte_of(line, "0123456789") == std::string_view::npos &&
        line.find("원") == std::string_view::npos)
        return;
    const std::string_view kept = trim_white_space(line);
    const std::size_t kept_end = kept.empty() ? 0 : static_cast<std::size_t>(kept.data() - line.data()) + kept.size();
    const std::size_t results = old_result_start(line.substr(0, kept_end));
    std::string_view body = line.substr(0, results == std::string_view::npos ? kept_end : results);
    body = trim_white_space(body);
    const std::size_t body_end = body.empty() ? 0 : static_cast<std::size_t>(body.data() - line.data()) + body.size();
    out.asks = results != std::string_view::npos;
    out.replace_begin = body_end;
    out.replace_end = out.asks ? line.size() : body_end;

    valued = valued || selected;
    Reading r = read_tokens(memo, line.substr(0, body_end), false, scope, &use, out.asks, valued);
    bool has_figure = false;
    for (std::size_t i = 0; i < r.tokens.size(); ++i) has_figure = has_figure || r.number(i);
    if (left_unclear(r, r, out)) return;
    if (out.asks && !has_amount(r) && !has_amount(read_tokens(memo, r.line, true, scope, nullptr, true))) {
        // "월세 = 550,000", "환율 $1 = 1,380원": a label and its amount, not a request.
        read_amount(read_tokens(memo, line, false, nullptr, nullptr, false, true), out);
        if (out.kind != LineKind::Nothing && out.currency.empty()) {
            out.asks = false;
            out.replace_begin = out.replace_end = kept_end;
            return;
        }
        out = LineReading{};
        out.asks = true;
        out.replace_begin = body_end;
        out.replace_end = line.size();
    }
    if (out.asks && counts_only(r)) {
        // "휴지 30롤 x 2 = 36,800": what the things counted cost, no product of the counts.
        const std::string_view written = line.substr(results + 1, kept_end - results - 1);
        const Reading price = read_tokens(memo, written, false, nullptr, nullptr, false, true);
        LineReading counted = out;
        const std::optional<Parsed> parsed = parse_expression(r, true);
        if (parsed) evaluate_into(r, *parsed, counted);
        if (notes_detail::money_alone(price) && (!parsed || counted.value != price.tokens[0].value)) {
            out = LineReading{};
            read_amount(price, out);
            out.replace_begin = out.replace_end = kept_end;
            return;
        }
    }
    if (std::optional<Parsed> parsed = parse_expression(r, out.asks)) {
        evaluate_into(r, *parsed, out);
        return;
    }
    if (out.asks) {
        // "12/7 =" asks for a division, not a date; "2026-03-02 ~ 2026-12-08 =" for nothing.
        const Reading split = read_tokens(memo, line.substr(0, body_end), true, scope, nullptr, true);
        if (left_unclear(r, split, out)) return;
        if (std::optional<Parsed> parsed = parse_expression(split, true)) {
            evaluate_into(split, *parsed, out);
            return;
        }
        fill_figures(r, {}, out);
        out.kind = LineKind::Expression;
        out.error = CalcError{calc_error::InvalidExpression{}};
        for (const LineToken& token : r.tokens) {
            if (token.marks.joined_by_point)
                out.error = CalcError{
                    calc_error::InvalidNumber{std::string(body.substr(token.begin, token.end - token.begin))}};
        }
        if (!has_figure) out.error = CalcError{calc_error::Empty{}};
        return;
    }
    if (selected) {
        const Reading split = read_tokens(memo, line.substr(0, body_end), true, scope, nullptr, false, true);
        if (std::optional<Parsed> parsed = parse_expression(split, false)) {
            evaluate_into(split, *parsed, out);
            return;
        }
    }
    read_amount(r, out);
}

}  // namespace

bool is_note_name(std::string_view word) {
    // "지급계 = 기본급 + 식대": a total word glued to what it adds names that sum; 합계 alone never.
    const std::optional<TotalLine> total = read_total_line(word, false);
    if (word.empty() || (total && total->word != TotalWord::Labelled) || is_previous_word(word) || word == "원")
        return false;
    const notes_detail::WrittenNumber number = notes_detail::read_written_number(word, 0, true);
    if (number.end == word.size()) return false;  // "만", "오천"
    for (std::size_t pos = 0; pos < word.size();) {
        const std::size_t start = pos;
        const char32_t c = decode_utf8(word, pos);
        const bool letter = is_hangul_syllable(c) || (c < 0x80 && std::isalpha(static_cast<int>(c)));
        const bool later = c < 0x80 && (std::isdigit(static_cast<int>(c)) || c == '_');
        if (!letter && !(start > 0 && later)) return false;
    }
    return true;
}

namespace {

// The reading of a part of a line that starts at offset, placed in the whole line.
void shift(LineReading& reading, std::size_t offset) {
    reading.replace_begin += offset;
    reading.replace_end += offset;
}

// "세율 = 3.3%", "입주 = 2026-03-02", "기간 = 90일", "보유 = 20주": what a value that is a
// rate, a date, days or a count of shares and nothing else gives its name, as the lines
// below read it; empty for anything else.
std::string given(TokenMemo& memo, std::string_view name, std::string_view text, const LineReading& value) {
    if (value.has_result() || value.figures.size() != 1) return {};
    const std::vector<LineToken>& tokens = memo.tokens(text);
    const bool figures_only =
        std::all_of(tokens.begin(), tokens.end(), [](const LineToken& t) { return t.kind == TokenKind::Number; });
    const Figure& figure = value.figures.front();
    if (figure.role == FigureRole::Rate && tokens.size() == 1 && figures_only)
        return std::string(trim_white_space(text));
    if (figure.role == FigureRole::Date && (figures_only || trim_white_space(text) == "오늘"))
        return result_text({figure.value, ResultUnit::Date, {}, {}, {}}, false);
    if (figure.role == FigureRole::Days && figures_only)
        return result_text({figure.value, ResultUnit::Days, {}, {}, {}}, false);
    if (figure.role == FigureRole::DateTime && figures_only && trim_white_space(text).ends_with("주") &&
        notes_detail::counts_shares(name))
        return figure.value;
    return {};
}

}  // namespace

namespace {

// "- 점심 9,000" among signed amounts: the item's value below zero.
void negate(LineReading& reading) {
    const auto flip = [](std::string& value) {
        if (value.empty() || value == "0") return;
        if (value.starts_with('-'))
            value.erase(0, 1);
        else
            value.insert(0, 1, '-');
    };
    if (reading.unit != ResultUnit::Money && reading.unit != ResultUnit::Number && reading.unit != ResultUnit::Duration)
        return;
    flip(reading.value);
    std::string won = reading.won;
    flip(won);
    reading.won = std::move(won);
}

// The one word before a line's one figure, or its figures worked out, when it can be a
// name: "관리비 12만 3천", "차액 34만 - 28만".
std::string labelled(TokenMemo& memo, std::string_view line, bool worked) {
    const std::vector<LineToken>& tokens = memo.tokens(line);
    if (tokens.size() < 2 || (!worked && tokens.size() != 2) || tokens[0].kind != TokenKind::Word ||
        tokens[1].kind != TokenKind::Number)
        return {};
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        const TokenKind kind = tokens[i].kind;
        if (kind != TokenKind::Number && !is_operator(kind) && kind != TokenKind::Open && kind != TokenKind::Close)
            return {};
    }
    const std::string_view word = line.substr(tokens[0].begin, tokens[0].end - tokens[0].begin);
    return is_note_name(word) && !notes_detail::names_a_number(word) ? std::string(word) : std::string();
}

void read_any(LineReading& out, TokenMemo& memo, std::string_view line, bool selected, const NoteScope* scope,
              bool valued, bool defining = false);

// "배민 2만원 주문 수수료 = 20,000 x 7.8%": a label with figures of its own, then "=" and an
// operation on figures, is what the operation works out.
std::optional<LineReading> worked_out_after_label(TokenMemo& memo, std::string_view line, bool selected,
                                                  const NoteScope* scope) {
    if (line.find('=') == std::string_view::npos) return std::nullopt;
    // The line's own cut, which its plain reading takes next anyway.
    const std::vector<LineToken>& t = memo.tokens(line);
    const auto sign = std::find_if(t.begin(), t.end(), [](const LineToken& k) { return k.kind == TokenKind::Equals; });
    if (sign == t.end()) return std::nullopt;
    const auto kind_before = [&](auto test) { return std::any_of(t.begin(), sign, test); };
    const bool words = kind_before([](const LineToken& k) { return k.kind == TokenKind::Word; });
    const bool figures = kind_before([](const LineToken& k) { return k.kind == TokenKind::Number; });
    const bool operators = kind_before([](const LineToken& k) { return is_operator(k.kind); });
    // "B + 사다리차 = 1,720,000 + 150,000": words no line above names, joined as the figures
    // after "=" are, say what those figures are.
    // A figure glued to the word before it is of that word: "주3회 + 픽업 = 32만 + 12만".
    bool loose_figures = false;
    for (auto k = t.begin(); k != sign; ++k) {
        loose_figures =
            loose_figures || (k->kind == TokenKind::Number &&
                              (k == t.begin() || (k - 1)->kind != TokenKind::Word || (k - 1)->end != k->begin));
    }
    const bool named_nowhere =
        words && !loose_figures && operators && scope != nullptr && kind_before([&](const LineToken& k) {
            return k.kind == TokenKind::Word && !scope->value_of(line.substr(k.begin, k.end - k.begin));
        });
    if (!named_nowhere && (!words || !figures || operators)) return std::nullopt;
    const std::size_t after = sign->end;
    const std::string_view rest = line.substr(after);
    const std::vector<LineToken>& right = memo.tokens(rest);
    bool operation = false;
    for (std::size_t k = 1; k + 1 < right.size() && !operation; ++k)
        operation = is_operator(right[k].kind) && right[k - 1].kind == TokenKind::Number &&
                    right[k + 1].kind == TokenKind::Number;
    if (!operation) return std::nullopt;
    LineReading value;
    read_any(value, memo, rest, selected, scope, true);
    if (value.kind != LineKind::Expression || !value.has_result()) return std::nullopt;
    shift(value, after);
    return value;
}

// "동기 모임 회비 (월 3만)", "마이너스통장 (한도 3천)": words whose only figures lie in a remark
// after them, opened by a word, name a note; the remark is no amount of the line ("이상철 (6만
// 냄)" is).
bool remark_only(const std::vector<LineToken>& t) {
    std::size_t open = 0;
    while (open < t.size() && t[open].kind == TokenKind::Word) ++open;
    if (open == 0 || open + 3 >= t.size() || t[open].kind != TokenKind::Open || t.back().kind != TokenKind::Close ||
        t[open + 1].kind != TokenKind::Word)
        return false;
    const auto inside = t.begin() + static_cast<std::ptrdiff_t>(open + 1);
    return std::any_of(inside, t.end() - 1, [](const LineToken& k) { return k.kind == TokenKind::Number; }) &&
           std::none_of(inside, t.end() - 1, [](const LineToken& k) {
               return k.kind == TokenKind::Open || k.kind == TokenKind::Close || is_operator(k.kind);
           });
}

// Reads a line with no break in it into out, a clear reading: the reading of an item or
// of the text after a mark is made there too, never moved up from a reading of its own.
// Trailing spaces after a result are the result's.
// valued: the text is a value asked for (after "이름 ="), so a bare number is one.
// defining: it is the value after "이름 =".
void read_any(LineReading& out, TokenMemo& memo, std::string_view line, bool selected, const NoteScope* scope,
              bool valued, bool defining) {
    if (line.find("\xEF\xBC") != std::string_view::npos) {
        std::vector<std::size_t> origin;
        const std::string ascii = ascii_figures(line, origin);
        if (ascii.size() != line.size()) {
            // The copy's texts lie in a buffer of their own.
            TokenMemo ascii_memo;
            read_any(out, ascii_memo, ascii, selected, scope, valued);
            out.replace_begin = origin[out.replace_begin];
            out.replace_end = origin[out.replace_end];
            return;
        }
    }
    // Its signed item and whether it is a total line, as its traits found them.
    const TokenMemo::Shape* shape = memo.shape(line);
    std::optional<SignedItems> chain;
    if (const notes_detail::SignedItem signed_item = shape != nullptr
                                                         ? notes_detail::SignedItem{shape->sign, shape->item}
                                                         : notes_detail::signed_item_start(line);
        signed_item.sign != 0) {
        SignedItems mode = scope != nullptr ? scope->signed_items() : SignedItems::List;
        // "- 20231145 김민수": an item headed by an id goes on from nothing.
        if (notes_detail::id_digits_at(line, signed_item.item)) mode = SignedItems::List;
        if (mode != SignedItems::Chain) {
            read_any(out, memo, line.substr(signed_item.item), selected, scope, valued);
            shift(out, signed_item.item);
            if (signed_item.sign == '-' && mode == SignedItems::Signs) negate(out);
            out.signed_item = mode;
            return;
        }
        // Under a line with a result, "- 쿠폰 5,000" goes on from it as "- 5,000" would, and
        // so does "-쿠폰 5,000" (read with the space, its offsets taken back).
        const std::size_t item = signed_item.item;
        if (line[item - 1] != ' ' && line[item - 1] != '\t') {
            const std::string spaced = std::string(line.substr(0, item)) + ' ' + std::string(line.substr(item));
            TokenMemo spaced_memo;
            read_any(out, spaced_memo, spaced, selected, scope, valued);
            out.replace_begin -= out.replace_begin > item ? 1 : 0;
            out.replace_end -= out.replace_end > item ? 1 : 0;
            return;
        }
        chain = mode;
    } else if (const std::size_t item = list_item_start(line); item > 0) {
        read_any(out, memo, line.substr(item), selected, scope, valued);
        shift(out, item);
        return;
    }
    if (const std::optional<TotalLine> total =
            shape != nullptr && !shape->total ? std::nullopt : read_total_line(line)) {
        const std::string_view word = trim_white_space(line.substr(0, total->word_end));
        // "총액 128,000원" with no result above it in its block: the amount, named. "일시불 합계
        // 412,330" under other items: a sum of things not listed, where an old result of the
        // items would be their sum.
        if (total->value && scope != nullptr) {
            NameUse ignored;
            read_plain(out, memo, line.substr(total->word_end), selected, scope, ignored, true);
            const bool own =
                !scope->block_has_result() || (total->word == TotalWord::Labelled && out.kind == LineKind::Amount &&
                                               scope->block_sum(total->word) != out.value);
            if (own && out.kind == LineKind::Amount) {
                out.defines = std::string(word);
                shift(out, total->word_end);
                return;
            }
            out = LineReading{};
        }
        out.kind = LineKind::Total;
        out.total = total->word;
        out.won_only = word.starts_with(WON_ONLY);
        out.replace_begin = total->word_end;
        out.replace_end = total->line_end;
        out.asks = true;
        return;
    }
    if (std::optional<ExchangeRate> rate = notes_detail::read_exchange_rate(line)) {
        out.sets_rate = std::move(rate);
        // "환율 = 1,380": the name gives the rate to the lines below, a result of none.
        if (const std::optional<Definition> definition = read_definition(line)) {
            out.defines = definition->name;
            out.gives = out.sets_rate->won;
        }
        return;
    }
    const std::optional<Definition> definition = read_definition(line);
    // "회원번호: 88120457": a name for a number that names something gives no value.
    if (definition && notes_detail::names_a_number(definition->name)) return;
    if (definition) {
        const std::string_view rest = line.substr(definition->rest);
        // "월세 = 550000" asks for its value; "점심: 12000" is a label like any other.
        const bool equals = line.substr(0, definition->rest).ends_with('=');
        LineReading value;
        read_any(value, memo, rest, selected, scope, valued || equals, equals);
        value.gives = given(memo, definition->name, rest, value);
        if (value.has_result() || !value.gives.empty()) {
            value.defines = definition->name;
            out = std::move(value);
            shift(out, definition->rest);
            return;
        }
    }
    if (!definition) {
        if (std::optional<LineReading> worked = worked_out_after_label(memo, line, selected, scope)) {
            out = std::move(*worked);
            return;
        }
    }
    NameUse use;
    use.defining = defining;
    read_plain(out, memo, line, selected, scope, use, valued);
    out.uses = std::move(use.uses);
    out.uses_previous = use.uses_previous;
    out.continues = use.continues;
    out.unknown = std::move(use.unknown);
    out.signed_item = chain;
    if (use.alone && out.has_result() && out.uses.size() == 1) out.echoes = out.uses.front();
    // A name nothing above defines leaves the line without a result, never one of some terms.
    if (!out.unknown.empty()) {
        out.value.clear();
        out.unclear = scope != nullptr && scope->labels_elsewhere(out.unknown)
                          ? "다른 문단의 " + quoted_topic(out.unknown) + " '" + out.unknown + " = …'으로 정해야 씁니다"
                          : quoted_object(out.unknown) + " 찾을 수 없습니다";
    } else if (use.nothing_above) {
        out.value.clear();
        out.unclear = "이어서 계산할 윗줄의 결과가 없습니다";
    } else if (use.goes_on && out.kind == LineKind::Amount && !out.figures.empty() && out.figures.front().used) {
        // "- 차 12가 3456 정기검사" under a result: nothing of its own to go on with.
        out.value.clear();
        out.kind = LineKind::Nothing;
    } else if (chain && use.goes_on && out.kind == LineKind::Expression && out.figures.size() > 1 &&
               std::all_of(out.figures.begin() + 1, out.figures.end(),
                           [](const Figure& f) { return !f.used || f.role == FigureRole::Count; })) {
        // "5만 / - 콩나물 2봉": a count taken from money is no sum; the item names what was bought.
        out.value.clear();
        out.kind = LineKind::Nothing;
        for (Figure& figure : out.figures) figure.used = false;
    }
    // "관리비 12만 3천", "점심 12,000원", "차액 34만 - 28만": a word and its one amount, or the
    // figures it works out, give the word that value for the lines below, as "관리비: 12만 3천" does.
    const bool worked = out.kind == LineKind::Expression && out.uses.empty() && !out.uses_previous;
    if ((out.kind == LineKind::Amount || worked) && out.defines.empty() && !out.continues) {
        out.defines = labelled(memo, line, worked);
        out.labels = !out.defines.empty();
    }
}

// memo, when given, keeps the line's shape for its reading.
template <class HoldsMoney>
LineTraits traits_of(std::string_view line, HoldsMoney holds_money, TokenMemo* memo = nullptr) {
    LineTraits traits;
    traits.empty = trim_white_space(line).empty();
    if (traits.empty) return traits;
    const notes_detail::SignedItem item = notes_detail::signed_item_start(line);
    traits.plus_item = item.sign == '+';
    traits.minus_item = item.sign == '-';
    const std::string_view opening = trim_white_space(line);
    traits.bullet = (opening.starts_with('*') || opening.starts_with("\u2022") || opening.starts_with("\u00B7")) &&
                    marks_list_item(opening);
    const bool total = read_total_line(line).has_value();
    if (memo != nullptr) memo->keep_shape(line, {item.sign, item.item, total});
    if (total) {
        traits.money = traits.total = true;
        return traits;
    }
    // Most lines hold no figure at all: no digit, and no 원 for a number word.
    traits.money = (find_byte_of(line, "0123456789$\xC2\xE2\xEF") != std::string_view::npos ||
                    find_text(line, "원") != std::string_view::npos) &&
                   holds_money(line);
    traits.marked = traits.money;
    for (std::size_t eok = find_text(line, "억"); traits.money && eok != std::string_view::npos;
         eok = find_text(line, "억", eok + 1)) {
        std::size_t digit = eok;
        while (digit > 0 && line[digit - 1] == ' ') --digit;
        traits.in_eok = traits.in_eok || (digit > 0 && is_ascii_digit(line[digit - 1]));
    }
    // "4.500원", "8.700 원".
    for (std::size_t won = find_text(line, "원"); traits.money && won != std::string_view::npos;
         won = find_text(line, "원", won + 1)) {
        const std::size_t end = won > 0 && line[won - 1] == ' ' ? won - 1 : won;
        traits.point_for_comma =
            traits.point_for_comma || (end >= 5 && line[end - 4] == '.' && is_ascii_digit(line[end - 5]) &&
                                       all_ascii_digits(line.substr(end - 3, 3)));
    }
    // "현재 연봉 3800": a plain figure, on a line that marks no money.
    const bool digits = find_byte_of(line, "0123456789") != std::string_view::npos;
    traits.man_unwritten = !traits.money && digits && notes_detail::leaves_man_unwritten(line);
    traits.heads_man = !digits && notes_detail::heads_sums_in_man(line);
    return traits;
}

// "시급 10,030", "편의점 시급: 9,860원", "평단 58,000": the word right before the amount says
// it is one hour's or one share's; "회비 3만씩", "55000씩 걷음": 씩 says each one's.
PerOne per_one(TokenMemo& memo, std::string_view line, const LineReading& out) {
    if (out.kind != LineKind::Amount || !out.has_result() || out.continues) return PerOne::None;
    static constexpr std::pair<std::string_view, PerOne> WORDS[] = {
        {"시급", PerOne::Hour}, {"시간당", PerOne::Hour}, {"평단", PerOne::Unit}, {"평단가", PerOne::Unit}};
    // "1박당 12,000엔", "개당 1,200원": the price of one of a unit; not "식당 12,000", nor a
    // day's or a lesson's pay ("일당 9만", "회당 55,000"), which is earned whole.
    static constexpr std::string_view PER[] = {"개당", "인당", "장당", "건당", "박당", "명당",
                                               "병당", "잔당", "평당", "포당", "팩당", "리터당"};
    // Most amounts say no such word, and are passed without cutting their line again.
    const bool each = find_text(line, "씩") != std::string_view::npos;
    if (!each && find_text(line, "당") == std::string_view::npos &&
        std::none_of(std::begin(WORDS), std::end(WORDS),
                     [&](const auto& word) { return find_text(line, word.first) != std::string_view::npos; }))
        return PerOne::None;
    const std::vector<LineToken>& t = memo.tokens(line);
    const auto figure =
        std::find_if(t.begin(), t.end(), [](const LineToken& k) { return k.kind == TokenKind::Number; });
    if (figure == t.end()) return PerOne::None;
    if (each && std::any_of(figure, t.end(), [&](const LineToken& k) {
            return k.kind == TokenKind::Number && line.substr(k.begin, k.end - k.begin).ends_with("씩");
        }))
        return PerOne::Each;
    for (auto number = figure; number != t.end(); ++number) {
        if (number->kind != TokenKind::Number) continue;
        auto word = number;
        while (word != t.begin() &&
               (std::prev(word)->kind == TokenKind::Colon || std::prev(word)->kind == TokenKind::Equals))
            --word;
        if (word == t.begin()) continue;
        const std::string_view label =
            line.substr(std::prev(word)->begin, std::prev(word)->end - std::prev(word)->begin);
        if (std::prev(word)->kind == TokenKind::Word) {
            for (const auto& [name, per] : WORDS) {
                if (label.ends_with(name)) return per;  // "통상시급 15,200원" too
            }
        }
        if (std::any_of(std::begin(PER), std::end(PER), [&](std::string_view per) { return label.ends_with(per); }))
            return PerOne::Per;
    }
    return PerOne::None;
}

}  // namespace

bool marks_list_item(std::string_view line) {
    line = trim_white_space(line);
    return notes_detail::list_item_start(line) > 0 && !line.starts_with('-') && !line.starts_with('+') &&
           !line.starts_with("\u2212");
}

LineTraits line_traits(std::string_view line) {
    return traits_of(line, [](std::string_view text) { return notes_detail::holds_money(text); });
}

LineTraits line_traits(std::string_view line, TokenMemo& memo) {
    return traits_of(
        line, [&](std::string_view text) { return notes_detail::holds_money(memo.tokens(text)); }, &memo);
}

LineReading read_line(std::string_view text, bool selected, const NoteScope* scope) {
    TokenMemo memo;
    return read_line(text, selected, scope, memo);
}

LineReading read_line(std::string_view text, bool selected, const NoteScope* scope, TokenMemo& memo) {
    // An item's remark may be what it paid ("4. 선물 (예산 10만)"); a line's names the line.
    // The line without its break, cut once for every reader below.
    const std::string_view line = text.substr(0, find_line_break(text));
    if (remark_only(memo.tokens(line))) return LineReading{};
    LineReading out;
    read_any(out, memo, line, selected, scope, false);
    out.per_one = per_one(memo, line, out);
    // A line with money on it that could not be read whole: no total may pass over it.
    const bool failed = !out.unclear.empty() || out.error || !out.unknown.empty() ||
                        (out.kind != LineKind::Expression && out.amounts > 1 && !out.parted);
    // "우유 1L x 24 = 55200": nor over a figure its writer worked out that the line does not give.
    const std::string_view old_result =
        text.substr(0, out.replace_end).substr(std::min(out.replace_begin, out.replace_end));
    const bool lost = out.asks && old_result.find_first_of("0123456789") != std::string_view::npos;
    out.unread = (failed || lost) && !out.has_result() && !out.sets_rate && out.gives.empty() &&
                 out.kind != LineKind::Total &&
                 (lost || line_traits(text.substr(0, text.find_first_of("\r\n")), memo).money);
    return out;
}

}  // namespace numvora
