// Dates, times, durations and areas among a line's tokens. Each is read by its own
// reader from the first token of its shape and becomes one figure with its value, so
// that the roles, the labels and the expression see one figure where "6시간 30분",
// "2026-12-08" or "09:00~18:00" is written.
#include <algorithm>
#include <iterator>
#include <utility>

#include "common/unicode.h"
#include "notes/figures/plain_number.h"
#include "notes/reading/line_parts.h"

namespace numvora::notes_detail {

namespace {

constexpr std::string_view TODAY_WORD = "오늘";
// Beside these, "20주" counts shares, not weeks: "보유 20주", "주식 3주", "10주 매수".
constexpr std::string_view SHARE_WORDS[] = {"보유", "매수", "매도", "주식"};

// What a reader took from a token on: a figure, or a time of day or a month without its
// year to pass over as it is written.
struct Found {
    Quantity quantity;
    std::size_t end = 0;
    bool worked_out = false;
};

class QuantityReader {
public:
    QuantityReader(std::string_view line, std::vector<Token>& tokens, const NoteScope* scope)
        : line_(line), tokens_(tokens), scope_(scope) {}

    // In place: a figure takes the place of its first token, and the tokens it read go.
    // A token before the one being read keeps its kind, which is all a reading looks at.
    void run() {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < tokens_.size();) {
            const std::optional<Found> found = at(i);
            const std::optional<std::size_t> last = found ? last_token(i, found->end) : std::nullopt;
            std::size_t end = last.value_or(i);
            if (!last || std::holds_alternative<std::monostate>(found->quantity)) {
                for (; i <= end; ++i, ++kept) {
                    if (kept != i) tokens_[kept] = std::move(tokens_[i]);
                }
                continue;
            }
            Found figure = *found;
            if (std::holds_alternative<CalendarDate>(figure.quantity)) span(end, figure);
            tokens_[kept++] = fused(i, end, figure);
            i = end + 1;
        }
        tokens_.resize(kept);
    }

private:
    std::optional<DayNumber> today() {
        if (!asked_) today_ = scope_ != nullptr ? scope_->today() : std::nullopt;
        asked_ = true;
        return today_;
    }

    std::string_view text(std::size_t i) const {
        return line_.substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin);
    }
    // What follows a figure's digits: "시간" of "6.5시간", "월에" of "12월에", "-12-08".
    std::string_view after_digits(std::size_t i) const {
        const std::string_view all = text(i);
        std::size_t digits = 0;
        while (digits < all.size() && (is_ascii_digit(all[digits]) || all[digits] == '.')) ++digits;
        return all.substr(digits);
    }
    bool kind_at(std::size_t i, std::initializer_list<TokenKind> kinds) const {
        if (i >= tokens_.size()) return false;
        for (const TokenKind kind : kinds) {
            if (tokens_[i].kind == kind) return true;
        }
        return false;
    }
    // The end of token i, or of the one after it when that is a figure of the given word:
    // the day after a month, the minutes after an hour.
    std::size_t with_next(std::size_t i, std::string_view word) const {
        const bool next = i + 1 < tokens_.size() && tokens_[i + 1].kind == TokenKind::Number &&
                          tokens_[i + 1].marks.date && after_digits(i + 1).starts_with(word);
        return tokens_[next ? i + 1 : i].end;
    }

    // The token the text read ends with: it must end there, or inside a figure whose
    // word it read, leaving a particle ("8일에").
    std::optional<std::size_t> last_token(std::size_t i, std::size_t end) const {
        for (std::size_t j = i; j < tokens_.size() && tokens_[j].begin < end; ++j) {
            if (tokens_[j].end == end) return j;
            if (tokens_[j].end > end)
                return tokens_[j].kind == TokenKind::Number && tokens_[j].marks.date ? std::optional(j) : std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<Found> at(std::size_t i) {
        const Token& token = tokens_[i];
        if (token.kind == TokenKind::Word) return at_word(i);
        if (token.kind != TokenKind::Number) return std::nullopt;
        // Digits joined like a date or a time, also where they were parted as operators
        // ("2026-12-08 + 100일" is no subtraction).
        std::size_t joiner = token.begin;
        while (joiner < line_.size() && is_ascii_digit(line_[joiner])) ++joiner;
        const char sign = joiner < line_.size() ? line_[joiner] : '\0';
        std::optional<Found> joined;
        if (sign == ':' && token.marks.joined) joined = clock(token.begin);
        // "12/8" is a date only after another, or taken from today ("12/12 - 오늘"); elsewhere
        // a fraction or a division.
        if (sign == '/' && (date_before_ || today_taken(i))) joined = date(token.begin, true, true);
        if (sign == '-' || sign == '.') joined = date(token.begin, false);
        if (joined || token.marks.joined) return joined;
        const std::string_view word = after_digits(i);
        // "근무시간 5h": hours written short.
        if ((word.starts_with("h") || word.starts_with("H")) && word.size() == 1) {
            const std::optional<MinutesRead> read = read_duration(line_, token.begin);
            if (read) return Found{Duration{read->minutes}, read->end};
        }
        if (!token.marks.date) return area(i);
        if (word == "분" && people(i)) {
            tokens_[i].marks.date = false;
            tokens_[i].marks.counter = true;
            return std::nullopt;
        }
        if (word.starts_with("시간") || word.starts_with("분")) {
            const std::optional<MinutesRead> read = read_duration(line_, token.begin);
            if (!read) return std::nullopt;
            return Found{Duration{read->minutes}, read->end};
        }
        if (word.starts_with("시")) {
            // "9시~18시": a span of hours; "3시 30분" alone a time of day.
            if (const std::optional<Found> range = clock(token.begin)) return range;
            return Found{{}, with_next(i, "분")};
        }
        if (word.starts_with("주") && shares(i)) {
            tokens_[i].marks.date = false;
            tokens_[i].marks.counter = true;
            return std::nullopt;
        }
        if (word.starts_with("년")) return date(token.begin, false);
        if (word.starts_with("월")) {
            if (std::optional<Found> found = date(token.begin, true)) return found;
            return Found{{}, with_next(i, "일")};  // no year to put it in: the month and its day stay
        }
        if (word.starts_with("일")) {
            const std::optional<DigitsRead> days = read_digits(line_, token.begin, 1, 18);
            if (!days || !starts_at(line_, days->end, "일")) return std::nullopt;
            return Found{DayCount{days->value}, days->end + std::string_view("일").size()};
        }
        return std::nullopt;
    }

    std::optional<Found> at_word(std::size_t i) {
        const Token& token = tokens_[i];
        const std::string_view word = text(i);
        if (((word == "D" || word == "d") && starts_at(line_, token.end, "-")) || word == "디데이") {
            const std::optional<DayNumber> day = today();
            const std::optional<DateRead> read = day ? read_d_day(line_, token.begin, *day) : std::nullopt;
            if (!read) return std::nullopt;
            date_before_ = true;
            return Found{DDay{read->day, static_cast<std::int64_t>(read->day) - *day}, read->end, true};
        }
        // "오늘" beside an operator or alone: "오늘 + 100일", "2026-12-25 - 오늘"; not "오늘 점심".
        const std::initializer_list<TokenKind> joins = {TokenKind::Plus, TokenKind::Minus, TokenKind::Tilde};
        if (word == TODAY_WORD && (tokens_.size() == 1 || (i > 0 && kind_at(i - 1, joins)) || kind_at(i + 1, joins)))
            return date(token.begin, true);
        // A part of the day before an hour: "오후 3시", "밤 10시~새벽 3시".
        return kind_at(i + 1, {TokenKind::Number}) && opens_day_part(line_.substr(token.begin)) ? clock(token.begin)
                                                                                                : std::nullopt;
    }

    // "보유 20주", "20주 매수", "20주 x 71,000원": 주 counts shares beside a word of shares or a price.
    bool shares(std::size_t i) const {
        const auto word = [&](std::size_t at) {
            return at < tokens_.size() && tokens_[at].kind == TokenKind::Word ? text(at) : std::string_view();
        };
        if (i > 0 && counts_shares(word(i - 1))) return true;
        const std::string_view after = word(i + 1);
        if (std::any_of(std::begin(SHARE_WORDS), std::end(SHARE_WORDS),
                        [&](std::string_view share) { return after.starts_with(share); }))
            return true;
        const auto price = [&](std::size_t times, std::size_t at) {
            if (!kind_at(times, {TokenKind::Times}) || !kind_at(at, {TokenKind::Number})) return false;
            const NumberMarks& m = tokens_[at].marks;
            return m.won || m.grouped || m.unit || m.foreign;
        };
        return price(i + 1, i + 2) || (i >= 2 && price(i - 1, i - 2));
    }

    // "동료 3분 x 5만": 분 before a price per head counts people, where minutes would be
    // odd: under ten of them, or a price in 만 ("30분 x 10,030원" is half an hour's pay).
    bool people(std::size_t i) const {
        if (!kind_at(i + 1, {TokenKind::Times}) || !kind_at(i + 2, {TokenKind::Number})) return false;
        const NumberMarks& m = tokens_[i + 2].marks;
        if (!(m.won || m.grouped || m.unit)) return false;
        const std::optional<DigitsRead> minutes = read_digits(line_, tokens_[i].begin, 1, 3);
        return m.unit || (minutes && minutes->value < 10);
    }

    bool today_taken(std::size_t i) const {
        return kind_at(i + 1, {TokenKind::Minus}) && i + 2 < tokens_.size() && i + 3 == tokens_.size() &&
               text(i + 2) == TODAY_WORD;
    }

    // A span of clock times is its duration; a time alone stays as written.
    std::optional<Found> clock(std::size_t pos) const {
        if (const std::optional<MinutesRead> range = read_clock_range(line_, pos))
            return Found{Duration{range->minutes}, range->end, true};
        if (const std::optional<MinutesRead> time = read_clock_time(line_, pos)) return Found{{}, time->end};
        return std::nullopt;
    }

    // needs_today: "오늘", or a date in today's year ("12월 8일", and "12/8" when month_slash_day).
    std::optional<Found> date(std::size_t pos, bool needs_today, bool month_slash_day = false) {
        const std::optional<DayNumber> day = needs_today ? today() : std::nullopt;
        if (needs_today && !day) return std::nullopt;
        const std::optional<DateRead> read = read_date(line_, pos, day.value_or(0), month_slash_day);
        if (!read) return std::nullopt;
        date_before_ = true;
        // "2027-02-27 D-day", "2027-02-27까지 (디데이)": the D-day written after its date.
        if (d_day_mark_end(line_, read->end)) {
            const std::optional<DayNumber> from = today();
            const std::optional<DateRead> d_day = from ? read_d_day(line_, pos, *from) : std::nullopt;
            if (!d_day) return std::nullopt;
            return Found{DDay{d_day->day, static_cast<std::int64_t>(d_day->day) - *from}, d_day->end, true};
        }
        return Found{CalendarDate{read->day}, read->end};
    }

    std::optional<Found> area(std::size_t i) const {
        const Token& token = tokens_[i];
        const NumberMarks& m = token.marks;
        if (m.unit || m.won || m.foreign || m.percent) return std::nullopt;
        const std::optional<AreaRead> read = read_area(line_, token.begin);
        if (!read) return std::nullopt;
        // "84㎡ (25.4평)": an area and its conversion are one area.
        if (const std::optional<AreaRead> both = read_area_with_conversion(line_, token.begin);
            both && area_figure(both->area, both->unit))
            return Found{Area{both->area, both->unit}, both->end};
        // "84㎡ 평", "32평 ㎡": the area asked in the other unit, when that is all the line asks.
        if (const std::optional<AreaRead> asked = read_area_conversion(line_, token.begin);
            asked && asked->end == tokens_.back().end && area_figure(asked->area, asked->unit))
            return Found{Area{asked->area, asked->unit}, asked->end, true};
        // "84㎡" is an area; "32평" stays a count, as in "평당 2,650만원 x 32평".
        if (read->unit != AreaUnit::SquareMetre || !area_figure(read->area, read->unit)) return std::nullopt;
        return Found{Area{read->area, read->unit}, read->end};
    }

    // "2026-03-02 ~ 2026-12-08": after a date, a tilde and a later date make the days
    // between, and end at that date.
    void span(std::size_t& last, Found& figure) {
        if (!kind_at(last + 1, {TokenKind::Tilde}) || last + 2 >= tokens_.size()) return;
        const std::optional<Found> to = at(last + 2);
        const std::optional<std::size_t> end = to ? last_token(last + 2, to->end) : std::nullopt;
        const CalendarDate* later = to ? std::get_if<CalendarDate>(&to->quantity) : nullptr;
        const DayNumber from = std::get<CalendarDate>(figure.quantity).day;
        if (!end || later == nullptr || later->day < from) return;
        figure = Found{DayCount{later->day - from}, to->end, true};
        last = *end;
    }

    Token fused(std::size_t first, std::size_t last, const Found& found) const {
        Token token;
        token.kind = TokenKind::Number;
        token.begin = tokens_[first].begin;
        token.end = tokens_[last].end;
        token.value = quantity_figure(found.quantity);
        token.quantity = found.quantity;
        token.marks.worked_out = found.worked_out;
        token.spaced_after = tokens_[last].spaced_after;
        return token;
    }

    std::string_view line_;
    std::vector<Token>& tokens_;
    const NoteScope* scope_;
    bool asked_ = false;
    std::optional<DayNumber> today_;
    bool date_before_ = false;  // a date, "오늘" or a D-day stands before: "12/8" is a date
};

}  // namespace

std::string quantity_figure(const Quantity& quantity) {
    if (const auto* d_day = std::get_if<DDay>(&quantity)) return std::to_string(d_day->day);
    if (const auto* area = std::get_if<Area>(&quantity))
        return area_figure(area->area, AreaUnit::SquareMetre).value_or("");
    return quantity_value(quantity);
}

std::string quantity_value(const Quantity& quantity) {
    struct Value {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(Duration d) const { return std::to_string(d.minutes); }
        std::string operator()(CalendarDate d) const { return std::to_string(d.day); }
        std::string operator()(DDay d) const { return std::to_string(d.days_left); }
        std::string operator()(DayCount d) const { return std::to_string(d.days); }
        std::string operator()(const Area& a) const { return area_figure(a.area, a.unit).value_or(""); }
    };
    return std::visit(Value{}, quantity);
}

ResultUnit quantity_unit(const Quantity& quantity) {
    struct Unit {
        ResultUnit operator()(std::monostate) const { return ResultUnit::Number; }
        ResultUnit operator()(Duration) const { return ResultUnit::Duration; }
        ResultUnit operator()(CalendarDate) const { return ResultUnit::Date; }
        ResultUnit operator()(DDay) const { return ResultUnit::DDay; }
        ResultUnit operator()(DayCount) const { return ResultUnit::Days; }
        ResultUnit operator()(const Area& a) const {
            return a.unit == AreaUnit::Pyeong ? ResultUnit::Pyeong : ResultUnit::SquareMetre;
        }
    };
    return std::visit(Unit{}, quantity);
}

FigureRole quantity_role(const Quantity& quantity) {
    switch (quantity_unit(quantity)) {
    case ResultUnit::Duration: return FigureRole::Duration;
    case ResultUnit::Date:
    case ResultUnit::DDay: return FigureRole::Date;
    case ResultUnit::Days: return FigureRole::Days;
    case ResultUnit::Pyeong:
    case ResultUnit::SquareMetre: return FigureRole::Area;
    default: return FigureRole::Amount;
    }
}

Quantity quantity_of_text(std::string_view text) {
    const bool negative = text.starts_with('-');
    const std::string_view size = text.substr(negative ? 1 : 0);
    const std::int64_t sign = negative ? -1 : 1;
    if (const auto read = read_duration(size, 0); read && read->end == size.size())
        return Duration{sign * read->minutes};
    // "2027-03-18 (목)": a date as a result shows it.
    if (const auto read = size.size() > 4 && size[4] == '-' ? read_date(size, 0, 0, false) : std::nullopt;
        !negative && read && (read->end == size.size() || starts_at(size, read->end, " (")))
        return CalendarDate{read->day};
    if (const auto read = read_digits(size, 0, 1, 18);
        read && read->end + std::string_view("일").size() == size.size() && starts_at(size, read->end, "일"))
        return DayCount{sign * read->value};
    return {};
}

bool counts_shares(std::string_view word) {
    return std::any_of(std::begin(SHARE_WORDS), std::end(SHARE_WORDS),
                       [&](std::string_view share) { return word.ends_with(share); });
}

void read_quantities(std::string_view line, std::vector<Token>& tokens, const NoteScope* scope) {
    QuantityReader(line, tokens, scope).run();
}

}  // namespace numvora::notes_detail
