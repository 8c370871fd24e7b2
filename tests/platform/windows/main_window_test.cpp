// The real main window: its controls, layout, routing and the saved state it opens with.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/layout/window_layout.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/window/window_handlers.h"
#include "storage/settings.h"
#include "ui/colors/theme_palette.h"
#include "ui/layout/layout.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

// The window's children are the control table's rows, in its order, with their class,
// id, style, text and font; only the operation buttons start disabled.
TEST_F(MainWindowTest, CreatesTheControlsOfTheTableInOrder) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    HWND child = GetWindow(window, GW_CHILD);
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
        const ControlRow& row = CONTROL_ROWS[i];
        ASSERT_NE(child, nullptr) << "missing control " << i;
        SCOPED_TRACE(::testing::Message() << "control " << i << ", id " << row.id);
        EXPECT_EQ(child, s.controls[i]);
        wchar_t class_name[64] = {};
        GetClassNameW(child, class_name, 64);
        EXPECT_EQ(_wcsicmp(class_name, control_class_name(row.class_kind)), 0);
        EXPECT_EQ(GetDlgCtrlID(child), row.id);
        // The system drops WS_VSCROLL while there is nothing to scroll.
        constexpr DWORD VARIABLE_BITS = WS_DISABLED | WS_VSCROLL;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & ~VARIABLE_BITS, row.style & ~VARIABLE_BITS);
        EXPECT_EQ(window_text(child), row.text);
        const HFONT fonts[] = {s.fonts.ui.get(), s.fonts.display.get(), s.fonts.keypad.get()};
        if (row.class_kind != ControlClass::RichEdit) {  // the rich edit keeps its font as a character format
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)),
                      fonts[static_cast<int>(row.font)]);
        }
        EXPECT_EQ(IsWindowEnabled(child) == FALSE, row.slot == ControlSlot::OperationButton);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than rows";
    EXPECT_EQ(window_text(s.control(ControlSlot::SaveButton)), L"\U0001F4BE  저장");
    EXPECT_EQ(window_text(s.side_button()), L"계산기 → 오른쪽");
    EXPECT_EQ(window_text(s.control(ControlSlot::OperationButton, 4)), L"\u00D7>");
    EXPECT_EQ(GetFocus(), s.expression_edit());
    CHARFORMAT2W memo_format{};
    memo_format.cbSize = sizeof memo_format;
    SendMessageW(s.memo_edit(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&memo_format));
    EXPECT_STREQ(memo_format.szFaceName, L"Segoe UI");
    EXPECT_EQ(memo_format.crTextColor, 0x30241Fu);
    EXPECT_EQ(SendMessageW(s.thousands_checkbox(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wchar_t class_name[64] = {};
    GetClassNameW(window, class_name, 64);
    EXPECT_STREQ(class_name, L"Numvora.MainWindow");
    EXPECT_EQ(window_text(window), L"Quorvex v.0.0.2 — 메모장 + 계산기");
}

// Every control sits where the layout places it for the window's client size, DPI and
// side; the side command puts the memo on the other side and back.
TEST_F(MainWindowTest, LaysOutEitherSide) {
    open_window();
    ASSERT_NE(window, nullptr);
    set_client_size(window, 1000, 800);
    AppState& s = state();
    ASSERT_EQ(s.fonts.dpi, 96u);  // where the history caption keeps its laid-out box
    const auto placed_for = [&](bool right) {
        const LayoutRects laid_out = compute_layout({1000, 800, 96, right, s.settings.calculator_percent});
        EXPECT_EQ(s.layout->panels.calculator, laid_out.calculator_panel);
        EXPECT_EQ(s.layout->panels.memo, laid_out.memo_panel);
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) EXPECT_EQ(child_box(s.controls[i]), laid_out.boxes[i]) << i;
    };
    placed_for(false);
    EXPECT_LT(s.layout->panels.calculator.right, s.layout->panels.memo.left);

    SendMessageW(window, WM_COMMAND, ids::SIDE, 0);
    EXPECT_TRUE(s.settings.calculator_side);
    EXPECT_EQ(window_text(s.side_button()), L"계산기 ← 왼쪽");
    placed_for(true);
    EXPECT_LT(s.layout->panels.memo.right, s.layout->panels.calculator.left);

    SendMessageW(window, WM_COMMAND, ids::SIDE, 0);
    EXPECT_FALSE(s.settings.calculator_side);
    EXPECT_EQ(window_text(s.side_button()), L"계산기 → 오른쪽");
    placed_for(false);

    MINMAXINFO info{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 740);
    EXPECT_EQ(info.ptMinTrackSize.y, 750);
}

TEST_F(MainWindowTest, RoutesKeypadIdsAndLeavesOthersToTheDefault) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    using namespace ids;
    const struct {
        WPARAM wparam;
        const wchar_t* expression;
    } rows[] = {
        {KEY_7, L"7"},
        {KEY_MULTIPLY, L"7*"},
        {MAKEWPARAM(EXPRESSION_EDIT, EN_CHANGE), L"7*"},  // the box's own notifications: default
        {KEY_0 + 1, L"7*"},                               // no control of ours
        {KEY_PERCENT, L"7*%"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SendMessageW(window, WM_COMMAND, row.wparam, 0), 0);
        EXPECT_EQ(window_text(s.expression_edit()), row.expression) << LOWORD(row.wparam);
    }
    EXPECT_EQ(window_text(s.memo_edit()), L"");
}

TEST_F(MainWindowTest, OpensWithTheSavedTogglesAndMemo) {
    AppSettings settings;
    settings.dark_mode = true;
    settings.calculator_side = true;
    settings.group_thousands = true;
    settings.calculator_percent = 50;
    write_data_file("settings.txt", format_settings(settings));
    write_data_file("memo.txt", "첫 줄\n둘째 줄");
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    EXPECT_TRUE(s.settings.dark_mode);
    EXPECT_TRUE(s.settings.calculator_side);
    EXPECT_EQ(s.settings.calculator_percent, 50);
    ASSERT_TRUE(s.save->paths.has_value());
    EXPECT_EQ(window_text(s.side_button()), L"계산기 ← 왼쪽");
    EXPECT_EQ(SendMessageW(s.thousands_checkbox(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_LT(s.layout->panels.memo.left, s.layout->panels.calculator.left);
    EXPECT_EQ(s.save->saved_memo_text, "첫 줄\n둘째 줄");
    EXPECT_NE(window_text(s.memo_edit()).find(L"둘째 줄"), std::wstring::npos);

    const ThemePalette dark = make_palette(true);
    LOGBRUSH brush{};
    GetObjectW(s.brushes.panel.get(), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, dark[PANEL_BACKGROUND]);
    // Setting the background answers the one it replaces.
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(s.memo_edit(), EM_SETBKGNDCOLOR, 0, dark[MEMO_BACKGROUND])),
              dark[MEMO_BACKGROUND]);
}

TEST_F(MainWindowTest, OpensWithDefaultsWithoutLocalAppData) {
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    EXPECT_FALSE(s.save->paths.has_value());
    EXPECT_FALSE(s.settings.dark_mode);
    EXPECT_FALSE(s.settings.calculator_side);
    EXPECT_EQ(s.settings.calculator_percent, 42);
    EXPECT_EQ(s.save->saved_memo_text, "");
    EXPECT_EQ(window_text(s.memo_edit()), L"");
    EXPECT_LT(s.layout->panels.calculator.left, s.layout->panels.memo.left);
}

}  // namespace
}  // namespace numvora::testing

namespace numvora::testing {
namespace {

// The memo control's default limit is 32,767 characters: a longer saved memo must
// open whole (the auto-save would otherwise write the cut text back), and typing must
// go on past the old limit.
TEST_F(MainWindowTest, LongMemoOpensWholeAndKeepsGrowing) {
    std::string memo;
    while (memo.size() < 400000) memo += "가나다라마바사 0123456789 abcdefghij\n";
    write_data_file("memo.txt", memo);
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    std::wstring expected = to_wide(memo);
    std::erase(expected, L'\r');
    std::wstring shown = window_text(s.memo_edit());
    std::erase(shown, L'\r');
    EXPECT_EQ(shown, expected);
    EXPECT_GE(SendMessageW(s.memo_edit(), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

}  // namespace
}  // namespace numvora::testing
