// The program's message loop with the real window: shortcuts, auto-repeat and the
// memo's undo groups.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <array>
#include <string>

#include "window_test_support.h"

namespace numvora::testing {
namespace {

// Ctrl as the keyboard state of this thread: posted key messages do not change it.
void hold_ctrl(bool down) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys.data());
}

LPARAM key_lparam(UINT virtual_key, bool repeat) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    return 1 | (scan << 16) | (repeat ? (1 << 30) : 0);
}

class MessageLoopTest : public MainWindowTest {
protected:
    void SetUp() override {
        hold_ctrl(false);
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        hold_ctrl(false);
        MainWindowTest::TearDown();
    }

    // Commands only: the expression box's own notifications (EN_CHANGE after 'C') are not.
    std::vector<int> commands() const {
        std::vector<int> ids;
        for (const Delivered& d : delivered()) {
            if (d.window == window && d.message == WM_COMMAND && HIWORD(d.wparam) == 0) ids.push_back(LOWORD(d.wparam));
        }
        return ids;
    }
    int key_downs(HWND control) const {
        int count = 0;
        for (const Delivered& d : delivered()) count += d.window == control && d.message == WM_KEYDOWN;
        return count;
    }
};

TEST_F(MessageLoopTest, ShortcutsPostCommandsInsteadOfKeys) {
    const struct {
        bool in_memo;
        UINT key;
        bool ctrl;
        bool repeat;
        std::vector<int> commands;
        int dispatched;
    } rows[] = {
        {false, VK_RETURN, false, false, {ids::CALCULATE}, 0},
        {false, VK_ESCAPE, false, false, {ids::CLEAR_EXPRESSION}, 0},
        {false, VK_RETURN, false, true, {}, 0},                               // held Enter calculates once
        {true, VK_RETURN, true, false, {ids::EXPRESSION_RESULT_TO_MEMO}, 0},  // Ctrl+Enter in the memo
        {true, VK_ESCAPE, false, false, {}, 1},                               // Esc in the memo is an ordinary key
        {false, VK_OEM_PLUS, true, false, {ids::MEMO_ZOOM_IN}, 0},            // Ctrl+= zooms the memo from the box
        {true, VK_F1, false, false, {ids::HELP}, 0},                          // F1 opens the help page
    };
    for (const auto& row : rows) {
        reset();
        open_window();
        ASSERT_NE(window, nullptr);
        const AppState& s = state();
        HWND target = row.in_memo ? s.memo_edit() : s.expression_edit();
        watch(window);
        watch(target);
        hold_ctrl(row.ctrl);
        PostMessageW(target, WM_KEYDOWN, row.key, key_lparam(row.key, row.repeat));
        pump();
        EXPECT_EQ(commands(), row.commands) << row.key;
        EXPECT_EQ(key_downs(target), row.dispatched) << row.key;
        EXPECT_EQ(window_text(target), L"") << row.key;
    }
}

TEST_F(MessageLoopTest, OperatorsAndSpacesEndTheMemoUndoGroup) {
    const struct {
        const wchar_t* typed;
        const wchar_t* after_one_undo;
    } rows[] = {
        {L"12+3", L"12+"},
        {L"ab cd", L"ab "},
    };
    for (const auto& row : rows) {
        reset();
        open_window();
        ASSERT_NE(window, nullptr);
        HWND memo = state().memo_edit();
        for (const wchar_t* c = row.typed; *c != L'\0'; ++c) PostMessageW(memo, WM_CHAR, *c, 1);
        pump();
        EXPECT_EQ(window_text(memo), row.typed);
        SendMessageW(memo, EM_UNDO, 0, 0);
        EXPECT_EQ(window_text(memo), row.after_one_undo);
        SendMessageW(memo, EM_UNDO, 0, 0);
        EXPECT_EQ(window_text(memo), L"");
    }
}

// What the loop adds to the reading order: the memo keeps its tab and Ctrl+Tab leaves
// it, Shift reverses, Enter presses the focused check box.
TEST_F(MessageLoopTest, TabMovesTheFocusAndEnterPresses) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const auto press = [&](UINT key, bool ctrl, bool shift) {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys.data());
        PostMessageW(GetFocus(), WM_KEYDOWN, key, key_lparam(key, false));
        pump();
        keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys.data());
        return GetDlgCtrlID(GetFocus());
    };
    EXPECT_EQ(press(VK_TAB, false, true), ids::THOUSANDS);
    EXPECT_EQ(press(VK_RETURN, false, false), ids::THOUSANDS);
    EXPECT_EQ(SendMessageW(s.thousands_checkbox(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SetFocus(s.memo_edit());
    EXPECT_EQ(press(VK_TAB, false, false), ids::MEMO_EDIT);
    EXPECT_EQ(window_text(s.memo_edit()), L"\t");
    EXPECT_EQ(press(VK_TAB, true, false), ids::SAVE);  // round to the start
    EXPECT_EQ(press(VK_TAB, true, true), ids::MEMO_EDIT);
}

}  // namespace
}  // namespace numvora::testing
