#include "notes/book/line_order.h"

#include <algorithm>
#include <iterator>

namespace numvora {

namespace {

// Long enough that a memo of 10 MiB has a few hundred runs; short enough that moving
// one run's handles costs less than reading a line.
constexpr std::size_t RUN_MAX = 512;
constexpr std::size_t RUN_MIN = RUN_MAX / 8;

auto offset_of(std::size_t offset) { return static_cast<std::ptrdiff_t>(offset); }

}  // namespace

LineOrder::Handle LineOrder::at(std::size_t place) const {
    const Run& run = *runs_[run_of(place)];
    return run.lines[place - run.start];
}

std::size_t LineOrder::place(Handle line) const {
    const Where& where = where_[line];
    return where.run->start + where.offset;
}

std::size_t LineOrder::run_of(std::size_t place) const {
    // Most look-ups walk the memo line by line: the run of the last one, or the next.
    for (std::size_t run = recent_; run < runs_.size() && run <= recent_ + 1; ++run) {
        const Run& at = *runs_[run];
        if (place >= at.start && place < at.start + at.lines.size()) {
            recent_ = run;
            return run;
        }
    }
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), place,
                         [](std::size_t at, const std::unique_ptr<Run>& run) { return at < run->start; });
    recent_ = static_cast<std::size_t>(after - runs_.begin()) - 1;
    return recent_;
}

void LineOrder::insert(std::size_t place, std::span<const Handle> lines) {
    if (lines.empty()) return;
    if (runs_.empty()) runs_.push_back(std::make_unique<Run>());
    const std::size_t r = run_of(place);
    Run& run = *runs_[r];
    const std::size_t offset = place - run.start;
    run.lines.insert(run.lines.begin() + offset_of(offset), lines.begin(), lines.end());
    const Handle highest = *std::max_element(lines.begin(), lines.end());
    if (highest >= where_.size()) where_.resize(std::size_t{highest} + 1);
    size_ += lines.size();
    seat(r, offset);
    restart(r + 1);
    settle(r);
}

void LineOrder::erase(std::size_t place, std::size_t count) {
    while (count > 0) {
        const std::size_t r = run_of(place);
        Run& run = *runs_[r];
        const std::size_t offset = place - run.start;
        const std::size_t n = std::min(count, run.lines.size() - offset);
        run.lines.erase(run.lines.begin() + offset_of(offset), run.lines.begin() + offset_of(offset + n));
        size_ -= n;
        count -= n;
        seat(r, offset);
        restart(r + 1);
        settle(r);
    }
}

void LineOrder::clear() {
    runs_.clear();
    where_.clear();
    size_ = 0;
}

void LineOrder::seat(std::size_t run, std::size_t offset) {
    const Run& at = *runs_[run];
    for (std::size_t i = offset; i < at.lines.size(); ++i) where_[at.lines[i]] = {&at, i};
}

void LineOrder::restart(std::size_t run) {
    for (std::size_t r = run; r < runs_.size(); ++r)
        runs_[r]->start = r == 0 ? 0 : runs_[r - 1]->start + runs_[r - 1]->lines.size();
}

void LineOrder::settle(std::size_t run) {
    std::vector<Handle>& lines = runs_[run]->lines;
    if (lines.empty()) {
        runs_.erase(runs_.begin() + offset_of(run));
        restart(run);
        return;
    }
    if (lines.size() > RUN_MAX) {
        // Even pieces, so that none is left short.
        const std::size_t pieces = (lines.size() + RUN_MAX / 2 - 1) / (RUN_MAX / 2);
        std::vector<std::unique_ptr<Run>> added;
        for (std::size_t piece = 1; piece < pieces; ++piece) {
            auto next = std::make_unique<Run>();
            next->lines.assign(lines.begin() + offset_of(lines.size() * piece / pieces),
                               lines.begin() + offset_of(lines.size() * (piece + 1) / pieces));
            added.push_back(std::move(next));
        }
        lines.resize(lines.size() / pieces);
        runs_.insert(runs_.begin() + offset_of(run + 1), std::make_move_iterator(added.begin()),
                     std::make_move_iterator(added.end()));
        for (std::size_t r = run + 1; r < run + pieces; ++r) seat(r, 0);
        restart(run + 1);
        return;
    }
    if (lines.size() >= RUN_MIN || runs_.size() == 1) return;
    // The later of two neighbours joins the earlier one.
    const std::size_t into = run > 0 ? run - 1 : run;
    std::vector<Handle>& kept = runs_[into]->lines;
    const std::vector<Handle>& joined = runs_[into + 1]->lines;
    const std::size_t offset = kept.size();
    kept.insert(kept.end(), joined.begin(), joined.end());
    runs_.erase(runs_.begin() + offset_of(into + 1));
    seat(into, offset);
    settle(into);
}

}  // namespace numvora
