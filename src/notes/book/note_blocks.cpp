#include "notes/book/note_blocks.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "common/korean_particle.h"
#include "common/unicode.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_tokens.h"

namespace numvora {

namespace {

double value_of(std::string_view text) { return notes_detail::note_value(text); }

void add_passed(PassedFigures& to, const PassedFigures& from) {
    to.dates += from.dates;
    to.counts += from.counts;
    to.rates += from.rates;
    to.ranges += from.ranges;
    to.foreign.insert(to.foreign.end(), from.foreign.begin(), from.foreign.end());
    to.areas += from.areas;
    to.several += from.several;
    to.totals += from.totals;
    to.pay_rates += from.pay_rates;
    to.each += from.each;
    to.unit_prices += from.unit_prices;
    to.per_units += from.per_units;
}

std::size_t at(SumOf of) { return static_cast<std::size_t>(of); }

// "주2회 x 4주": counts worked out of counts and terms alone are a count, no sum of money;
// so are single digits alone ("에어팟 프로 2 x 1").
bool counts(const LineReading& reading) {
    if (reading.kind == LineKind::Count) return true;
    if (reading.kind != LineKind::Expression || reading.unit != ResultUnit::Number) return false;
    bool count = false;
    bool dated = false;
    bool digits = false;
    for (const Figure& figure : reading.figures) {
        if (!figure.used) continue;
        // "츄르 20개입 x 2": a few of a count are still a count, where "흑백 45장 x 50" is a price.
        // So is a fraction under 100 with no mark at all ("렌즈 1.67 압축 x 2").
        const std::size_t point = figure.value.find('.');
        const std::string_view whole = std::string_view(figure.value).substr(0, point);
        const bool few = figure.role == FigureRole::Amount && !whole.empty() &&
                         whole.size() <= (point == std::string::npos ? 1 : 2) &&
                         whole.find_first_not_of("0123456789") == std::string::npos;
        digits = digits || few;
        if (few) continue;
        if (figure.role != FigureRole::Count && figure.role != FigureRole::DateTime) return false;
        count = count || figure.role == FigureRole::Count;
        dated = dated || figure.role == FigureRole::DateTime;
    }
    return count || (digits && !dated);
}

bool is_empty_line(std::string_view line) { return trim_white_space(line).empty(); }

// "$360, 2,400엔": the foreign money passed over, summed by currency, in the order met.
std::string foreign_text(const std::vector<NoteResult>& foreign) {
    std::vector<std::pair<NoteResult, double>> sums;
    for (const NoteResult& money : foreign) {
        const std::string_view code = notes_detail::currency_code(money.currency);
        auto same = std::find_if(sums.begin(), sums.end(), [&](const auto& sum) {
            return notes_detail::currency_code(sum.first.currency) == code;
        });
        if (same == sums.end()) same = sums.insert(sums.end(), {money, 0.0});
        same->second += value_of(money.value);
    }
    std::string text;
    for (auto& [money, sum] : sums) {
        money.value = notes_detail::note_value_text(sum);
        text += (text.empty() ? "" : ", ") + result_text(money, true);
    }
    return text;
}

}  // namespace

std::vector<std::string_view> note_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    // Room for every line at once: a memo of a million lines would copy them twenty times.
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    // Each break looked for with memchr, a line's bytes at a time rather than one by one.
    const auto find = [&](char c, std::size_t from, std::size_t to) {
        if (from == to) return to;
        const void* at = std::memchr(text.data() + from, c, to - from);
        return at == nullptr ? to : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
    };
    std::size_t start = 0;
    for (std::size_t feed = find('\n', 0, text.size());; feed = find('\n', start, text.size())) {
        const std::size_t end = find('\r', start, feed);
        if (end == text.size()) break;
        lines.push_back(text.substr(start, end - start));
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    lines.push_back(text.substr(start));
    return lines;
}

void ResultSum::pass_over(const Figure& figure) {
    switch (figure.role) {
    // "12월 가계부", "2024년 연봉": a month or a year labels a line; no figure was passed.
    case FigureRole::DateTime: break;
    case FigureRole::Duration:
    case FigureRole::Date:
    case FigureRole::Days: ++passed_.dates; break;
    case FigureRole::Count: ++passed_.counts; break;
    case FigureRole::Rate: ++passed_.rates; break;
    case FigureRole::Range: ++passed_.ranges; break;
    case FigureRole::Foreign:
        passed_.foreign.push_back({figure.value, ResultUnit::Money, figure.currency, {}, {}});
        break;
    case FigureRole::Area: ++passed_.areas; break;
    case FigureRole::Amount:
    case FigureRole::Name: break;
    }
}

void ResultSum::pass(std::size_t PassedFigures::*figures) {
    ++(passed_.*figures);
    last_ = Last::Passed;
    last_passed_ = figures;
}

void ResultSum::add(Entry entry) {
    sums_[at(entry.of)] += value_of(entry.in_won()) - entry.counted;
    ++counts_[at(entry.of)];
    entries_.push_back(std::move(entry));
    last_ = Last::Entry;
}

void ResultSum::take_back(Last last) {
    if (last == Last::Passed) --(passed_.*last_passed_);
    if (last != Last::Entry) return;
    const Entry& entry = entries_.back();
    sums_[at(entry.of)] -= value_of(entry.in_won()) - entry.counted;
    --counts_[at(entry.of)];
    entries_.pop_back();
}

void ResultSum::take(const LineReading& reading, std::string_view text) {
    // "점심 12,000 / + 커피 4,500": the chain is worth 16,500 once, not 12,000 more.
    double counted = 0.0;
    if (reading.continues && last_ == Last::Total && reading.kind != LineKind::Total) {
        ++passed_.totals;
        return;
    }
    if (reading.continues) {
        if (last_ == Last::Entry) counted = entries_.back().counted;
        take_back(last_);
    }
    last_ = Last::Nothing;
    if (reading.kind == LineKind::Total) {
        last_ = Last::Total;
        return;
    }
    // "시급 10,030 / 12:00~18:00 / 합계": the hours add up, and a pay rate is no amount spent.
    if (reading.per_one != PerOne::None) {
        pass(reading.per_one == PerOne::Hour   ? &PassedFigures::pay_rates
             : reading.per_one == PerOne::Each ? &PassedFigures::each
             : reading.per_one == PerOne::Per  ? &PassedFigures::per_units
                                               : &PassedFigures::unit_prices);
        return;
    }
    if (reading.unread && unread_.empty()) {
        const std::string_view line = trim_white_space(text);
        unread_ = line.empty() ? std::string("?") : std::string(line);
    }
    // "예산 = 500만원 / 예산 / - 항공 180만원": the name alone adds nothing new where its
    // definition was added, and the chain on it adds what it changed.
    if (!reading.echoes.empty() && reading.currency.empty() &&
        std::find(defined_.begin(), defined_.end(), reading.echoes) != defined_.end())
        counted = value_of(reading.value);
    if (!reading.defines.empty() && reading.has_result()) defined_.push_back(reading.defines);
    if (reading.has_result()) {
        switch (reading.unit) {
        case ResultUnit::Date:
        case ResultUnit::DDay:
        case ResultUnit::Days: pass(&PassedFigures::dates); break;
        case ResultUnit::Pyeong:
        case ResultUnit::SquareMetre: pass(&PassedFigures::areas); break;
        case ResultUnit::Percent: pass(&PassedFigures::rates); break;
        case ResultUnit::Duration: add({reading.value, counted, SumOf::Durations, false, false, {}, {}, {}}); break;
        case ResultUnit::Number:
        case ResultUnit::Money:
            add({reading.value, counted, counts(reading) ? SumOf::Counts : SumOf::Amounts,
                 reading.unit == ResultUnit::Money, reading.grouped, reading.writing, reading.currency, reading.won});
            break;
        }
    }
    if (reading.kind != LineKind::Expression && (reading.amounts > 1 || reading.parted)) ++passed_.several;
    for (const Figure& figure : reading.figures) {
        // "12월 7일 점심 12,000원": a date beside a line's result labels it; nothing was passed.
        const bool labels = reading.has_result() && figure.role == FigureRole::Date;
        if (!figure.used && !labels) pass_over(figure);
    }
}

void ResultSum::take_figures(const LineReading& reading) {
    for (const Figure& figure : reading.figures) {
        if (figure.role == FigureRole::Amount)
            add({figure.value, 0.0, SumOf::Amounts, true, reading.grouped, {}, {}, {}});
        else if (figure.role == FigureRole::Count)
            add({figure.value, 0.0, SumOf::Counts, false, reading.grouped, {}, {}, {}});
        else if (figure.role == FigureRole::Duration)
            add({figure.value, 0.0, SumOf::Durations, false, false, {}, {}, {}});
        else
            pass_over(figure);
    }
}

void ResultSum::take_section(const NotesSum& section) {
    const bool money = section.unit == ResultUnit::Money;
    if (!section.currency.empty()) {
        add({section.value, 0.0, section.of, money, section.grouped, section.writing, section.currency, section.won});
    } else {
        for (const std::string& value : section.added)
            add({value, 0.0, section.of, money, section.grouped, section.writing, {}, {}});
    }
    add_passed(passed_, section.passed);
    if (unread_.empty()) unread_ = section.unread;
    last_ = Last::Nothing;
}

std::optional<NotesSum> ResultSum::foreign_sum(NotesSum out) const {
    std::string_view code;
    double value = 0.0, won = 0.0;
    bool all_won = true;
    for (const Entry& entry : entries_) {
        if (entry.of != SumOf::Amounts) continue;
        if (entry.currency.empty() || (!code.empty() && notes_detail::currency_code(entry.currency) != code))
            return std::nullopt;
        if (code.empty()) {
            code = notes_detail::currency_code(entry.currency);
            out.currency = entry.currency;
        }
        out.added.push_back(entry.value);
        value += value_of(entry.value);
        won += value_of(entry.won);
        all_won = all_won && !entry.won.empty();
        out.grouped = out.grouped || entry.grouped;
    }
    out.value = notes_detail::note_value_text(value);
    if (all_won) out.won = notes_detail::note_value_text(won);
    out.unit = ResultUnit::Money;
    return out;
}

NotesSum ResultSum::sum(bool won_only) const {
    NotesSum out;
    out.passed = passed_;
    out.of = counts_[at(SumOf::Amounts)] > 0     ? SumOf::Amounts
             : counts_[at(SumOf::Durations)] > 0 ? SumOf::Durations
                                                 : SumOf::Counts;
    for (const Entry& entry : entries_) {
        if (entry.of != out.of) ++(entry.of == SumOf::Counts ? out.passed.counts : out.passed.dates);
    }
    // A line it could not read leaves a sum in one currency without a figure too.
    if (out.of == SumOf::Amounts && !won_only && unread_.empty()) {
        if (std::optional<NotesSum> foreign = foreign_sum(out)) return *std::move(foreign);
    }
    bool money = false;
    // In 만 where every line added writes money so; with 원 where the lines write it: a
    // total under "8만 5,000원" is "58만 1,800원".
    bool in_man = true;
    bool won = false;
    for (const Entry& entry : entries_) {
        if (entry.of != out.of) continue;
        if (entry.in_won().empty()) {
            out.passed.foreign.push_back({entry.value, ResultUnit::Money, entry.currency, {}, {}});
            continue;
        }
        // A name alone adds nothing new where its definition was added.
        if (entry.counted != 0.0 && value_of(entry.in_won()) == entry.counted) continue;
        out.added.push_back(entry.counted == 0.0
                                ? entry.in_won()
                                : notes_detail::note_value_text(value_of(entry.in_won()) - entry.counted));
        out.grouped = out.grouped || entry.grouped;
        money = money || entry.money;
        in_man = in_man && entry.writing.in_man;
        won = won || entry.writing.won;
    }
    if (!out.added.empty()) out.value = notes_detail::note_value_text(sums_[at(out.of)]);
    out.unread = unread_;
    // "호텔 $120 / 식비 85,000원": won and foreign money with no rate make no one sum.
    if (!out.unread.empty() || (!out.added.empty() && money && !out.passed.foreign.empty() && !won_only))
        out.value.clear();
    out.writing = {in_man && !out.added.empty(), won};
    out.unit = out.of == SumOf::Durations ? ResultUnit::Duration : money ? ResultUnit::Money : ResultUnit::Number;
    return out;
}

bool ends_blocks(BlockMark line, BlockMark above) {
    return line.word == TotalWord::Grand || line.word == TotalWord::Labelled ||
           (line.empty && !above.empty && above.word == TotalWord::None);
}

std::optional<std::string> BlockTally::take(const LineReading& reading, bool empty, std::string_view text) {
    const BlockMark mark{empty, empty || reading.kind != LineKind::Total ? TotalWord::None : reading.total};
    std::optional<std::string> shown;
    if (mark.word != TotalWord::None) {
        NotesSum sum = total(mark.word, reading.won_only);
        if (mark.word == TotalWord::Sub && !sum.value.empty()) {
            if (!chain_) chain_.emplace();
            chain_->take_section(sum);
            if (gap_ && headed_) {
                headed_chain_.take_section(sum);
                ++headed_count_;
            }
        }
        block_ = {};
        if (!sum.value.empty()) shown = std::move(sum.value);
    } else if (!empty) {
        // A count shows nothing: "다낭 4명 경비" heads its paragraph as a word would.
        if (opening_) headed_ = !reading.has_result() || reading.kind == LineKind::Count;
        opening_ = false;
        block_.take(reading, text);
        if (reading.has_result()) shown = reading.value;
    } else if (chain_) {
        gap_ = opening_ = true;
        headed_ = false;
        headed_chain_ = {};
        headed_count_ = 0;
    }
    if (ends_blocks(mark, above_)) *this = {};
    above_ = mark;
    return shown;
}

NotesSum BlockTally::total(TotalWord word, bool won_only) const {
    NotesSum own = block_.sum(won_only);
    // Past an empty line a labelled total, or one under a heading of its own paragraph or
    // a list there that writes money unlike the sections above (a note of its own:
    // "월요일 / 아아 4,500원 / 합", or gifts in 만 over "총" under another note's 소계 in
    // digits), adds its own paragraph; "11월 총" right under the empty line, with none, adds
    // the 소계 sections above, and so do items written as they are.
    // Such a paragraph that holds sections of its own ("월 / … / 소계 / 화 / … / 소계 /
    // 총계") is a note of its own too: its total adds them, none of a note above.
    const bool own_list = chain_ && own.added.size() > 1 && own.writing.in_man != chain_->sum().writing.in_man;
    const bool own_paragraph = gap_ && !block_.empty() && (word == TotalWord::Labelled || headed_ || own_list);
    const bool headed_sections = gap_ && headed_ && headed_count_ > 1 && word != TotalWord::Sub;
    if (!chain_ || word == TotalWord::Sub || (own_paragraph && !headed_sections)) return own;
    ResultSum sections = headed_sections ? headed_chain_ : *chain_;
    sections.take_section(own);
    return sections.sum(won_only);
}

NotesSum selection_total(std::string_view text, const LineReader& read) {
    const std::vector<std::string_view> lines = note_lines(text);
    ResultSum sum;
    if (lines.size() == 1) {
        const LineReading reading = read(0, text);
        if (reading.kind == LineKind::Expression || reading.per_one == PerOne::Each)
            sum.take(reading, text);
        else if (reading.kind != LineKind::Total && !reading.parted)
            sum.take_figures(reading);
        return sum.sum();
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        sum.take(is_empty_line(lines[i]) ? LineReading{} : read(i, lines[i]), lines[i]);
    return sum.sum();
}

std::string sum_expression(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& value : values) {
        const bool subtract = !out.empty() && value.starts_with('-');
        if (!out.empty()) out += subtract ? " - " : " + ";
        out.append(value, subtract ? 1 : 0);
    }
    return out;
}

std::string total_status_text(const NotesSum& sum) {
    if (!sum.unread.empty()) {
        // A long line is named by its start.
        std::string line(first_scalars(sum.unread, 24));
        if (line.size() < sum.unread.size()) line += "…";
        return quoted_object(line) + " 읽지 못해 합계를 내지 않았습니다";
    }
    if (sum.value.empty() && !sum.passed.foreign.empty() && sum.of == SumOf::Amounts)
        return "외화 " + foreign_text(sum.passed.foreign) + "의 환율이 없어 합계를 내지 않았습니다";
    // Also with nothing added, what was passed over says why.
    std::string text =
        sum.added.empty() ? "더할 숫자가 없습니다" : std::to_string(sum.added.size()) + "개를 더했습니다";
    const std::pair<std::size_t, std::string_view> kinds[] = {{sum.passed.dates, "날짜·시간"},
                                                              {sum.passed.counts, "개수"},
                                                              {sum.passed.rates, "비율"},
                                                              {sum.passed.ranges, "범위"},
                                                              {sum.passed.foreign.size(), "외화"},
                                                              {sum.passed.areas, "면적"},
                                                              {sum.passed.several, "금액이 둘 이상인 줄"},
                                                              {sum.passed.totals, "합계에서 이어진 줄"},
                                                              {sum.passed.pay_rates, "시급"},
                                                              {sum.passed.each, "씩 금액"},
                                                              {sum.passed.unit_prices, "평단"},
                                                              {sum.passed.per_units, "단가"}};
    std::string passed;
    for (const auto& [n, name] : kinds) {
        if (n == 0) continue;
        if (!passed.empty()) passed += ", ";
        passed +=
            std::string(name) + " " + (name == "외화" ? foreign_text(sum.passed.foreign) : std::to_string(n) + "개");
    }
    if (!passed.empty()) text += " (" + passed + " 제외)";
    return text;
}

}  // namespace numvora
