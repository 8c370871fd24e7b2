// The real main window: its controls, layout, routing and the saved state it opens with.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>

#include "common/win32/wide_text.h"
#include "storage/settings.h"
#include "ui/theme_palette.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

enum class Font { Ui, Display, Keypad };

struct ExpectedControl {
    const wchar_t* class_name;
    int id;
    DWORD style;
    const wchar_t* text;
    Font font;
    bool enabled;
};

constexpr DWORD B = 0x50010F0B;  // owner-drawn push button

const ExpectedControl CONTROLS[] = {
    {L"Button", 1028, B, L"\U0001F4BE  저장", Font::Ui, true},
    {L"Button", 1029, B, L"\U0001F4C2  불러오기", Font::Ui, true},
    {L"Button", 1030, B, L"다크모드", Font::Ui, true},
    {L"Button", 1001, B, L"계산기 → 오른쪽", Font::Ui, true},
    {L"Static", 0, 0x50000000, L"계산식", Font::Ui, true},
    {L"Button", 1027, 0x50010003, L"천 단위 콤마", Font::Ui, true},
    {L"Edit", 1002, 0x50010081, L"", Font::Display, true},
    {L"Static", 0, 0x50000000, L"계산 결과", Font::Ui, true},
    {L"Static", 0, 0x50000201, L"계산 결과가 여기에 표시됩니다.", Font::Display, true},
    {L"Button", 1020, B, L"결과→메모", Font::Ui, true},
    {L"Button", 1021, B, L"식+결과→메모", Font::Ui, true},
    {L"Button", 1022, B, L"결과 복사", Font::Ui, true},
    {L"Button", 1004, B, L"C", Font::Keypad, true},
    {L"Button", 1005, B, L"\u232B", Font::Keypad, true},
    {L"Button", 1103, B, L"%", Font::Keypad, true},
    {L"Button", 1110, B, L"\u00F7", Font::Keypad, true},
    {L"Button", 1107, B, L"7", Font::Keypad, true},
    {L"Button", 1108, B, L"8", Font::Keypad, true},
    {L"Button", 1109, B, L"9", Font::Keypad, true},
    {L"Button", 1111, B, L"\u00D7", Font::Keypad, true},
    {L"Button", 1104, B, L"4", Font::Keypad, true},
    {L"Button", 1105, B, L"5", Font::Keypad, true},
    {L"Button", 1106, B, L"6", Font::Keypad, true},
    {L"Button", 1112, B, L"\u2212", Font::Keypad, true},
    {L"Button", 1114, B, L"1", Font::Keypad, true},
    {L"Button", 1115, B, L"2", Font::Keypad, true},
    {L"Button", 1116, B, L"3", Font::Keypad, true},
    {L"Button", 1113, B, L"+", Font::Keypad, true},
    {L"Button", 1100, B, L"0", Font::Keypad, true},
    {L"Button", 1117, B, L".", Font::Keypad, true},
    {L"Button", 1003, B, L"=", Font::Keypad, true},
    {L"Static", 0, 0x50000000, L"최근 계산 — 더블클릭하면 결과값 재사용", Font::Ui, true},
    {L"Button", 1008, B, L"기록 지우기", Font::Ui, true},
    {L"ListBox", 1006, 0x50210141, L"", Font::Ui, true},
    {L"Button", 1009, B, L"=", Font::Keypad, false},
    {L"Button", 1010, B, L"+>", Font::Keypad, false},
    {L"Button", 1011, B, L"->", Font::Keypad, false},
    {L"Button", 1012, B, L"/>", Font::Keypad, false},
    {L"Button", 1013, B, L"\u00D7>", Font::Keypad, false},
    {L"Static", 0, 0x50004200, L"", Font::Ui, true},
    {L"RICHEDIT50W", 1007, 0x50211044, L"", Font::Ui, true},
};

TEST_F(MainWindowTest, CreatesTheFortyOneControlsInOrder) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const HFONT fonts[] = {s.ui_font.get(), s.display_font.get(), s.keypad_font.get()};
    HWND child = GetWindow(window, GW_CHILD);
    for (const ExpectedControl& expected : CONTROLS) {
        ASSERT_NE(child, nullptr) << "missing control " << expected.id;
        wchar_t class_name[64] = {};
        GetClassNameW(child, class_name, 64);
        SCOPED_TRACE(::testing::Message() << "control " << expected.id);
        EXPECT_EQ(_wcsicmp(class_name, expected.class_name), 0);
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        // The system drops WS_VSCROLL while there is nothing to scroll.
        constexpr DWORD VARIABLE_BITS = WS_DISABLED | WS_VSCROLL;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & ~VARIABLE_BITS,
                  expected.style & ~VARIABLE_BITS);
        EXPECT_EQ(window_text(child), expected.text);
        if (expected.id != 1007) {  // the rich edit keeps its font as a character format
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)),
                      fonts[static_cast<int>(expected.font)]);
        }
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, expected.enabled);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more than 41 controls";
    EXPECT_EQ(GetFocus(), s.expression_edit);
    CHARFORMAT2W memo_format{};
    memo_format.cbSize = sizeof memo_format;
    SendMessageW(s.memo_edit, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&memo_format));
    EXPECT_STREQ(memo_format.szFaceName, L"Segoe UI");
    EXPECT_EQ(memo_format.crTextColor, 0x30241Fu);
    EXPECT_EQ(SendMessageW(s.thousands_checkbox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wchar_t class_name[64] = {};
    GetClassNameW(window, class_name, 64);
    EXPECT_STREQ(class_name, L"Numvora.MainWindow");
    EXPECT_EQ(window_text(window), L"Quorvex v.0.0.2 — 메모장 + 계산기");
}

// The worked example at 96 DPI, client 1000 × 800, then the side command and back.
TEST_F(MainWindowTest, LaysOutEitherSide) {
    open_window();
    ASSERT_NE(window, nullptr);
    set_client_size(window, 1000, 800);
    AppState& s = state();
    ASSERT_EQ(s.dpi, 96u);

    EXPECT_EQ(s.calculator_panel_rect, (PixelRect{14, 74, 416, 786}));
    EXPECT_EQ(s.memo_panel_rect, (PixelRect{430, 74, 986, 786}));
    EXPECT_EQ(child_box(s.side_button), (PixelBox{252, 88, 150, 30}));
    EXPECT_EQ(child_box(s.copy_result_button), (PixelBox{280, 268, 120, 34}));
    EXPECT_EQ(child_box(s.keypad_buttons[16]), (PixelBox{28, 538, 184, 50}));
    EXPECT_EQ(child_box(s.history_list), (PixelBox{28, 624, 374, 148}));
    EXPECT_EQ(child_box(s.memo_edit), (PixelBox{444, 124, 528, 648}));
    EXPECT_EQ(child_box(s.operation_buttons[4]), (PixelBox{926, 88, 46, 30}));

    SendMessageW(window, WM_COMMAND, 1001, 0);
    EXPECT_TRUE(s.calculator_side);
    EXPECT_EQ(window_text(s.side_button), L"계산기 ← 왼쪽");
    EXPECT_EQ(s.memo_panel_rect, (PixelRect{14, 74, 570, 786}));
    EXPECT_EQ(s.calculator_panel_rect, (PixelRect{584, 74, 986, 786}));
    EXPECT_EQ(child_box(s.side_button), (PixelBox{822, 88, 150, 30}));
    EXPECT_EQ(child_box(s.memo_edit), (PixelBox{28, 124, 528, 648}));

    SendMessageW(window, WM_COMMAND, 1001, 0);
    EXPECT_FALSE(s.calculator_side);
    EXPECT_EQ(window_text(s.side_button), L"계산기 → 오른쪽");
    EXPECT_EQ(child_box(s.memo_edit), (PixelBox{444, 124, 528, 648}));

    MINMAXINFO info{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 740);
    EXPECT_EQ(info.ptMinTrackSize.y, 700);
}

TEST_F(MainWindowTest, RoutesKeypadIdsAndLeavesOthersToTheDefault) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const struct {
        WPARAM wparam;
        const wchar_t* expression;
    } rows[] = {
        {1107, L"7"},  {1111, L"7*"},  {MAKEWPARAM(1002, EN_CHANGE), L"7*"},  // the box's own notifications: default
        {1014, L"7*"},                                                        // no control of ours
        {1101, L"7*"}, {1103, L"7*%"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SendMessageW(window, WM_COMMAND, row.wparam, 0), 0);
        EXPECT_EQ(window_text(s.expression_edit), row.expression) << LOWORD(row.wparam);
    }
    EXPECT_EQ(window_text(s.memo_edit), L"");
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
    EXPECT_TRUE(s.dark_mode);
    EXPECT_TRUE(s.calculator_side);
    EXPECT_EQ(s.calculator_percent, 50);
    ASSERT_TRUE(s.data_paths.has_value());
    EXPECT_EQ(window_text(s.side_button), L"계산기 ← 왼쪽");
    EXPECT_EQ(SendMessageW(s.thousands_checkbox, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_LT(s.memo_panel_rect.left, s.calculator_panel_rect.left);
    EXPECT_EQ(s.saved_memo_text, "첫 줄\n둘째 줄");
    EXPECT_NE(window_text(s.memo_edit).find(L"둘째 줄"), std::wstring::npos);

    const ThemePalette dark = make_palette(true);
    LOGBRUSH brush{};
    GetObjectW(s.brushes.panel.get(), sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, dark[PANEL_BACKGROUND]);
    // Setting the background answers the one it replaces.
    EXPECT_EQ(static_cast<COLORREF>(SendMessageW(s.memo_edit, EM_SETBKGNDCOLOR, 0, dark[MEMO_BACKGROUND])),
              dark[MEMO_BACKGROUND]);
}

TEST_F(MainWindowTest, OpensWithDefaultsWithoutLocalAppData) {
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    EXPECT_FALSE(s.data_paths.has_value());
    EXPECT_FALSE(s.dark_mode);
    EXPECT_FALSE(s.calculator_side);
    EXPECT_EQ(s.calculator_percent, 42);
    EXPECT_EQ(s.saved_memo_text, "");
    EXPECT_EQ(window_text(s.memo_edit), L"");
    EXPECT_LT(s.calculator_panel_rect.left, s.memo_panel_rect.left);
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
    std::wstring shown = window_text(s.memo_edit);
    std::erase(shown, L'\r');
    EXPECT_EQ(shown, expected);
    EXPECT_GE(SendMessageW(s.memo_edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

}  // namespace
}  // namespace numvora::testing
