// Finding and replacing in the memo: the standard find and replace dialogs (modeless),
// F3 and Shift+F3, and the outcomes on the status line.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/file_dialog.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/status_view.h"
#include "ui/text_search.h"

namespace numvora {
namespace {

BOOL CALLBACK name_label(HWND control, LPARAM param) {
    auto* labels = reinterpret_cast<std::vector<HWND>*>(param);
    if (GetDlgCtrlID(control) == 0xFFFF) labels->push_back(control);
    return TRUE;
}

// The dialog's own texts in Korean, whatever language the system speaks.
UINT_PTR CALLBACK find_dialog_hook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    std::vector<HWND> labels;  // the unnamed statics before the two boxes
    EnumChildWindows(dialog, name_label, reinterpret_cast<LPARAM>(&labels));
    const wchar_t* label_texts[] = {L"찾을 내용(&N):", L"바꿀 내용(&P):"};
    for (std::size_t i = 0; i < labels.size() && i < 2; ++i) SetWindowTextW(labels[i], label_texts[i]);
    const std::pair<int, const wchar_t*> texts[] = {
        {chx2, L"대/소문자 구분(&C)"}, {grp1, L"방향"},       {rad1, L"위로(&U)"},        {rad2, L"아래로(&D)"},
        {IDOK, L"다음 찾기(&F)"},      {psh1, L"바꾸기(&R)"}, {psh2, L"모두 바꾸기(&A)"}, {IDCANCEL, L"취소"},
    };
    for (const auto& [id, text] : texts) SetDlgItemTextW(dialog, id, text);
    return TRUE;
}

std::wstring find_text(const FindState& find) { return find.find_text.data(); }
bool match_case(const FindState& find) { return (find.record.Flags & FR_MATCHCASE) != 0; }

void say_not_found(AppState& state) {
    std::string text = to_utf8(find_text(state.find));
    text.insert(0, 1, '\'');
    text += "'을(를) 찾을 수 없습니다.";
    show_command_outcome(state, std::move(text), false);
}

// From the selection onwards (or backwards), then once around from the other end.
bool find_in_memo(AppState& state, bool forward) {
    const HWND memo = state.memo_edit();
    const std::wstring text = find_text(state.find);
    if (text.empty()) return false;
    const MemoSelection selection = memo_selection(memo);
    const CHARRANGE passes[] = {
        forward ? CHARRANGE{selection.end, -1} : CHARRANGE{selection.start, 0},
        forward ? CHARRANGE{0, -1} : CHARRANGE{memo_length(memo), 0},
    };
    const WPARAM flags = (forward ? FR_DOWN : 0) | (match_case(state.find) ? FR_MATCHCASE : 0);
    for (const CHARRANGE& range : passes) {
        FINDTEXTEXW request{range, text.c_str(), {}};
        if (SendMessageW(memo, EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&request)) < 0) continue;
        select_in_memo(memo, {request.chrgText.cpMin, request.chrgText.cpMax});
        SendMessageW(memo, EM_SCROLLCARET, 0, 0);
        return true;
    }
    say_not_found(state);
    return false;
}

// The selection is replaced when it is a match; then the next match is selected.
void replace_one(AppState& state) {
    const HWND memo = state.memo_edit();
    const MemoSelection selection = memo_selection(memo);
    if (same_text(memo_text_range(memo, selection), find_text(state.find), match_case(state.find))) {
        replace_in_memo(memo, selection, state.find.replace_text.data());
    }
    find_in_memo(state, true);
}

// One edit of the stretch from the first match to the last: one undo step, and the
// control takes no more text than it must.
void replace_everything(AppState& state) {
    const HWND memo = state.memo_edit();
    const std::int32_t length = memo_length(memo);
    const Replacement done = replace_all(memo_text_range(memo, {0, length}), find_text(state.find),
                                         state.find.replace_text.data(), match_case(state.find));
    if (done.count == 0) return say_not_found(state);
    const auto grown = static_cast<std::int64_t>(length) - static_cast<std::int64_t>(done.last - done.first) +
                       static_cast<std::int64_t>(done.stretch.size());
    if (grown > MEMO_TEXT_LIMIT)
        return show_command_outcome(state, "바꾸면 메모가 너무 길어져서 바꾸지 않았습니다.", false);
    replace_in_memo(memo, {static_cast<std::int32_t>(done.first), static_cast<std::int32_t>(done.last)}, done.stretch);
    // The count stays on the status line until the user moves the caret.
    settle_memo_selection(state);
    show_command_outcome(state, std::to_string(done.count) + "개를 바꿨습니다.", false);
}

}  // namespace

SystemStatus open_find_or_replace(AppState& state, std::int32_t id) {
    const bool replacing = id == ids::REPLACE;
    FindState& find = state.find;
    if (find.dialog != nullptr) {
        if (find.replacing == replacing) {
            SetActiveWindow(find.dialog);
            return {};
        }
        DestroyWindow(std::exchange(find.dialog, nullptr));
    }
    // A short selection on one line is what to look for.
    const MemoSelection selection = memo_selection(state.memo_edit());
    const std::wstring selected = memo_text_range(state.memo_edit(), selection);
    if (!selected.empty() && selected.size() < FindState::TEXT_UNITS && selected.find(L'\r') == std::wstring::npos) {
        find.find_text.fill(L'\0');
        selected.copy(find.find_text.data(), selected.size());
    }
    FINDREPLACEW& record = find.record;
    const DWORD kept = record.lStructSize == 0 ? FR_DOWN : record.Flags & (FR_DOWN | FR_MATCHCASE);
    record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = state.main_window;
    record.Flags = kept | FR_HIDEWHOLEWORD | FR_ENABLEHOOK;
    record.lpstrFindWhat = find.find_text.data();
    record.wFindWhatLen = static_cast<WORD>(FindState::TEXT_UNITS);
    record.lpstrReplaceWith = find.replace_text.data();
    record.wReplaceWithLen = static_cast<WORD>(FindState::TEXT_UNITS);
    record.lpfnHook = find_dialog_hook;
    auto dialog = open_find_dialog(record, replacing);
    if (!dialog) return fail(dialog.error());
    find.dialog = dialog.value();
    find.replacing = replacing;
    // Set here rather than in the hook: Wine's dialog takes its caption through a
    // narrow-text path during creation.
    SetWindowTextW(find.dialog, replacing ? L"바꾸기" : L"찾기");
    return {};
}

SystemStatus find_again(AppState& state, std::int32_t id) {
    if (state.find.find_text[0] == L'\0') return open_find_or_replace(state, ids::FIND);
    find_in_memo(state, id == ids::FIND_NEXT);
    return {};
}

LRESULT on_find_message(AppState& state, const FINDREPLACEW& record) {
    if ((record.Flags & FR_DIALOGTERM) != 0) {
        state.find.dialog = nullptr;
    } else if ((record.Flags & FR_REPLACEALL) != 0) {
        replace_everything(state);
    } else if ((record.Flags & FR_REPLACE) != 0) {
        replace_one(state);
    } else if ((record.Flags & FR_FINDNEXT) != 0) {
        find_in_memo(state, (record.Flags & FR_DOWN) != 0);
    }
    return 0;
}

}  // namespace numvora
