#include "session/status_line.h"

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
    text_ = std::move(text);
    status_is_error_ = is_error;
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
