#include "notes/note_blocks.h"

#include <charconv>

#include "common/unicode.h"
#include "notes/written_number.h"

namespace numvora {

namespace {

double value_of(std::string_view text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string sum_text(const std::vector<std::string>& values) {
    if (values.empty()) return {};
    double sum = 0.0;
    for (const std::string& value : values) sum += value_of(value);
    return notes_detail::note_value_text(sum);
}

void add_passed(PassedFigures& to, const PassedFigures& from) {
    to.dates += from.dates;
    to.counts += from.counts;
    to.rates += from.rates;
    to.ranges += from.ranges;
    to.foreign += from.foreign;
    to.several += from.several;
}

NotesSum combined(NotesSum chain, const NotesSum& own) {
    chain.added.insert(chain.added.end(), own.added.begin(), own.added.end());
    chain.value = sum_text(chain.added);
    chain.grouped = chain.grouped || own.grouped;
    add_passed(chain.passed, own.passed);
    return chain;
}

bool is_empty_line(std::string_view line) { return trim_white_space(line).empty(); }

std::optional<std::size_t> text_block_end(std::span<const std::string_view> lines) {
    return after_block_end(
        lines.size(), [&](std::size_t i) { return is_empty_line(lines[i]); },
        [&](std::size_t i) {
            const std::optional<TotalLine> total = read_total_line(lines[i]);
            return total ? total->word : TotalWord::None;
        });
}

}  // namespace

std::vector<std::string_view> note_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void ResultSum::pass_over(const Figure& figure) {
    switch (figure.role) {
    case FigureRole::DateTime: ++passed_.dates; break;
    case FigureRole::Count: ++passed_.counts; break;
    case FigureRole::Rate: ++passed_.rates; break;
    case FigureRole::Range: ++passed_.ranges; break;
    case FigureRole::Foreign: ++passed_.foreign; break;
    case FigureRole::Amount:
    case FigureRole::Name: break;
    }
}

void ResultSum::add(std::string value, bool count, bool grouped) {
    (count ? count_sum_ : amount_sum_) += value_of(value);
    amounts_ += count ? 0 : 1;
    entries_.push_back({std::move(value), count, grouped});
}

void ResultSum::take(const LineReading& reading) {
    if (reading.has_result()) add(reading.value, reading.kind == LineKind::Count, reading.grouped);
    if (reading.kind != LineKind::Expression && reading.amounts > 1) ++passed_.several;
    for (const Figure& figure : reading.figures) {
        if (!figure.used) pass_over(figure);
    }
}

void ResultSum::take_figures(const LineReading& reading) {
    for (const Figure& figure : reading.figures) {
        if (figure.role == FigureRole::Amount || figure.role == FigureRole::Count)
            add(figure.value, figure.role == FigureRole::Count, reading.grouped);
        else
            pass_over(figure);
    }
}

NotesSum ResultSum::sum() const {
    NotesSum out;
    out.passed = passed_;
    const bool amounts = amounts_ > 0;
    for (const Entry& entry : entries_) {
        if (entry.count && amounts) {
            ++out.passed.counts;
            continue;
        }
        out.added.push_back(entry.value);
        out.grouped = out.grouped || entry.grouped;
    }
    if (!out.added.empty()) out.value = notes_detail::note_value_text(amounts ? amount_sum_ : count_sum_);
    return out;
}

std::optional<std::string> BlockTally::take(std::string_view line) {
    const bool empty = is_empty_line(line);
    return take(empty ? LineReading{} : read_line(line), empty);
}

std::optional<std::string> BlockTally::take(const LineReading& reading, bool empty) {
    if (empty) {
        if (!after_sub_) chain_.reset();
        block_ = {};
        gap_ = chain_.has_value();
        return std::nullopt;
    }
    if (reading.kind != LineKind::Total) {
        block_.take(reading);
        after_sub_ = false;
        if (!reading.has_result()) return std::nullopt;
        return reading.value;
    }
    NotesSum sum = total(reading.total);
    if (reading.total == TotalWord::Sub) {
        if (!sum.value.empty()) chain_ = chain_ ? combined(std::move(*chain_), sum) : sum;
        after_sub_ = true;
    } else {
        chain_.reset();
        after_sub_ = false;
    }
    block_ = {};
    gap_ = false;
    if (sum.value.empty()) return std::nullopt;
    return std::move(sum.value);
}

NotesSum BlockTally::total(TotalWord word) const {
    NotesSum own = block_.sum();
    // "소계 / (empty) / 점심 12,000 / 합계": a new block after a gap stands alone.
    if (word == TotalWord::Grand && chain_ && !(gap_ && !block_.empty())) return combined(*chain_, own);
    return own;
}

std::vector<std::optional<std::string>> line_results(std::span<const std::string_view> lines, BlockTally tally) {
    std::vector<std::optional<std::string>> results;
    results.reserve(lines.size());
    for (const std::string_view line : lines) results.push_back(tally.take(line));
    return results;
}

BlockTally tally_of(std::span<const std::string_view> lines) {
    BlockTally tally;
    for (std::size_t i = text_block_end(lines).value_or(0); i < lines.size(); ++i) tally.take(lines[i]);
    return tally;
}

NotesSum total_after(std::string_view text, TotalWord word) {
    std::vector<std::string_view> lines = note_lines(text);
    if (lines.back().empty()) lines.pop_back();  // the text ends where the total line begins
    const std::size_t first = lines.size() > BLOCK_LINES_MAX ? lines.size() - BLOCK_LINES_MAX : 0;
    return tally_of(std::span(lines).subspan(first)).total(word);
}

bool has_block_end(std::span<const std::string_view> lines) { return text_block_end(lines).has_value(); }

bool first_total_reaches_above(std::span<const std::string_view> lines) {
    bool text_above = false;
    for (const std::string_view line : lines) {
        if (is_empty_line(line)) {
            if (text_above) return false;
            continue;
        }
        if (read_total_line(line)) return true;
        text_above = true;
    }
    return false;
}

NotesSum selection_total(std::string_view text) {
    return selection_total(text, [](std::size_t, std::string_view line) { return read_line(line); });
}

NotesSum selection_total(std::string_view text, const LineReader& read) {
    const std::vector<std::string_view> lines = note_lines(text);
    ResultSum sum;
    if (lines.size() == 1) {
        const LineReading reading = read(0, text);
        if (reading.kind == LineKind::Expression)
            sum.take(reading);
        else if (reading.kind != LineKind::Total)
            sum.take_figures(reading);
        return sum.sum();
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (is_empty_line(lines[i])) continue;
        const LineReading reading = read(i, lines[i]);
        if (reading.kind != LineKind::Total) sum.take(reading);
    }
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
    if (sum.added.empty()) return "더할 숫자가 없습니다";
    std::string text = std::to_string(sum.added.size()) + "개를 더했습니다";
    const std::pair<std::size_t, std::string_view> kinds[] = {
        {sum.passed.dates, "날짜·시간"}, {sum.passed.counts, "개수"},  {sum.passed.rates, "비율"},
        {sum.passed.ranges, "범위"},     {sum.passed.foreign, "외화"}, {sum.passed.several, "금액이 둘 이상인 줄"}};
    std::string passed;
    for (const auto& [n, name] : kinds) {
        if (n == 0) continue;
        if (!passed.empty()) passed += ", ";
        passed += std::string(name) + " " + std::to_string(n) + "개";
    }
    if (!passed.empty()) text += " (" + passed + " 제외)";
    return text;
}

}  // namespace numvora
