#include "session/status_line.h"

#include <utility>

namespace numvora {

void StatusLine::show_selection(const SelectionMessage& message) {
    selection_speaks_ = !message.text.empty();
    if (!selection_speaks_ && notice_) {
        text_ = *notice_;
        status_is_error_ = true;
    } else {
        text_ = message.text;
        status_is_error_ = message.is_error;
    }
}

void StatusLine::show(std::string text, bool is_error) {
    selection_speaks_ = false;
    edit_outcome_.reset();
    text_ = std::move(text);
    status_is_error_ = is_error;
}

void StatusLine::show_edit_outcome(std::string text) {
    show(text, false);
    edit_outcome_ = std::move(text);
}

// Only while the line still shows the outcome: withdraw leaves any other text alone.
bool StatusLine::memo_changed() {
    if (!edit_outcome_) return false;
    const std::string before = text_;
    withdraw(*std::exchange(edit_outcome_, std::nullopt));
    return text_ != before;
}

void StatusLine::withdraw(std::string_view text) {
    if (selection_speaks_ || text_ != text) return;
    text_ = notice_.value_or("");
    status_is_error_ = notice_.has_value();
}

void StatusLine::raise_notice(std::string warning) {
    // The same warning again (a failing auto-save every tick) leaves a document's
    // message in place; it returns when the selection next falls silent.
    if (notice_ == warning) return;
    notice_ = std::move(warning);
    if (selection_speaks_) return;
    text_ = *notice_;
    status_is_error_ = true;
}

void StatusLine::clear_notice() {
    if (!notice_) return;
    if (!selection_speaks_ && text_ == *notice_) {
        text_.clear();
        status_is_error_ = false;
    }
    notice_.reset();
}

}  // namespace numvora
