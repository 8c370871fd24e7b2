// The find bar in the real window, driven as a person would (Enter and Esc through the
// program's message loop), and the keyboard focus after the dialogs and boxes that take
// it away for a while.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <array>
#include <functional>
#include <string>

#include "platform/windows/app/message_loop.h"
#include "platform/windows/state/control_text.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

void hold_shift(bool down) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys.data());
}

class FindBarTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        open_window();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
    }
    HWND control(ControlSlot slot) const { return state().control(slot); }
    void command(int id) const { SendMessageW(window, WM_COMMAND, id, 0); }
    // A key pressed in the focused control, through the program's message loop.
    static void press(UINT key, bool shift = false) {
        hold_shift(shift);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        pump();
        hold_shift(false);
    }
};

// One walk through the bar: every row acts, then the memo's selection, the bar's message,
// where the focus is and the memo's top are as the row says.
TEST_F(FindBarTest, FindsWrapsReplacesAndClosesFromTheKeyboard) {
    const HWND memo = state().memo_edit();
    const HWND find_box = control(ControlSlot::FindBox);
    const auto set = [](HWND box, const wchar_t* text) { SetWindowTextW(box, text); };
    SetWindowTextW(memo, L"점심 12,000원\r저녁 점심값 PÉCHÉ péché");
    select_in_memo(memo, {0, 2});
    const struct {
        const char* what;
        std::function<void()> act;
        MemoSelection selection;
        const wchar_t* message;
        ControlSlot focus;
        std::int32_t memo_top;
    } rows[] = {
        {"Ctrl+F takes the selected word", [&] { command(ids::FIND); }, {0, 2}, L"", ControlSlot::FindBox, 160},
        {"Enter finds the next", [&] { press(VK_RETURN); }, {14, 16}, L"2/2", ControlSlot::FindBox, 160},
        {"and wraps", [&] { press(VK_RETURN); }, {0, 2}, L"처음부터 다시 찾았습니다. 1/2", ControlSlot::FindBox, 160},
        {"Shift+Enter goes back around the start",
         [&] { press(VK_RETURN, true); },
         {14, 16},
         L"처음부터 다시 찾았습니다. 2/2",
         ControlSlot::FindBox,
         160},
        {"accents fold with case (the system's fold)",
         [&] {
             set(find_box, L"péché");
             press(VK_RETURN);
         },
         {18, 23},
         L"1/2",
         ControlSlot::FindBox,
         160},
        {"match case keeps them apart",
         [&] {
             SendMessageW(control(ControlSlot::FindMatchCase), BM_SETCHECK, BST_CHECKED, 0);
             command(ids::FIND_NEXT);
         },
         {24, 29},
         L"1/1",
         ControlSlot::FindBox,
         160},
        {"a missing text leaves the selection",
         [&] {
             set(find_box, L"저녁밥");
             press(VK_RETURN);
         },
         {24, 29},
         L"'저녁밥'을(를) 찾을 수 없습니다.",
         ControlSlot::FindBox,
         160},
        {"Ctrl+H adds the replace row", [&] { command(ids::REPLACE); }, {24, 29}, L"", ControlSlot::FindBox, 196},
        {"Esc closes the bar, the memo keeps the match",
         [&] {
             set(find_box, L"저녁");
             press(VK_RETURN);
             press(VK_ESCAPE);
         },
         {11, 13},
         L"처음부터 다시 찾았습니다. 1/1",
         ControlSlot::MemoEdit,
         124},
    };
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(memo_selection(memo), row.selection) << row.what;
        EXPECT_EQ(window_text(control(ControlSlot::FindMessage)), row.message) << row.what;
        EXPECT_EQ(GetFocus(), control(row.focus)) << row.what;
        EXPECT_EQ(child_box(memo).y, row.memo_top) << row.what;
    }
    EXPECT_FALSE(IsWindowVisible(find_box));
    // What is typed next reaches the memo.
    PostMessageW(GetFocus(), WM_CHAR, L'Q', 1);
    pump();
    EXPECT_EQ(window_text(memo), L"점심 12,000원\r\nQ 점심값 PÉCHÉ péché");
}

// Replace-all changes every match of the same rule in one undo step; its count stays on
// the status line; one replace changes the selected match and moves to the next.
TEST_F(FindBarTest, ReplaceAllIsOneUndoStep) {
    const HWND memo = state().memo_edit();
    SetWindowTextW(memo, L"σ Σ x\rΣ ａ");
    command(ids::REPLACE);
    SetWindowTextW(control(ControlSlot::FindBox), L"Σ");
    SetWindowTextW(control(ControlSlot::ReplaceBox), L"시그마");
    command(ids::REPLACE_ALL);
    SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);  // the count outlasts the next selection check
    EXPECT_EQ(window_text(state().status_label()), L"3개를 바꿨습니다.");
    EXPECT_EQ(window_text(memo), L"시그마 시그마 x\r\n시그마 ａ");
    command(ids::MEMO_UNDO);
    EXPECT_EQ(window_text(memo), L"σ Σ x\r\nΣ ａ");

    SetWindowTextW(control(ControlSlot::FindBox), L"Ａ");  // full width folds too
    select_in_memo(memo, {0, 0});
    command(ids::FIND_NEXT);
    command(ids::REPLACE_ONE);
    EXPECT_EQ(window_text(memo), L"σ Σ x\r\nΣ 시그마");
    EXPECT_EQ(window_text(control(ControlSlot::FindMessage)), L"'Ａ'을(를) 찾을 수 없습니다.");
}

class FocusTest : public MainWindowTest {};

BOOL WINAPI cancelled_open_dialog(OPENFILENAMEW* record) {
    MessageBoxW(record->hwndOwner, L"열기", L"열기", MB_OKCANCEL);  // a modal window, then "cancel"
    return FALSE;
}

// After a dialog or box closes, and after another window was active, the control that
// had the focus has it again; one that can take it no more leaves it to the expression box.
TEST_F(FocusTest, ComesBackAfterDialogsAndBoxes) {
    const struct {
        const char* what;
        bool data_folder;
        ControlSlot focused;
        std::function<void(HWND)> act;
        int answer;
        ControlSlot expected;
    } rows[] = {
        {"memo versions", true, ControlSlot::MemoEdit,
         [](HWND w) { SendMessageW(w, WM_SYSCOMMAND, ids::MEMO_VERSIONS, 0); }, IDCANCEL, ControlSlot::MemoEdit},
        {"a cancelled Ctrl+O", true, ControlSlot::HistoryList,
         [](HWND w) { SendMessageW(w, WM_COMMAND, ids::LOAD, 0); }, IDCANCEL, ControlSlot::HistoryList},
        {"the close question answered no", false, ControlSlot::MemoEdit,
         [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }, IDNO, ControlSlot::MemoEdit},
        {"a disabled control", true, ControlSlot::HistoryList,
         [this](HWND w) {
             const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                                nullptr, nullptr, nullptr);
             SetActiveWindow(other);
             EnableWindow(state().history_list(), FALSE);
             SetActiveWindow(w);
             DestroyWindow(other);
         },
         0, ControlSlot::ExpressionEdit},
    };
    for (const auto& row : rows) {
        reset();
        if (!row.data_folder) SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
        calls.open_dialog = cancelled_open_dialog;
        open_window();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        const HWND target = state().control(row.focused);
        SetFocus(target);
        if (!row.data_folder) type_into(state().memo_edit(), L"저장되지 않은 메모");
        const HWND w = window;
        if (row.answer != 0) {
            EXPECT_EQ(answer_boxes([&] { row.act(w); }, {{row.answer, {}}}).size(), 1u) << row.what;
        } else {
            row.act(w);
        }
        pump();
        EXPECT_EQ(GetFocus(), state().control(row.expected)) << row.what;
        if (!row.data_folder) {
            // It closes for good with yes, since nothing can be saved.
            answer_boxes([&] { SendMessageW(w, WM_CLOSE, 0, 0); }, {{IDYES, {}}});
            EXPECT_TRUE(run_message_loop());
            window = nullptr;
        }
    }
}

}  // namespace
}  // namespace numvora::testing
