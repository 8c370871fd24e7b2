// Troubles that last (the memo not saved, the history not written, another window on
// the same memo): each keeps a mark on the status line, whatever else the line says,
// from the moment it is found until it is seen to end, with its detail as a tooltip.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "session/status_line.h"

namespace numvora {

// Most serious first: the status line has room for one mark.
enum class Trouble : std::size_t { MemoNotSaved, HistoryNotKept, OtherWindow };
inline constexpr std::size_t TROUBLE_COUNT = 3;

class LastingTroubles {
public:
    void begin(Trouble trouble, std::string detail) { details_[index(trouble)] = std::move(detail); }
    void end(Trouble trouble) { details_[index(trouble)].reset(); }
    const std::optional<std::string>& detail(Trouble trouble) const { return details_[index(trouble)]; }

private:
    static constexpr std::size_t index(Trouble trouble) { return static_cast<std::size_t>(trouble); }
    std::array<std::optional<std::string>, TROUBLE_COUNT> details_;
};

// The mark each trouble shows.
std::string_view trouble_mark(Trouble trouble);

struct StatusLineView {
    std::string text;     // the most serious trouble's mark, then what the line says
    std::string tooltip;  // every trouble's detail, one a line; empty: no tip
    bool is_error = false;

    bool operator==(const StatusLineView&) const = default;
};

// What the status line shows: its own text after the mark of the most serious trouble;
// the mark alone is a warning.
StatusLineView status_line_view(const StatusLine& line, const LastingTroubles& troubles);

}  // namespace numvora
