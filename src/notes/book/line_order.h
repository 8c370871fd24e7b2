// The order of the memo's lines, apart from the lines themselves. A line keeps its handle
// while lines come and go around it, and the place of a handle or the handle at a place
// costs a few steps whatever the memo's size: the handles are kept in runs of a few
// hundred, so an inserted line moves one run's handles, not every line below it. A
// look-up remembers its run for the next one, so one order is read by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace numvora {

class LineOrder {
public:
    using Handle = std::uint32_t;

    std::size_t size() const { return size_; }
    Handle at(std::size_t place) const;
    std::size_t place(Handle line) const;
    // The lines go before the line at place, or after the last when place == size().
    void insert(std::size_t place, std::span<const Handle> lines);
    // Lines [place, place + count) leave the order.
    void erase(std::size_t place, std::size_t count);
    void clear();

private:
    struct Run {
        std::vector<Handle> lines;
        std::size_t start = 0;  // the place of its first line
    };
    struct Where {
        const Run* run = nullptr;
        std::size_t offset = 0;
    };
    std::size_t run_of(std::size_t place) const;
    // Tells the run's lines from offset on where they are.
    void seat(std::size_t run, std::size_t offset);
    // The places where the runs from this one on start.
    void restart(std::size_t run);
    // A long run split, a short one joined to a neighbour, an empty one dropped.
    void settle(std::size_t run);

    std::vector<std::unique_ptr<Run>> runs_;  // in order, none empty
    std::vector<Where> where_;                // by handle
    std::size_t size_ = 0;
    mutable std::size_t recent_ = 0;  // the run of the last look-up
};

}  // namespace numvora
