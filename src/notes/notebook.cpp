#include "notes/notebook.h"

#include <algorithm>

#include "common/unicode.h"

namespace numvora {

namespace {

void insert_sorted(std::vector<std::size_t>& lines, std::size_t line) {
    lines.insert(std::lower_bound(lines.begin(), lines.end(), line), line);
}

void erase_sorted(std::vector<std::size_t>& lines, std::size_t line) {
    const auto at = std::lower_bound(lines.begin(), lines.end(), line);
    if (at != lines.end() && *at == line) lines.erase(at);
}

// The lines in (after, until] of a sorted list, into pending.
void take_range(const std::vector<std::size_t>& lines, std::size_t after, std::size_t until,
                std::set<std::size_t>& pending) {
    for (auto at = std::upper_bound(lines.begin(), lines.end(), after); at != lines.end() && *at <= until; ++at)
        pending.insert(*at);
}

}  // namespace

// The names and the result above one line, looked up in the book.
class NoteBook::ScopeAt final : public NoteScope {
public:
    ScopeAt(const NoteBook& book, std::size_t line) : book_(book), line_(line) {}
    std::optional<std::string> value_of(std::string_view name) const override {
        const std::optional<std::size_t> definition = book_.definition_before(name, line_);
        if (!definition) return std::nullopt;
        const Line& defining = book_.lines_[*definition];
        if (!defining.result && !defining.reading.gives.empty()) return defining.reading.gives;
        return value_text(defining);
    }
    std::optional<std::string> previous() const override {
        for (std::size_t line = line_; line > 0; --line) {
            if (book_.lines_[line - 1].result) return value_text(book_.lines_[line - 1]);
        }
        return std::nullopt;
    }
    // Up to the block's start: an empty line below text, or a grand total; the 소계
    // sections above a gap still count.
    bool block_has_result() const override {
        for (std::size_t line = line_; line > 0 && line_ - line < BLOCK_LINES_MAX; --line) {
            std::size_t above = line - 1;
            while (above > 0 && book_.lines_[above].empty) --above;
            if (above + 1 < line && book_.word_of(above) != TotalWord::Sub) return false;
            if (book_.lines_[above].empty || book_.word_of(above) == TotalWord::Grand) return false;
            if (book_.lines_[above].result) return true;
            line = above + 1;
        }
        return false;
    }

private:
    // A result as the lines below take it: foreign money with its currency.
    static std::optional<std::string> value_text(const Line& line) {
        if (!line.result || line.reading.currency.empty()) return line.result;
        return *line.result + " " + line.reading.currency;
    }

    const NoteBook& book_;
    std::size_t line_;
};

void NoteBook::assign(std::string_view text) {
    lines_.clear();
    definitions_.clear();
    takers_.clear();
    previous_takers_.clear();
    replace(0, 0, text);
}

void NoteBook::replace(std::size_t first, std::size_t count, std::string_view text) {
    first = std::min(first, lines_.size());
    count = std::min(count, lines_.size() - first);
    std::set<std::size_t> pending;
    // What the old lines defined: the lines below that took it look again.
    std::vector<std::string> names;
    for (std::size_t line = first; line < first + count; ++line) {
        for (std::string& name : names_of(line)) names.push_back(std::move(name));
        unindex(line);
    }
    const std::vector<std::string_view> added = note_lines(text);
    const auto delta = static_cast<std::ptrdiff_t>(added.size()) - static_cast<std::ptrdiff_t>(count);
    if (delta != 0) shift_index(first + count, delta);
    // Lines kept in place where the count stays, so that a keystroke moves no other line.
    const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(first);
    if (delta < 0) lines_.erase(at, at - delta);
    if (delta > 0) lines_.insert(at, static_cast<std::size_t>(delta), Line{});
    for (std::size_t i = 0; i < added.size(); ++i) {
        Line& line = lines_[first + i];
        line.text = std::string(added[i]);
        line.empty = trim_white_space(added[i]).empty();
        line.reading = {};
        line.result.reset();
    }
    for (std::size_t line = first; line < first + added.size(); ++line) pending.insert(line);
    // Below the change: the names the removed lines defined, the result above, the block.
    follow(first + added.size() - 1, true, names, pending);
    reread_ = 0;
    while (!pending.empty()) {
        const std::size_t line = *pending.begin();
        pending.erase(pending.begin());
        if (line < lines_.size()) read_again(line, pending);
    }
}

std::vector<std::string> NoteBook::names_of(std::size_t line) const {
    std::vector<std::string> names;
    const LineReading& reading = lines_[line].reading;
    if (!reading.defines.empty()) names.push_back(reading.defines);
    if (reading.kind == LineKind::Total) {
        const std::string_view text = lines_[line].text;
        const std::string_view word = trim_white_space(text.substr(0, reading.replace_begin));
        names.emplace_back(word);
    }
    return names;
}

void NoteBook::read_again(std::size_t line, std::set<std::size_t>& pending) {
    ++reread_;
    Line& at = lines_[line];
    const std::optional<std::string> old_result = at.result;
    std::vector<std::string> names = names_of(line);
    unindex(line);
    const ScopeAt scope(*this, line);
    // A line too long to read shows nothing: a memo of one huge line stays as quick.
    at.reading = at.empty || at.text.size() > LINE_READ_MAX ? LineReading{} : read_line(at.text, false, &scope);
    at.result = at.reading.kind == LineKind::Total ? std::optional<std::string>{}
                : at.reading.has_result()          ? std::optional(at.reading.value)
                                                   : std::nullopt;
    if (at.reading.kind == LineKind::Total) {
        NotesSum sum = total_at(line);
        if (!sum.value.empty()) at.result = std::move(sum.value);
    }
    index(line);
    std::vector<std::string> now = names_of(line);
    const bool changed = at.result != old_result;
    // A name given or taken back, or its value changed: its takers below look again.
    if (!changed && now == names) names.clear();
    names.insert(names.end(), now.begin(), now.end());
    follow(line, changed, names, pending);
}

void NoteBook::follow(std::size_t line, bool result_changed, const std::vector<std::string>& names,
                      std::set<std::size_t>& pending) const {
    // The takers of each name, down to its next definition.
    for (const std::string& name : names) {
        const auto takers = takers_.find(name);
        if (takers == takers_.end()) continue;
        std::size_t until = lines_.size();
        if (const auto defined = definitions_.find(name); defined != definitions_.end()) {
            const auto next = std::upper_bound(defined->second.begin(), defined->second.end(), line);
            if (next != defined->second.end()) until = *next;
        }
        take_range(takers->second, line, until, pending);
    }
    if (!result_changed) return;
    // The first line below that takes the result above, when no result stands between;
    // the ones after it take its own, and it says so when it changes.
    const auto taker = std::upper_bound(previous_takers_.begin(), previous_takers_.end(), line);
    if (taker != previous_takers_.end()) {
        std::size_t between = line + 1;
        while (between < *taker && !lines_[between].result) ++between;
        if (between == *taker) pending.insert(*taker);
    }
    // The total lines of the block below, and a grand total that adds the 소계 lines.
    bool text_above = !lines_.empty() && line < lines_.size() && !lines_[line].empty;
    for (std::size_t below = line + 1; below < lines_.size() && below <= line + BLOCK_LINES_MAX; ++below) {
        if (lines_[below].empty) {
            if (text_above) break;
            continue;
        }
        const TotalWord word =
            lines_[below].reading.kind == LineKind::Total ? lines_[below].reading.total : TotalWord::None;
        if (word != TotalWord::None || lines_[below].reading.block_decides) pending.insert(below);
        if (word == TotalWord::Grand) break;
        text_above = word == TotalWord::None;
    }
}

NotesSum NoteBook::total_at(std::size_t line, std::string_view before_on_line) const {
    // Back to where reading may start afresh: a total line other than 소계, or an empty
    // line below a line that is no total line; at most BLOCK_LINES_MAX lines.
    const std::size_t from = line > BLOCK_LINES_MAX ? line - BLOCK_LINES_MAX : 0;
    std::size_t start = from;
    for (std::size_t i = line; i > from;) {
        --i;
        if (word_of(i) == TotalWord::Grand) {
            start = i + 1;
            break;
        }
        if (!lines_[i].empty) continue;
        std::size_t above = i;
        while (above > from && lines_[above - 1].empty) --above;
        if (above > from && word_of(above - 1) == TotalWord::None) {
            start = i + 1;
            break;
        }
        i = above;
    }
    BlockTally tally;
    for (std::size_t i = start; i < line; ++i) tally.take(lines_[i].reading, lines_[i].empty);
    if (!trim_white_space(before_on_line).empty()) tally.take(read_at(line, before_on_line, false), false);
    const TotalWord word = lines_[line].reading.total;
    return tally.total(word == TotalWord::None ? TotalWord::Grand : word);
}

LineReading NoteBook::read_at(std::size_t line, std::string_view text, bool selected) const {
    const ScopeAt scope(*this, std::min(line, lines_.size()));
    return read_line(text, selected, &scope);
}

NotesSum NoteBook::selection_total(std::size_t line, std::string_view text) const {
    return numvora::selection_total(
        text, [&](std::size_t n, std::string_view segment) { return read_at(line + n, segment, false); });
}

TotalWord NoteBook::word_of(std::size_t line) const {
    return lines_[line].reading.kind == LineKind::Total ? lines_[line].reading.total : TotalWord::None;
}

std::optional<std::size_t> NoteBook::definition_before(std::string_view name, std::size_t line) const {
    const auto defined = definitions_.find(std::string(name));
    if (defined == definitions_.end()) return std::nullopt;
    const auto after = std::lower_bound(defined->second.begin(), defined->second.end(), line);
    if (after == defined->second.begin()) return std::nullopt;
    return *std::prev(after);
}

void NoteBook::index(std::size_t line) {
    const LineReading& reading = lines_[line].reading;
    for (const std::string& name : names_of(line)) insert_sorted(definitions_[name], line);
    for (const std::string& name : reading.uses) insert_sorted(takers_[name], line);
    if (reading.uses_previous) insert_sorted(previous_takers_, line);
}

void NoteBook::unindex(std::size_t line) {
    const LineReading& reading = lines_[line].reading;
    for (const std::string& name : names_of(line)) erase_sorted(definitions_[name], line);
    for (const std::string& name : reading.uses) erase_sorted(takers_[name], line);
    if (reading.uses_previous) erase_sorted(previous_takers_, line);
}

void NoteBook::shift_index(std::size_t from, std::ptrdiff_t by) {
    const auto shift = [&](std::vector<std::size_t>& lines) {
        for (std::size_t& line : lines) {
            if (line >= from) line = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(line) + by);
        }
    };
    for (auto& [name, lines] : definitions_) shift(lines);
    for (auto& [name, lines] : takers_) shift(lines);
    shift(previous_takers_);
}

}  // namespace numvora
