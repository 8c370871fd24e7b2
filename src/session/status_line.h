// The line under the memo. A selection check, a document command and a standing
// warning (a failing auto-save, a memo file set aside) all speak there; the warning
// shows whenever the selection has nothing to say, until it is cleared.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/selection_state.h"

namespace numvora {

class StatusLine {
public:
    const std::string& text() const { return text_; }
    // Painted in the warning colour.
    bool status_is_error() const { return status_is_error_; }

    // What the last selection check found.
    void show_selection(const SelectionMessage& message);
    // A command's outcome; it stays until the selection has something to say or moves.
    void show(std::string text, bool is_error);
    // The outcome of a command that changed the memo: it goes as well with the memo's
    // next change, its undo among them.
    void show_edit_outcome(std::string text);
    // The memo changed: an edit's outcome is no longer true. Whether the line changed.
    bool memo_changed();
    // A brief outcome taken back: when the line still shows this text, it falls
    // silent (or shows the standing warning again).
    void withdraw(std::string_view text);
    // Shown now unless the selection speaks (a repeat of the standing warning is not
    // shown again), and again whenever the selection falls silent.
    void raise_notice(std::string warning);
    // The line empties when it was showing the warning.
    void clear_notice();

private:
    std::string text_;
    bool status_is_error_ = false;
    bool selection_speaks_ = false;
    std::optional<std::string> edit_outcome_;
    std::optional<std::string> notice_;
};

}  // namespace numvora
