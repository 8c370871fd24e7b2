// The find bar above the memo: opening and closing it, find next and previous, replace
// and replace all. Every path matches by one rule (ui/memo/text_search.h) with the system's
// invariant case fold, so F3 and replace-all agree on what a match is.
#include <richedit.h>

#include <algorithm>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/base/case_fold.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "ui/memo/memo_mirror.h"
#include "ui/memo/text_search.h"

namespace numvora {
namespace {

// A longer selection is not taken as the text to look for.
constexpr std::size_t SELECTION_TO_FIND_UNITS = 1024;

HWND find_box(const AppState& state) { return state.control(ControlSlot::FindBox); }

std::wstring pattern(const AppState& state) { return control_text_wide(find_box(state)); }

SearchRule search_rule(const AppState& state) {
    const HWND match_case = state.control(ControlSlot::FindMatchCase);
    return {SendMessageW(match_case, BM_GETCHECK, 0, 0) == BST_CHECKED, invariant_case_fold};
}

bool in_find_bar(const AppState& state, HWND control) {
    const auto found = std::find(state.controls.begin(), state.controls.end(), control);
    return found != state.controls.end() &&
           find_bar_row(CONTROL_ROWS[static_cast<std::size_t>(found - state.controls.begin())]) != FindBar::Hidden;
}

// The copy takes the edit read back from the stretch the changes noted; false when
// even the widest read cannot show it.
bool bring_copy_in_step(AppState& state) {
    FindBarState& find = *state.find;
    const auto edit = read_edit_back(state.memo_edit(), find.memo->text(), *find.changed);
    if (edit) find.memo->replace(edit->start, edit->removed, edit->inserted);
    return edit.has_value();
}

const FoldedText& whole_memo(AppState& state) {
    FindBarState& find = *state.find;
    if (find.memo && find.changed && !bring_copy_in_step(state)) find.memo.reset();
    find.changed.reset();
    if (!find.memo) {
        const HWND memo = state.memo_edit();
        find.memo.emplace(memo_text_range(memo, {0, memo_length(memo)}), invariant_case_fold);
        ++find.whole_reads;
    }
    find.length = find.memo->text().size();
    return *find.memo;
}

// The bar's own change of the memo, told to its copy before the control makes it: the
// change's EN_CHANGE then finds the copy in step.
void replace_in_memo_and_copy(AppState& state, MemoSelection range, const std::wstring& text) {
    if (state.find->memo) {
        state.find->memo->replace(static_cast<std::size_t>(range.start),
                                  static_cast<std::size_t>(range.end - range.start), text);
    }
    replace_memo_range(state, range, text);
}

// The bar's message; with the bar hidden (F3 from the memo), the status line's.
void say(AppState& state, const std::string& text) {
    if (state.layout->find_bar != FindBar::Hidden) {
        (void)set_control_text(state.control(ControlSlot::FindMessage), text);
    } else if (!text.empty()) {
        show_command_outcome(state, text, false);
    }
}

std::string not_found_text(const std::wstring& pattern) {
    std::string text = to_utf8(pattern);
    text.insert(0, 1, '\'');  // GCC 12 warns wrongly of an overlapping copy for "'" + text
    text += "'을(를) 찾을 수 없습니다.";
    return text;
}

// The rows' controls shown or hidden, the memo moved to make room.
SystemStatus show_rows(AppState& state, FindBar rows) {
    const auto shown = [rows](FindBar row) { return row == FindBar::Find ? rows != FindBar::Hidden : rows == row; };
    state.layout->find_bar = rows;
    // Hidden before the layout, shown after it: nothing shows in its old place.
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const FindBar row = find_bar_row(CONTROL_ROWS[i]);
        if (row != FindBar::Hidden && !shown(row)) ShowWindow(state.controls[i], SW_HIDE);
    }
    if (auto status = layout_controls(state); !status) return status;
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const FindBar row = find_bar_row(CONTROL_ROWS[i]);
        if (row != FindBar::Hidden && shown(row)) ShowWindow(state.controls[i], SW_SHOWNA);
    }
    return {};
}

// From the selection onwards (or backwards), then once around from the other end.
bool find_in_memo(AppState& state, bool forward) {
    const std::wstring looked_for = pattern(state);
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    const auto found =
        find_match(TextMatcher(whole_memo(state), looked_for, search_rule(state)),
                   static_cast<std::size_t>(selection.start), static_cast<std::size_t>(selection.end), forward);
    if (!found) {
        say(state, not_found_text(looked_for));
        return false;
    }
    const auto start = static_cast<std::int32_t>(found->start);
    show_in_memo(memo, {start, start + static_cast<std::int32_t>(looked_for.size())});
    // A match is no request to calculate: the selection check leaves it unread.
    settle_memo_selection(state);
    const std::string place = std::to_string(found->index) + "/" + std::to_string(found->count);
    if (!found->wrapped) {
        say(state, place);
    } else {
        say(state, (forward ? "처음부터 다시 찾았습니다. " : "끝에서부터 다시 찾았습니다. ") + place);
    }
    return true;
}

// The memo takes no more than its limit: a replacement that would pass it is refused whole.
bool fits_in_memo(HWND memo, std::size_t removed, std::size_t added) {
    const auto length = static_cast<std::int64_t>(memo_length(memo));
    return length - static_cast<std::int64_t>(removed) + static_cast<std::int64_t>(added) <= MEMO_TEXT_LIMIT;
}

constexpr std::string_view TOO_LONG = "바꾸면 메모가 너무 길어져서 바꾸지 않았습니다.";

}  // namespace

void follow_memo_for_find(AppState& state) {
    FindBarState& find = *state.find;
    if (!find.memo) return;
    const HWND memo = state.memo_edit();
    const auto length = static_cast<std::size_t>(memo_length(memo));
    const auto caret = static_cast<std::size_t>(std::max(memo_selection(memo).end, 0));
    find.changed = widen(find.changed, find.length, length, caret);
    find.length = length;
}

SystemStatus open_find_bar(AppState& state, std::int32_t id) {
    const HWND box = find_box(state);
    // A selection on one line is what to look for, unless the focus is in the bar: the
    // selection is then the last match, maybe in another case than what was typed.
    if (!in_find_bar(state, GetFocus())) {
        const HWND memo = state.memo_edit();
        const std::wstring selected = memo_text_range(memo, memo_selection(memo));
        if (!selected.empty() && selected.size() <= SELECTION_TO_FIND_UNITS &&
            selected.find_first_of(L"\r\n") == std::wstring::npos) {
            SetWindowTextW(box, selected.c_str());
        }
    }
    if (auto status = show_rows(state, id == ids::REPLACE ? FindBar::Replace : FindBar::Find); !status) return status;
    say(state, "");
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return {};
}

SystemStatus close_find_bar(AppState& state, std::int32_t) {
    // The memo first: a hidden control cannot keep the focus. Its selection is the match.
    SetFocus(state.memo_edit());
    return show_rows(state, FindBar::Hidden);
}

SystemStatus match_case_switched(AppState& state, std::int32_t) {
    say(state, "");  // the count was of the other rule's matches
    return {};
}

SystemStatus find_again(AppState& state, std::int32_t id) {
    if (pattern(state).empty()) return open_find_bar(state, ids::FIND);
    find_in_memo(state, id == ids::FIND_NEXT);
    return {};
}

// The selection is replaced when it is a match; then the next match is selected.
SystemStatus replace_one(AppState& state, std::int32_t) {
    const std::wstring looked_for = pattern(state);
    if (looked_for.empty()) return open_find_bar(state, ids::REPLACE);
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    if (same_text(memo_text_range(memo, selection), looked_for, search_rule(state))) {
        const std::wstring replacement = control_text_wide(state.control(ControlSlot::ReplaceBox));
        if (!fits_in_memo(memo, looked_for.size(), replacement.size())) {
            show_command_outcome(state, std::string(TOO_LONG), false);
            return {};
        }
        replace_in_memo_and_copy(state, selection, replacement);
    }
    find_in_memo(state, true);
    return {};
}

// One edit of the stretch from the first match to the last: one undo step, and the
// control takes no more text than it must.
SystemStatus replace_everything(AppState& state, std::int32_t) {
    const std::wstring looked_for = pattern(state);
    if (looked_for.empty()) return open_find_bar(state, ids::REPLACE);
    const HWND memo = state.memo_edit();
    const Replacement done = replace_all(TextMatcher(whole_memo(state), looked_for, search_rule(state)),
                                         control_text_wide(state.control(ControlSlot::ReplaceBox)));
    if (done.count == 0) {
        say(state, not_found_text(looked_for));
        return {};
    }
    if (!fits_in_memo(memo, done.last - done.first, done.stretch.size())) {
        show_command_outcome(state, std::string(TOO_LONG), false);
        return {};
    }
    replace_in_memo_and_copy(state, {static_cast<std::int32_t>(done.first), static_cast<std::int32_t>(done.last)},
                             done.stretch);
    say(state, "");
    // The count stays on the status line until the user moves the caret or the memo changes.
    settle_memo_selection(state);
    show_edit_outcome(state, std::to_string(done.count) + "개를 바꿨습니다.");
    return {};
}

}  // namespace numvora
