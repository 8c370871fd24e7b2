// The memo selection as an operand: what the last check saw and what it found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numvora {

// Rich edit positions, in its characters.
struct MemoSelection {
    std::int32_t start = -1;
    std::int32_t end = -1;

    bool operator==(const MemoSelection&) const = default;
    bool empty() const { return end <= start; }
};

// What a check has to say on the status line; an empty text says nothing.
struct SelectionMessage {
    std::string text;
    bool is_error = false;

    bool operator==(const SelectionMessage&) const = default;
};

struct SelectionState {
    std::optional<std::string> pending_operand;
    // (-1, -1), which no real selection equals, makes the next check examine the
    // selection whatever it is.
    MemoSelection last_memo_selection;

    // Whether the selection moved since the last check; remembers the new positions.
    bool moved_to(MemoSelection now);
    // Takes the selected text (nothing: no text is selected) as the pending operand or
    // as the reason it is none. Money as the memo writes it ("12만 3천원") is an operand.
    SelectionMessage take(std::optional<std::string_view> selected_text);
    // Idle, and the next check looks again.
    void reset();
    bool operand_ready() const { return pending_operand.has_value(); }
};

}  // namespace numvora
