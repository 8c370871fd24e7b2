// A large memo in the window. The saved memo goes in after the first paint, a piece at
// a time: keys typed meanwhile reach the memo whole and in order, and nothing writes the
// memo while only part of it is in the control. A change of most of it is made by a
// fresh control, one undo step from the old text.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <array>
#include <fstream>
#include <functional>
#include <string>

#include "common/win32/wide_text.h"
#include "notes/book/notebook.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/memo/memo_hint.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_rebuild.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"
#include "support/wait_until.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

// About 60 KB of 가계부 days: a few pieces.
std::string large_memo() {
    std::string memo;
    for (int day = 1; memo.size() < 60'000; ++day)
        memo += std::to_string(day) + "일 (월)\r\n- 점심 8,000원\r\n+ 용돈 10,000원\r\n\r\n";
    return memo;
}

class LargeMemoTest : public MainWindowTest {
protected:
    // The window open with the memo not yet in; with pieces, that many put in.
    void open_with_large_memo(int pieces = 0) {
        write_data_file("memo.txt", memo);
        open_window({}, Memo::AsItGoesIn);
        ASSERT_NE(window, nullptr);
        for (int i = 0; i < pieces; ++i) SendMessageW(window, WM_MEMO_LOAD_PIECE, 0, 0);
    }
    // A fresh window whose memo holds text, all of it selected, in front with the focus,
    // and clipboard on the clipboard; its memo control, or none.
    HWND open_all_selected(const std::wstring& text, const std::wstring& clipboard) {
        reset();
        open_window();
        if (window == nullptr || !copy_to_clipboard(window, to_utf8(clipboard))) return nullptr;
        const HWND control = state().memo_edit();
        SetWindowTextW(control, text.c_str());
        SetForegroundWindow(window);
        SetFocus(control);
        SendMessageW(control, EM_SETSEL, 0, -1);
        return control;
    }
    std::string saved() const {
        std::ifstream in(local_app_data / "Numvora" / "memo.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    const std::string memo = large_memo();
};

void press(WORD key) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// The message loop ends once no posted message is left, before input: keys come here.
void take_input() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The first paint shows an empty memo, without the empty memo's hint, and the status
// line says the memo is being read; keys pressed then go in once the memo is whole, at
// its start, and the memo's undo history begins with them.
TEST_F(LargeMemoTest, TheWindowPaintsFirstAndKeysWaitForTheMemo) {
    open_with_large_memo();
    const HWND memo_edit = state().memo_edit();
    EXPECT_EQ(memo_length(memo_edit), 0);
    EXPECT_FALSE(GetUpdateRect(memo_edit, nullptr, FALSE));  // painted already
    EXPECT_FALSE(state().hint->shown);
    EXPECT_EQ(window_text(state().status_label()), to_wide(MEMO_LOADING_TEXT));
    SetForegroundWindow(window);
    SetFocus(memo_edit);
    press('A');
    press('B');
    pump();
    EXPECT_TRUE(wait_until([&] {
        take_input();
        return memo_text_range(memo_edit, {0, 2}) == L"ab";
    }));
    EXPECT_TRUE(window_text(memo_edit) == L"ab" + to_wide(memo)) << window_text(memo_edit).substr(0, 8);
    EXPECT_EQ(window_text(state().status_label()), L"");
    SendMessageW(memo_edit, EM_UNDO, 0, 0);
    EXPECT_TRUE(window_text(memo_edit) == to_wide(memo));
    EXPECT_FALSE(SendMessageW(memo_edit, EM_CANUNDO, 0, 0));  // never back to an empty memo
}

// With part of the memo in the control, an auto-save writes nothing, a close and a
// log-off keep the memo read, and a command (a document opened among them, which keeps
// the memo it replaces for Ctrl+Z) waits for the memo to be whole.
TEST_F(LargeMemoTest, NothingTakesAPartlyFilledMemo) {
    const struct {
        const char* name;
        std::function<void()> act;
        bool closes;
        bool whole_at_once = false;
    } rows[] = {
        {"auto-save", [this] { SendMessageW(window, WM_TIMER, AUTOSAVE_TIMER_ID, 0); }, false},
        {"close", [this] { SendMessageW(window, WM_CLOSE, 0, 0); }, true},
        {"log-off", [this] { SendMessageW(window, WM_QUERYENDSESSION, 0, 0); }, false},
        {"command",
         [this] {
             SetWindowTextW(state().control(ControlSlot::FindBox), L"용돈");
             SendMessageW(window, WM_COMMAND, ids::FIND_NEXT, 0);
         },
         false, true},
    };
    for (const auto& row : rows) {
        reset();
        open_with_large_memo(1);
        const std::int32_t partly = memo_length(state().memo_edit());
        ASSERT_GT(partly, 0);
        ASSERT_TRUE(memo_loading(state()));
        row.act();
        EXPECT_TRUE(saved() == memo) << row.name << ": " << saved().size() << " bytes saved";
        if (!row.closes) {
            EXPECT_EQ(memo_loading(state()), !row.whole_at_once) << row.name;
        }
        if (row.closes) {
            EXPECT_FALSE(IsWindow(window)) << row.name;
            EXPECT_TRUE(run_message_loop());
            window = nullptr;
            continue;
        }
        pump();
        EXPECT_TRUE(window_text(state().memo_edit()) == to_wide(memo)) << row.name;
    }
}

// What the margin would show on each line, one line each.
std::string shown_lines(const NoteBook& book) {
    std::string shown;
    for (std::size_t line = 0; line < book.size(); ++line) shown += book.shown(line, {}).value_or("-") + "\n";
    return shown;
}

// The memo as the control now holds it, read whole here on the notes' day.
NoteBook read_whole(HWND memo_edit, std::optional<DayNumber> today) {
    NoteBook whole;
    whole.set_today(today);
    whole.assign(to_utf8(memo_text_range(memo_edit, {0, memo_length(memo_edit)})));
    return whole;
}

// The window's thread reads none of a saved memo's lines: its first paint and its
// pieces go by with the strip empty, and once read beside, the strip shows the screen's
// results. Edits made while a reading runs, typed, pasted and deleted, are in the
// notes it leaves, as if the memo had been read whole after them.
TEST_F(LargeMemoTest, TheNotesAreReadBesideTheWindow) {
    write_data_file("preferences.txt", "results_margin=true\n");
    open_with_large_memo();
    EXPECT_TRUE(state().margin->rows.empty());
    EXPECT_TRUE(wait_until([&] {
        pump();
        UpdateWindow(state().memo_edit());
        return !memo_loading(state()) && state().notes->in_step() && !state().margin->rows.empty();
    }));
    EXPECT_EQ(state().notes->lines_read_here(), 0U);
    const HWND memo_edit = state().memo_edit();
    const NoteBook whole = read_whole(memo_edit, state().notes->today());
    for (const MarginRow& row : state().margin->rows)
        EXPECT_EQ(row.shown, whole.shown(row.line, {}).value_or("")) << row.line;

    state().notes->read_beside(memo_text_range(memo_edit, {0, memo_length(memo_edit)}), window);
    select_in_memo(memo_edit, {0, 0});
    SendMessageW(memo_edit, WM_CHAR, L'7', 1);
    replace_in_memo(memo_edit, {20, 20}, L"\r합계\r\r");
    const std::int32_t length = memo_length(memo_edit);
    replace_in_memo(memo_edit, {length - 40, length - 10}, L"");
    EXPECT_TRUE(wait_until([&] {
        pump();
        return catch_up_memo_notes(state()).in_step();
    }));
    EXPECT_TRUE(state().notes->mirror().text() == memo_text_range(memo_edit, {0, memo_length(memo_edit)}));
    EXPECT_EQ(shown_lines(state().notes->book()), shown_lines(read_whole(memo_edit, state().notes->today())));
}

// Ctrl+Z as the control gets it.
void ctrl_z(HWND memo) {
    std::array<BYTE, 256> keys{};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys.data());
    SendMessageW(memo, WM_KEYDOWN, 'Z', 1);
    SetKeyboardState(std::array<BYTE, 256>{}.data());
}

// Over the whole of a memo of 2,000 lines, a paste, a deletion, a cut and a typed
// character each make a fresh control, whose first Ctrl+Z brings the old text back and
// whose redo goes forward again; a change after the undo leaves nothing to go forward to.
TEST_F(LargeMemoTest, AChangeOfTheWholeMemoIsOneUndoStep) {
    std::wstring lines;
    for (int i = 0; i < 2'000; ++i) lines += L"- 점심 8,000원\r\n";
    const std::wstring pasted = L"붙여넣은 글";
    const struct {
        const char* name;
        UINT message;
        WPARAM wparam;
        std::wstring after;
        std::wstring clipboard;
        int undos;  // to the old text
    } rows[] = {
        {"paste", WM_PASTE, 0, pasted, pasted, 1},
        {"Delete", WM_KEYDOWN, VK_DELETE, L"", pasted, 1},
        {"cut", WM_CUT, 0, L"", lines, 1},
        {"typed", WM_CHAR, L'x', L"x", pasted, 2},  // the character, then the deletion
    };
    for (const auto& row : rows) {
        const HWND old = open_all_selected(lines, pasted);
        ASSERT_NE(old, nullptr);
        SendMessageW(old, row.message, row.wparam, 1);
        const HWND fresh = state().memo_edit();
        EXPECT_NE(fresh, old) << row.name;
        EXPECT_EQ(GetFocus(), fresh) << row.name;
        EXPECT_EQ(window_text(fresh), row.after) << row.name;
        EXPECT_TRUE(clipboard_text(window) == row.clipboard) << row.name;
        for (int i = 0; i < row.undos; ++i) ctrl_z(state().memo_edit());
        EXPECT_EQ(state().memo_edit(), old) << row.name;
        EXPECT_TRUE(window_text(old) == lines) << row.name;
        SendMessageW(window, WM_COMMAND, ids::MEMO_REDO, 0);
        EXPECT_EQ(window_text(state().memo_edit()), row.undos == 1 ? row.after : L"") << row.name;
    }
    SendMessageW(window, WM_COMMAND, ids::MEMO_UNDO, 0);
    const HWND left_for_redo = state().memo_rebuild->after;
    select_in_memo(state().memo_edit(), {0, 0});
    SendMessageW(state().memo_edit(), WM_CHAR, L'y', 1);
    SendMessageW(window, WM_COMMAND, ids::MEMO_REDO, 0);
    EXPECT_TRUE(window_text(state().memo_edit()) == L"y" + lines);
    // The control left for the redo goes once the user pauses, not with the keystroke.
    EXPECT_TRUE(IsWindow(left_for_redo));
    SendMessageW(window, WM_TIMER, RETIRED_MEMO_TIMER_ID, 0);
    EXPECT_FALSE(IsWindow(left_for_redo));
}

// A paste over the whole memo of a text of several pieces goes in while the window
// answers, the old text shown: a key pressed meanwhile goes in after it, a log-off saves
// the pasted text, and a command waits for the memo to hold it.
TEST_F(LargeMemoTest, ALargePasteGoesInWhileTheWindowAnswers) {
    std::wstring lines;
    std::wstring pasted;
    for (int i = 0; i < 2'000; ++i) {
        lines += L"- 점심 8,000원\r\n";
        pasted += L"- 저녁 9,000원\r\n";
    }
    const auto find_next = [this] {
        SetWindowTextW(state().control(ControlSlot::FindBox), L"저녁");
        SendMessageW(window, WM_COMMAND, ids::FIND_NEXT, 0);
    };
    const struct {
        const char* name;
        std::function<void()> act;
        std::wstring after;
        bool whole_at_once;
        bool saves = false;
    } rows[] = {
        {"key", [] { press('A'); }, pasted + L"a", false},
        {"log-off", [this] { SendMessageW(window, WM_QUERYENDSESSION, 0, 0); }, pasted, true, true},
        {"command", find_next, pasted, true},
    };
    for (const auto& row : rows) {
        const HWND old = open_all_selected(lines, pasted);
        ASSERT_NE(old, nullptr);
        SendMessageW(old, WM_PASTE, 0, 0);
        EXPECT_EQ(state().memo_edit(), old) << row.name;
        EXPECT_TRUE(window_text(old) == lines) << row.name;
        EXPECT_EQ(to_utf8(window_text(state().status_label())), "붙여 넣는 중입니다…") << row.name;
        row.act();
        EXPECT_EQ(state().memo_rebuild->filling.has_value(), !row.whole_at_once) << row.name;
        if (row.saves) {
            EXPECT_TRUE(to_wide(saved()) == pasted) << row.name;
        }
        EXPECT_TRUE(wait_until([&] {
            pump();
            take_input();
            return window_text(state().memo_edit()) == row.after;
        })) << row.name;
        EXPECT_NE(state().memo_edit(), old) << row.name;
        EXPECT_EQ(window_text(state().status_label()).find(L"붙여"), std::wstring::npos) << row.name;
    }
}

}  // namespace
}  // namespace numvora::testing
