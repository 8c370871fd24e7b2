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

void ResultSum::take_back(Last last) {
    if (last == Last::Foreign) --passed_.foreign;
    if (last != Last::Entry) return;
    const Entry& entry = entries_.back();
    (entry.count ? count_sum_ : amount_sum_) -= value_of(entry.value);
    amounts_ -= entry.count ? 0 : 1;
    entries_.pop_back();
}

void ResultSum::take(const LineReading& reading) {
    // "점심 12,000 / + 커피 4,500": the chain is worth 16,500 once, not 12,000 more.
    if (reading.continues) take_back(last_);
    last_ = Last::Nothing;
    if (reading.kind == LineKind::Total) return;
    if (reading.has_result() && !reading.currency.empty()) {
        ++passed_.foreign;
        last_ = Last::Foreign;
    } else if (reading.has_result()) {
        add(reading.value, reading.kind == LineKind::Count, reading.grouped);
        last_ = Last::Entry;
    }
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

bool ends_blocks(BlockMark line, BlockMark above) {
    return line.word == TotalWord::Grand || (line.empty && !above.empty && above.word == TotalWord::None);
}

std::optional<std::string> BlockTally::take(const LineReading& reading, bool empty) {
    const BlockMark mark{empty, empty || reading.kind != LineKind::Total ? TotalWord::None : reading.total};
    std::optional<std::string> shown;
    if (mark.word != TotalWord::None) {
        NotesSum sum = total(mark.word);
        if (mark.word == TotalWord::Sub && !sum.value.empty())
            chain_ = chain_ ? combined(std::move(*chain_), sum) : sum;
        block_ = {};
        if (!sum.value.empty()) shown = std::move(sum.value);
    } else if (!empty) {
        block_.take(reading);
        if (reading.has_result()) shown = reading.value;
    }
    if (ends_blocks(mark, above_)) *this = {};
    above_ = mark;
    return shown;
}

NotesSum BlockTally::total(TotalWord word) const {
    NotesSum own = block_.sum();
    if (word == TotalWord::Grand && chain_) return combined(*chain_, own);
    return own;
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
    for (std::size_t i = 0; i < lines.size(); ++i)
        sum.take(is_empty_line(lines[i]) ? LineReading{} : read(i, lines[i]));
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
