#include "notes/book/notebook.h"

#include <algorithm>

#include "common/unicode.h"
#include "notes/figures/currencies.h"
#include "notes/figures/written_number.h"
#include "notes/reading/line_tokens.h"

namespace numvora {

namespace {

// What a total takes from a line, status included: when it changes, the block below
// is read again.
bool same_for_totals(const LineReading& a, const LineReading& b) {
    const auto same_figure = [](const Figure& x, const Figure& y) {
        return x.role == y.role && x.value == y.value && x.used == y.used && x.currency == y.currency;
    };
    return a.kind == b.kind && a.total == b.total && a.value == b.value && a.unit == b.unit &&
           a.currency == b.currency && a.won == b.won && a.writing == b.writing && a.continues == b.continues &&
           a.grouped == b.grouped && a.amounts == b.amounts && a.per_one == b.per_one &&
           std::equal(a.figures.begin(), a.figures.end(), b.figures.begin(), b.figures.end(), same_figure);
}

// "로고 시안 3종", "혈압약 1알": a count on its own says nothing a figure beside it would;
// a total of counts, and a count asked for with "=", show.
bool shows_count(const LineReading& reading) { return reading.kind != LineKind::Count || reading.asks; }
// So too hours alone that no total asks for.
bool shows_alone(const LineReading& reading) {
    return shows_count(reading) && (!reading.hours_unasked || reading.asks);
}

// The result "위" and a line that opens with an operator take: a count the margin does
// not show is none ("6명 n빵 / 위 / 6"), where hours go on ("야근 12시간 / x 15,800").
template <class Line>
bool gives_previous(const Line& line) {
    return line.has_result() && shows_count(line.reading);
}

template <class Line>
bool passes_on(const Line& line) {
    return !line.traits.empty && !line.has_result() && line.reading.signed_item == SignedItems::Chain &&
           (line.traits.plus_item || line.traits.minus_item);
}

// What a rate line is filed under: no note name has a space.
std::string rate_name(std::string_view code) { return "환율 " + std::string(code); }

constexpr std::size_t RATE_WALK_MAX = 500;
// How far up a grand total looks for the totals it takes across empty lines, and how many.
constexpr std::size_t ACROSS_LINES_MAX = 200;
constexpr std::size_t ACROSS_TOTALS_MAX = 8;
constexpr std::size_t RATE_PARAGRAPHS_MAX = 20;

// What a run of lines holds between them: money, "+ " and "- " items, a total …
void hold(LineTraits& all, const LineTraits& line) {
    all.money = all.money || line.money;
    all.plus_item = all.plus_item || line.plus_item;
    all.minus_item = all.minus_item || line.minus_item;
    all.total = all.total || line.total;
    all.marked = all.marked || line.marked;
    all.in_eok = all.in_eok || line.in_eok;
    all.man_unwritten = all.man_unwritten || line.man_unwritten;
    all.point_for_comma = all.point_for_comma || line.point_for_comma;
    all.bullet = all.bullet || line.bullet;
    all.heads_man = all.heads_man || line.heads_man;
}

bool holds_foreign(const LineReading& reading) {
    return std::any_of(reading.figures.begin(), reading.figures.end(),
                       [](const Figure& figure) { return !figure.currency.empty(); });
}

}  // namespace

// The names, the results and the block above one line, looked up in the book; what the
// reading asked for is kept, so that the line is read again when that changes.
class NoteBook::ScopeAt final : public NoteScope {
public:
    ScopeAt(const NoteBook& book, std::size_t line) : book_(book), line_(line) {}
    std::optional<std::string> value_of(std::string_view name) const override {
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.emplace_back(name);
        const std::optional<std::size_t> definition = book_.definition_before(name, line_);
        if (!definition || labels_elsewhere(*definition)) return std::nullopt;
        const Line& defining = book_.line_at(*definition);
        if (!defining.has_result() && !defining.reading.gives.empty()) return defining.reading.gives;
        return value_text(defining);
    }
    std::optional<std::string> previous() const override {
        previous_ = true;
        for (std::size_t line = line_; line > 0; --line) {
            const Line& above = book_.line_at(line - 1);
            if (gives_previous(above)) return value_text(above);
        }
        return std::nullopt;
    }
    std::optional<std::string> line_above() const override {
        previous_ = true;
        // "5만 / - 콩나물 2봉 / - 두부 1,200": an item of a chain with no sum of its own passes
        // the one above it on.
        std::size_t above = line_;
        while (above > 1 && passes_on(book_.line_at(above - 1))) --above;
        if (above == 0 || book_.line_at(above - 1).traits.empty) return std::nullopt;
        return value_text(book_.line_at(above - 1));
    }
    std::optional<ParagraphFacts> paragraph() const override {
        if (line_ >= book_.size()) return std::nullopt;
        paragraph_ = true;
        return book_.line_at(line_).paragraph;
    }
    SignedItems signed_items() const override {
        previous_ = true;
        if (line_ > 0 && line_ <= book_.size()) {
            const Line& above = book_.line_at(line_ - 1);
            // A run of such lines reads as its first one does.
            if (above.reading.signed_item && (above.traits.plus_item || above.traits.minus_item))
                return *above.reading.signed_item;
        }
        const std::optional<ParagraphFacts> facts = paragraph();
        // "식비 42만 / - 카페 77,600 / * 생필품 58,600": where bullets mark items, so does "- ".
        if (facts && facts->bullets && !facts->plus_items) return SignedItems::List;
        if (line_ > 0 && line_ <= book_.size()) {
            const Line& above = book_.line_at(line_ - 1);
            // "* 식용유 55,900원 / - 대파 2,600": under an item of a list, "- " marks another.
            if (above.has_result() && goes_on_from(above) && !marks_list_item(above.text)) return SignedItems::Chain;
        }
        return facts && facts->plus_items ? SignedItems::Signs : SignedItems::List;
    }
    bool block_has_result() const override {
        block_ = true;
        return book_.tally_before(line_).has_result();
    }
    std::optional<std::string> block_sum(TotalWord word) const override {
        block_ = true;
        std::string sum = book_.tally_before(line_).total(word).value;
        return sum.empty() ? std::nullopt : std::optional<std::string>(std::move(sum));
    }
    std::optional<DayNumber> today() const override {
        today_ = true;
        return book_.today_;
    }
    std::optional<std::string> rate_of(std::string_view code) const override {
        const std::string name = rate_name(code);
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.push_back(name);
        const std::optional<std::size_t> definition = book_.definition_before(name, line_);
        if (!definition) return std::nullopt;
        if (!reaches(*definition)) return std::nullopt;
        return book_.line_at(*definition).reading.sets_rate->won;
    }
    bool labels_elsewhere(std::string_view name) const override {
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) names_.emplace_back(name);
        const std::optional<std::size_t> definition = book_.definition_before(name, line_);
        return definition && labels_elsewhere(*definition);
    }
    bool heads_paragraph(std::string_view name) const override {
        const std::optional<std::size_t> definition = book_.definition_before(name, line_);
        if (!definition || line_ >= book_.size()) return false;
        paragraph_ = true;
        const Line& line = book_.line_at(line_);
        const std::size_t first = book_.order_.place(line.paragraph_first);
        // "입금" over a list, where "첫달 입금 = …" of another note named it only by its last word.
        const std::string& defines = book_.line_at(*definition).reading.defines;
        const bool by_last_word = !defines.empty() && defines != name;
        return first == line_ && *definition < first &&
               (by_last_word || (line.paragraph.totals && line.paragraph.marked && !line.paragraph.plus_items &&
                                 !line.paragraph.minus_items));
    }
    void asked(Line& line, bool across) const {
        line.asked = Asked{std::move(names_), previous_, block_, today_, paragraph_, across};
    }

private:
    // A rate reaches down across paragraphs that each hold foreign money (the days of a
    // trip, a city in pounds between two in euros): a later note that writes dollars again
    // after notes in won takes no rate of a trip long past. It goes up a paragraph at a
    // time, and past RATE_WALK_MAX lines or RATE_PARAGRAPHS_MAX such paragraphs reaches on.
    bool reaches(std::size_t definition) const {
        const std::size_t floor = std::max(definition + 1, line_ > RATE_WALK_MAX ? line_ - RATE_WALK_MAX : 0);
        const auto first_of = [&](std::size_t line) { return book_.order_.place(book_.line_at(line).paragraph_first); };
        // The first line of the asking line's own paragraph.
        std::size_t top = line_;
        if (line_ < book_.size())
            top = first_of(line_);
        else if (line_ > 0 && !book_.line_at(line_ - 1).traits.empty)
            top = first_of(line_ - 1);
        for (std::size_t passed = 0; top > floor && passed < RATE_PARAGRAPHS_MAX; ++passed) {
            std::size_t end = top;  // past the last line of the paragraph above
            while (end > floor && book_.line_at(end - 1).traits.empty) --end;
            if (end <= floor) return true;
            const std::size_t first = first_of(end - 1);
            if (first <= floor) return true;
            // A paragraph that sets a rate of its own is another trip's: "파리 €1 = 1,450원" between
            // a note in dollars and the rate of an earlier one.
            bool holds = false;
            bool sets_rate = false;
            for (std::size_t i = end; !sets_rate && i-- > first;) {
                const LineReading& reading = book_.line_at(i).reading;
                holds = holds || holds_foreign(reading);
                sets_rate = reading.sets_rate.has_value();
            }
            if (!holds || sets_rate) return false;
            top = first;
        }
        return true;
    }

    // A label's name ("수입 3,200,000") reaches the lines of its own paragraph alone.
    bool labels_elsewhere(std::size_t definition) const {
        if (line_ >= book_.size() || !book_.line_at(definition).reading.labels) return false;
        paragraph_ = true;
        return definition < book_.order_.place(book_.line_at(line_).paragraph_first);
    }

    // A result a "- " item under it goes on from: money, a number or hours, not a count,
    // a date or an area ("회비 정산 3명" heads a list).
    static bool goes_on_from(const Line& above) {
        const ResultUnit unit = above.unit();
        return above.reading.kind != LineKind::Count &&
               (unit == ResultUnit::Money || unit == ResultUnit::Number || unit == ResultUnit::Duration);
    }

    // A result as the lines below take it: foreign money with its currency after a space,
    // a date, days or a duration as it shows.
    static std::optional<std::string> value_text(const Line& line) {
        if (!line.has_result()) return std::nullopt;
        const std::string& result = line.value();
        if (!line.currency().empty()) return result + " " + line.currency();
        const ResultUnit unit = line.unit();
        const AmountWriting writing = line.writing();
        // Money keeps how its line writes it: "5000000 만원" reads back in 만, with 원.
        if (unit == ResultUnit::Money && (writing.in_man || writing.won))
            return result + " " + (writing.in_man ? "만" : "") + (writing.won ? "원" : "");
        if (unit == ResultUnit::Number || unit == ResultUnit::Money) return result;
        return result_text({result, unit, {}, {}, {}}, false);
    }

    const NoteBook& book_;
    std::size_t line_;
    mutable std::vector<std::string> names_;
    mutable bool previous_ = false;
    mutable bool block_ = false;
    mutable bool today_ = false;
    mutable bool paragraph_ = false;
};

void NoteBook::assign(std::string_view text) {
    lines_.clear();
    free_.clear();
    order_.clear();
    definitions_.clear();
    takers_.clear();
    previous_takers_.clear();
    today_takers_.clear();
    replace(0, 0, text);
}

std::size_t NoteBook::replace(std::size_t first, std::size_t count, std::string_view text) {
    first = std::min(first, size());
    count = std::min(count, size() - first);
    // What the old lines defined: the lines below that took it look again.
    std::vector<std::string> names;
    for (std::size_t line = first; line < first + count; ++line) {
        const Line& old = line_at(line);
        const std::vector<std::string> gone = names_of(old);
        file(order_.at(line), gone, old.asked, false);
        names.insert(names.end(), gone.begin(), gone.end());
    }
    const std::vector<std::string_view> added = note_lines(text);
    // Lines added at the end, a whole memo among them: no line below to settle or follow.
    if (count == 0 && first == size()) {
        pend_from_ = size() + added.size();
        reread_ = 0;
        pending_.clear();
        read_added(added);
        return reread_;
    }
    // What the paragraph around a change holds stays as it was where no line came or went
    // empty and the change adds and takes away no money and no "+ " item: most keystrokes.
    LineTraits gone, come;
    bool kept_paragraphs = true;
    // Whether a rate reaches a line below hangs on the paragraphs between and how far.
    bool rates_move = count != added.size();
    ParagraphFacts held;
    Handle held_first = 0;
    for (std::size_t line = first; line < first + count; ++line) {
        const Line& old = line_at(line);
        rates_move = rates_move || old.traits.empty || holds_foreign(old.reading) || old.reading.sets_rate;
        kept_paragraphs = kept_paragraphs && !old.traits.empty;
        hold(gone, old.traits);
        held = old.paragraph;
        held_first = old.paragraph_first;
    }
    if (count == 0) {
        // Lines put in between two lines of one paragraph.
        kept_paragraphs =
            first > 0 && first < size() && !line_at(first - 1).traits.empty && !line_at(first).traits.empty;
        if (kept_paragraphs) {
            held = line_at(first - 1).paragraph;
            held_first = line_at(first - 1).paragraph_first;
        }
    }
    lay(first, count, added);
    const std::size_t last = first + added.size() - 1;
    for (std::size_t line = first; line <= last; ++line) take_traits(line_at(line));
    for (std::size_t line = first; line <= last; ++line) {
        const LineTraits& traits = line_at(line).traits;
        rates_move = rates_move || traits.empty;
        kept_paragraphs = kept_paragraphs && !traits.empty;
        hold(come, traits);
    }
    kept_paragraphs = kept_paragraphs && gone == come;
    // Whether "+ " lines sign their paragraph hangs on the line above each ("소계 / + 부가세"
    // goes on from the total): a change at a total or a "+ " line, or just above one, settles it.
    kept_paragraphs = kept_paragraphs && !gone.total && !come.total && !gone.plus_item && !come.plus_item &&
                      !(last + 1 < size() && line_at(last + 1).traits.plus_item);
    pend_from_ = last + 1;
    reread_ = 0;
    pending_.clear();
    std::size_t from = first;
    if (kept_paragraphs) {
        for (std::size_t line = first; line <= last; ++line) {
            line_at(line).paragraph = held;
            line_at(line).paragraph_first = held_first;
        }
    } else {
        from = settle_paragraphs(first, last);
    }
    // Below the change: the names the removed lines defined, the result above, the block.
    follow(last, true, names);
    if (rates_move) follow_rates(last);
    follow_block(last);
    for (std::size_t line = from; line <= last; ++line) read_again(line);
    read_pending();
    return reread_;
}

std::size_t NoteBook::settle_paragraphs(std::size_t first, std::size_t last) {
    // From the paragraph above the change to the one below it: a line that came or went
    // empty may have joined or parted them.
    std::size_t top = first;
    while (top > 0 && !line_at(top - 1).traits.empty) --top;
    std::size_t bottom = last;
    while (bottom + 1 < size() && !line_at(bottom + 1).traits.empty) ++bottom;
    std::size_t from = first;
    for (std::size_t start = top; start <= bottom;) {
        std::size_t end = start;
        LineTraits all;
        bool plus_items = false;
        bool under_total = false;
        for (; end <= bottom; ++end) {
            const LineTraits& traits = line_at(end).traits;
            if (traits.empty) break;
            hold(all, traits);
            // "소계 / + 부가세": a "+ " line right under a total goes on from it, no signed item.
            plus_items = plus_items || (traits.plus_item && !under_total);
            under_total = traits.total;
        }
        const ParagraphFacts facts{all.money,  plus_items,        all.minus_item,      all.total,  all.marked,
                                   all.in_eok, all.man_unwritten, all.point_for_comma, all.bullet, all.heads_man};
        const Handle first_line = order_.at(start);
        for (std::size_t line = start; line < end; ++line) {
            Line& at = line_at(line);
            if (at.paragraph == facts && at.paragraph_first == first_line) continue;
            at.paragraph = facts;
            at.paragraph_first = first_line;
            if (!at.asked.paragraph) continue;
            if (line < first)
                from = std::min(from, line);
            else if (line > last)
                pend(line);
        }
        start = std::max(end, start + 1);
    }
    return from;
}

std::size_t NoteBook::set_today(std::optional<DayNumber> today) {
    if (today == today_) return 0;
    today_ = today;
    pend_from_ = 0;
    reread_ = 0;
    pending_.clear();
    for (const Handle line : today_takers_) pending_.insert(order_.place(line));
    read_pending();
    return reread_;
}

void NoteBook::read_pending() {
    while (!pending_.empty()) {
        const std::size_t line = *pending_.begin();
        pending_.erase(pending_.begin());
        read_again(line);
    }
}

std::optional<NoteResult> NoteBook::note_result(std::size_t line) const {
    const Line& at = line_at(line);
    if (!at.has_result()) return std::nullopt;
    if (!shows_alone(at.reading)) return std::nullopt;
    return at.written();
}

std::optional<std::string> NoteBook::shown(std::size_t line, ResultView view) const {
    const std::optional<NoteResult> result = note_result(line);
    if (!result) return std::nullopt;
    return margin_text(*result, view);
}

void NoteBook::lay(std::size_t first, std::size_t count, const std::vector<std::string_view>& added) {
    // Lines kept in place where the count stays, so that a keystroke moves no other line.
    const std::size_t kept = std::min(count, added.size());
    for (std::size_t line = first + kept; line < first + count; ++line) {
        const Handle gone = order_.at(line);
        lines_[gone] = Line{};
        free_.push_back(gone);
    }
    order_.erase(first + kept, count - kept);
    std::vector<Handle> handles;
    for (std::size_t i = kept; i < added.size(); ++i) {
        if (free_.empty()) {
            handles.push_back(lines_.add());
        } else {
            handles.push_back(free_.back());
            free_.pop_back();
        }
    }
    order_.insert(first + kept, handles);
    for (std::size_t i = 0; i < added.size(); ++i) {
        Line& line = line_at(first + i);
        // A line from the free list was cleared as it left, a new one is clear.
        if (i < kept) line = Line{};
        line.text.assign(added[i]);
    }
}

void NoteBook::take_traits(Line& line, notes_detail::TokenMemo* memo) {
    if (line.text.size() > LINE_READ_MAX) {
        line.traits = LineTraits{};
        line.traits.empty = false;
    } else {
        line.traits = memo != nullptr ? line_traits(line.text, *memo) : line_traits(line.text);
    }
}

void NoteBook::lay_ahead(std::size_t count) {
    std::vector<Handle> handles(count);
    for (Handle& handle : handles) {
        if (free_.empty()) {
            handle = lines_.add();
        } else {
            // A line from the free list was cleared as it left.
            handle = free_.back();
            free_.pop_back();
        }
    }
    order_.insert(order_.size(), handles);
}

void NoteBook::read_added(const std::vector<std::string_view>& added) {
    const std::size_t first = size();
    const std::size_t last = first + added.size() - 1;
    // The lines from start on have their traits and are not read yet; the first of them
    // keep their tokens, at most this many, so that one long paragraph holds few at once.
    constexpr std::size_t KEPT_MAX = 256;
    std::vector<notes_detail::TokenMemo> memos(std::min(added.size(), KEPT_MAX));
    std::size_t start = first;
    const auto memo_of = [&](std::size_t line) { return line - start < memos.size() ? &memos[line - start] : nullptr; };
    const auto read_to = [&](std::size_t end) {
        // Lines above may read again as their paragraph grew.
        for (std::size_t line = settle_paragraphs(start, end - 1); line < end; ++line) {
            notes_detail::TokenMemo* memo = line >= start ? memo_of(line) : nullptr;
            read_again(line, memo);
            if (memo != nullptr) memo->clear();
        }
    };
    for (std::size_t line = first; line <= last; ++line) {
        // Lines are laid a block at a time as the reading reaches them, while what they
        // keep is still in the cache.
        if (line == size()) lay_ahead(std::min(last + 1 - line, LAY_AHEAD));
        Line& at = line_at(line);
        at.text.assign(added[line - first]);
        take_traits(at, memo_of(line));
        // A line after empty ones opens a paragraph: the paragraphs above it are read first.
        // Its tokens go first among the kept, which the reading of those above leaves as
        // cleared room.
        if (line > start && !at.traits.empty && line_at(line - 1).traits.empty) {
            const std::size_t kept = line - start;
            read_to(line);
            if (kept < memos.size()) std::swap(memos[kept], memos.front());
            start = line;
        }
    }
    read_to(last + 1);
}

std::vector<std::string> NoteBook::names_of(const Line& line) {
    std::vector<std::string> names;
    const LineReading& reading = line.reading;
    if (!reading.defines.empty()) names.push_back(reading.defines);
    // "현 월세 = 85만" names 월세 too: the last word is what it is. "월 원금 = 원금 / 36"
    // takes that word: a part of it, which leaves it as it was.
    if (const std::size_t space = reading.defines.rfind(' '); space != std::string::npos) {
        std::string last = reading.defines.substr(space + 1);
        if (std::find(reading.uses.begin(), reading.uses.end(), last) == reading.uses.end())
            names.push_back(std::move(last));
    }
    if (reading.kind == LineKind::Total) {
        // "경매 합계" names its sum, and so does its total word: "합계 x 7%" below.
        const std::string_view label = trim_white_space(std::string_view(line.text).substr(0, reading.replace_begin));
        names.emplace_back(label);
        if (const std::size_t space = label.rfind(' '); space != std::string_view::npos)
            names.emplace_back(label.substr(space + 1));
    }
    if (reading.sets_rate) names.push_back(rate_name(reading.sets_rate->currency));
    return names;
}

void NoteBook::read_again(std::size_t line, notes_detail::TokenMemo* memo) {
    ++reread_;
    const Handle handle = order_.at(line);
    Line& at = lines_[handle];
    // The line's own entries in the index mislead no reading of it: they lie at its place.
    std::vector<std::string> names = names_of(at);
    const Asked took = std::move(at.asked);
    // A memo read whole has no line below to follow: what the line read before tells nothing,
    // and is not kept.
    const bool followed = pend_from_ < size();
    std::optional<LineReading> kept;
    if (followed) kept = std::move(at.reading);
    const std::shared_ptr<const NoteResult> old_total = std::move(at.total);
    const ScopeAt scope(*this, line);
    // A line too long to read shows nothing: a memo of one huge line stays as quick.
    if (at.traits.empty || at.text.size() > LINE_READ_MAX)
        at.reading = LineReading{};
    else
        at.reading = memo != nullptr ? read_line(at.text, false, &scope, *memo) : read_line(at.text, false, &scope);
    bool across = false;
    if (at.reading.kind == LineKind::Total)
        at.total = std::make_shared<const NoteResult>(total_of(line, {}, &across).result());
    scope.asked(at, across);
    const std::vector<std::string> now = names_of(at);
    // Filed again only when that changes: a name's list may hold every total line.
    if (now != names || at.asked != took) {
        file(handle, names, took, false);
        file(handle, now, at.asked, true);
    }
    if (!followed) return;
    const LineReading& old = *kept;
    // What the lines below see: the result with its unit and currency, or a rate a name gives.
    const std::string& old_value = old_total ? old_total->value : old.value;
    const std::string& old_currency = old_total ? old_total->currency : old.currency;
    const ResultUnit old_unit = old_total ? old_total->unit : old.unit;
    const AmountWriting old_writing = old_total ? old_total->writing : old.writing;
    const bool changed = at.value() != old_value || at.unit() != old_unit || at.currency() != old_currency ||
                         at.writing() != old_writing || at.reading.gives != old.gives ||
                         at.reading.sets_rate != old.sets_rate || at.reading.signed_item != old.signed_item ||
                         shows_alone(at.reading) != shows_alone(old);
    // A name given or taken back, or its value changed: its takers below look again.
    if (changed || now != names)
        names.insert(names.end(), now.begin(), now.end());
    else
        names.clear();
    follow(line, changed, names);
    if (holds_foreign(old) != holds_foreign(at.reading) ||
        old.sets_rate.has_value() != at.reading.sets_rate.has_value())
        follow_rates(line);
    // The block below an edited line is followed once, from the change's last line.
    if (line >= pend_from_ && !same_for_totals(old, at.reading)) follow_block(line);
}

void NoteBook::pend(std::size_t line) {
    if (line >= pend_from_) pending_.insert(line);
}

void NoteBook::follow(std::size_t line, bool result_changed, const std::vector<std::string>& names) {
    // A whole memo read, or a change at its end, has no line below to pend.
    if (pend_from_ >= size()) return;
    // The takers of each name, down to its next definition.
    for (const std::string& name : names) {
        const auto takers = takers_.find(name);
        if (takers == takers_.end()) continue;
        std::size_t until = size();
        if (const auto defined = definitions_.find(name); defined != definitions_.end()) {
            const auto next = first_after(defined->second, line);
            if (next != defined->second.end()) until = order_.place(*next);
        }
        for (auto taker = first_after(takers->second, line); taker != takers->second.end(); ++taker) {
            const std::size_t at = order_.place(*taker);
            if (at > until) break;
            pend(at);
        }
    }
    if (!result_changed) return;
    // The lines below that take the result above, while no result stands between; a
    // taker with a result of its own says so when it changes.
    std::size_t from = line + 1;
    for (auto taker = first_after(previous_takers_, line); taker != previous_takers_.end(); ++taker) {
        const std::size_t at = order_.place(*taker);
        while (from < at && !gives_previous(line_at(from))) ++from;
        if (from < at) break;
        pend(at);
        if (gives_previous(line_at(at))) break;
        from = at + 1;
    }
}

void NoteBook::follow_rates(std::size_t line) {
    std::vector<std::string> names;
    const auto take = [&](std::string_view code) {
        std::string name = rate_name(code);
        if (takers_.contains(name) && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    };
    for (const CurrencyForm& form : CURRENCY_FORMS) take(form.code);
    take(DONG.code);
    follow(line, false, names);
}

void NoteBook::follow_block(std::size_t line) {
    // The lines below whose block reaches the line, or begins anew by it: whether a line
    // ends blocks depends on the line above it too, so the ends at the line and the next
    // one may have moved and do not stop the walk.
    const std::size_t until = std::min(size(), line + BLOCK_LINES_MAX + 2);
    for (std::size_t below = line + 1; below < until; ++below) {
        if (below >= line + 3 && ends_blocks_at(below - 1)) break;
        const Line& at = line_at(below);
        if (at.reading.kind == LineKind::Total || at.asked.block) pend(below);
    }
    // A grand total that takes the totals above its empty block reaches further up.
    for (std::size_t below = line + 1; below < std::min(size(), line + ACROSS_LINES_MAX); ++below) {
        if (line_at(below).asked.across) pend(below);
    }
}

BlockMark NoteBook::mark(std::size_t line) const {
    const Line& at = line_at(line);
    return {at.traits.empty,
            at.traits.empty || at.reading.kind != LineKind::Total ? TotalWord::None : at.reading.total};
}

bool NoteBook::ends_blocks_at(std::size_t line) const {
    return ends_blocks(mark(line), line > 0 ? mark(line - 1) : BlockMark{});
}

BlockTally NoteBook::tally_before(std::size_t line) const {
    // At most BLOCK_LINES_MAX lines back; follow_block reaches as far below.
    const std::size_t from = line > BLOCK_LINES_MAX ? line - BLOCK_LINES_MAX : 0;
    std::size_t start = line;
    for (BlockMark below = start > from ? mark(start - 1) : BlockMark{}; start > from; --start) {
        const BlockMark above = start >= 2 ? mark(start - 2) : BlockMark{};
        if (ends_blocks(below, above)) break;
        below = above;
    }
    BlockTally tally;
    for (std::size_t i = start; i < line; ++i) {
        const Line& at = line_at(i);
        tally.take(at.reading, at.traits.empty, at.text);
    }
    return tally;
}

NotesSum NoteBook::total_at(std::size_t line, std::string_view before_on_line) const {
    return total_of(line, before_on_line, nullptr);
}

NotesSum NoteBook::total_of(std::size_t line, std::string_view before_on_line, bool* across) const {
    BlockTally tally = tally_before(line);
    if (!trim_white_space(before_on_line).empty())
        tally.take(read_at(line, before_on_line, false), false, before_on_line);
    const LineReading& reading = line_at(line).reading;
    const TotalWord word = reading.total == TotalWord::None ? TotalWord::Grand : reading.total;
    NotesSum own = tally.total(word, reading.won_only);
    if (word != TotalWord::Grand || tally.has_result()) return own;
    if (across != nullptr) *across = true;
    std::optional<NotesSum> above = totals_above(line, own);
    return above ? *std::move(above) : own;
}

std::optional<NotesSum> NoteBook::totals_above(std::size_t line, const NotesSum& own) const {
    std::vector<const NoteResult*> totals;  // from the nearest up
    std::size_t at = line;
    while (totals.size() < ACROSS_TOTALS_MAX) {
        while (at > 0 && line + 1 - at < ACROSS_LINES_MAX && line_at(at - 1).traits.empty) --at;
        if (at == 0 || line + 1 - at >= ACROSS_LINES_MAX) break;
        const Line& total = line_at(at - 1);
        if (total.reading.kind != LineKind::Total || !total.total || total.total->value.empty()) break;
        totals.push_back(total.total.get());
        // Past the total's own lines to what stands above them.
        for (--at; at > 0 && line + 1 - at < ACROSS_LINES_MAX; --at) {
            const Line& above = line_at(at - 1);
            if (above.traits.empty || above.reading.kind == LineKind::Total) break;
        }
    }
    bool gains = false, losses = false;
    for (const NoteResult* total : totals) {
        if (total->unit != ResultUnit::Money || !total->currency.empty()) return std::nullopt;
        gains = gains || notes_detail::note_value(total->value) > 0;
        losses = losses || notes_detail::note_value(total->value) < 0;
    }
    // Only where the block's own sum is nothing or the nearest of them alone.
    if (totals.size() < 2 || !gains || !losses || (!own.value.empty() && own.value != totals.front()->value))
        return std::nullopt;
    NotesSum sum;
    sum.unit = ResultUnit::Money;
    sum.writing.in_man = true;
    double value = 0.0;
    for (auto total = totals.rbegin(); total != totals.rend(); ++total) {
        sum.added.push_back((*total)->value);
        value += notes_detail::note_value((*total)->value);
        sum.grouped = sum.grouped || (*total)->grouped;
        sum.writing.in_man = sum.writing.in_man && (*total)->writing.in_man;
        sum.writing.won = sum.writing.won || (*total)->writing.won;
    }
    sum.value = notes_detail::note_value_text(value);
    return sum;
}

LineReading NoteBook::read_at(std::size_t line, std::string_view text, bool selected) const {
    const ScopeAt scope(*this, std::min(line, size()));
    return read_line(text, selected, &scope);
}

NotesSum NoteBook::selection_total(std::size_t line, std::string_view text) const {
    return numvora::selection_total(
        text, [&](std::size_t n, std::string_view segment) { return read_at(line + n, segment, false); });
}

std::optional<std::size_t> NoteBook::definition_before(std::string_view name, std::size_t line) const {
    const auto defined = definitions_.find(std::string(name));
    if (defined == definitions_.end()) return std::nullopt;
    const auto after = first_from(defined->second, line);
    if (after == defined->second.begin()) return std::nullopt;
    return order_.place(*std::prev(after));
}

void NoteBook::insert_sorted(std::vector<Handle>& lines, Handle line) const {
    // A memo read whole files its lines in order: each goes last.
    const std::size_t place = order_.place(line);
    if (lines.empty() || order_.place(lines.back()) <= place) {
        lines.push_back(line);
        return;
    }
    lines.insert(first_after(lines, place), line);
}

void NoteBook::erase_sorted(std::vector<Handle>& lines, Handle line) const {
    const auto at = first_from(lines, order_.place(line));
    if (at != lines.end() && *at == line) lines.erase(at);
}

std::vector<LineOrder::Handle>::const_iterator NoteBook::first_from(const std::vector<Handle>& lines,
                                                                    std::size_t line) const {
    return std::lower_bound(lines.begin(), lines.end(), line,
                            [&](Handle at, std::size_t place) { return order_.place(at) < place; });
}

std::vector<LineOrder::Handle>::const_iterator NoteBook::first_after(const std::vector<Handle>& lines,
                                                                     std::size_t line) const {
    return std::upper_bound(lines.begin(), lines.end(), line,
                            [&](std::size_t place, Handle at) { return place < order_.place(at); });
}

void NoteBook::file(Handle line, const std::vector<std::string>& names, const Asked& asked, bool in) {
    const auto file_in = [&](std::vector<Handle>& lines) {
        if (in)
            insert_sorted(lines, line);
        else
            erase_sorted(lines, line);
    };
    for (const std::string& name : names) file_in(definitions_[name]);
    for (const std::string& name : asked.names) file_in(takers_[name]);
    if (asked.previous) file_in(previous_takers_);
    if (asked.today) file_in(today_takers_);
}

}  // namespace numvora
