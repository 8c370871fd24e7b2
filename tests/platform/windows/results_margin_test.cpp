// The margin of line results in the real window: switched by the memo's menu and by
// Ctrl+Shift+R and remembered, each result on the row where its line ends, a click
// that copies it, a double click that takes it to the expression box, a memo the
// margin never writes into, and the marks under written results that no longer hold.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/memo/memo_menu.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/memo/notes/stale_marks.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/timers/timers.h"
#include "support/wait_until.h"
#include "ui/colors/color_scheme.h"
#include "ui/colors/theme_palette.h"
#include "ui/control_ids.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/results_margin.h"
#include "ui/memo/memo_menu.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

void hold_ctrl_shift(bool down) {
    std::array<BYTE, 256> keys{};
    GetKeyboardState(keys.data());
    keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys.data());
}

class ResultsMarginTest : public MainWindowTest {
protected:
    HWND memo() const { return state().memo_edit(); }
    std::string preferences_file() const {
        std::ifstream file(local_app_data / "Numvora" / "preferences.txt");
        return {std::istreambuf_iterator<char>(file), {}};
    }
    // The memo painted now, as after a keystroke.
    void paint() {
        RedrawWindow(memo(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        pump();
    }
    void close_memo_window() {
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run_message_loop());  // until the quit message of WM_DESTROY
        window = nullptr;
    }
    // The paints and posted messages an action leads to, run as the program's loop would.
    void settle() {
        for (int paints = 0; paints < 10; ++paints) {
            UpdateWindow(memo());
            pump();
            if (GetUpdateRect(memo(), nullptr, FALSE) == FALSE) return;
        }
        ADD_FAILURE() << "the memo kept asking for paints";
    }
    // What the strip shows, row by row from the top.
    std::vector<std::string> shown() const {
        std::vector<std::string> got;
        for (const MarginRow& row : state().margin->rows) got.push_back(row.shown);
        return got;
    }
    // The value of a row's line, as plain decimal text.
    std::string value_of(const MarginRow& row) const { return state().notes->book().result(row.line).value_or(""); }
    LONG row_top(LONG position) const {
        POINTL at{};
        SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
        return at.y;
    }
    void click(UINT message, const MarginRow& row) {
        const LPARAM at = MAKELPARAM((row.box.left + row.box.right) / 2, (row.box.top + row.box.bottom) / 2);
        SendMessageW(memo(), message, MK_LBUTTON, at);
        pump();
    }
};

TEST_F(ResultsMarginTest, SwitchedByMenuAndKeyAndReadBackAtStart) {
    open_window();
    EXPECT_FALSE(state().margin->on);  // off until turned on
    const struct {
        const char* how;
        std::function<void()> act;
        bool on;
    } rows[] = {
        {"the menu's item", [&] { SendMessageW(window, WM_COMMAND, ids::MEMO_RESULTS_MARGIN, 0); }, true},
        {"Ctrl+Shift+R in the memo",
         [&] {
             SetFocus(memo());
             hold_ctrl_shift(true);
             PostMessageW(memo(), WM_KEYDOWN, 'R', 1);
             pump();
             hold_ctrl_shift(false);
         },
         false},
        {"Ctrl+Shift+R again",
         [&] {
             hold_ctrl_shift(true);
             PostMessageW(memo(), WM_KEYDOWN, 'R', 1);
             pump();
             hold_ctrl_shift(false);
         },
         true},
    };
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(state().margin->on, row.on) << row.how;
        EXPECT_NE(preferences_file().find(row.on ? "results_margin=true" : "results_margin=false"), std::string::npos)
            << row.how;
        RECT area{};
        SendMessageW(memo(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        RECT client{};
        GetClientRect(memo(), &client);
        EXPECT_EQ(client.right - area.right >= 64, row.on) << row.how;  // the text keeps clear of the strip
    }
    close_memo_window();
    open_window();
    EXPECT_TRUE(state().margin->on);
    // The menu's tick, the caret on a total line (whose F9 reads the block above).
    SetWindowTextW(memo(), L"점심 12,000원\r합계");
    SendMessageW(memo(), EM_SETSEL, 12, 12);
    const UniqueMenu menu = build_memo_menu(state(), MEMO_MENU_ITEMS);
    EXPECT_TRUE(GetMenuState(menu.get(), ids::MEMO_RESULTS_MARGIN, MF_BYCOMMAND) & MF_CHECKED);
}

TEST_F(ResultsMarginTest, ResultsSitBesideTheirLinesAndGoToTheClipboardAndTheBox) {
    const std::string memo_file = "긴 줄 " + std::string(300, 'a') + " 5,000원\r\n점심 12,000원\r\n1/0\r\n합계";
    write_data_file("memo.txt", memo_file);
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    paint();
    ASSERT_EQ(state().margin->rows.size(), 3U);
    // Figures written as their lines write them, whatever the box's grouping.
    EXPECT_EQ(state().margin->rows[1].shown, "12,000");
    SendMessageW(state().thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window, WM_COMMAND, ids::THOUSANDS, 0);
    UpdateWindow(memo());

    const std::vector<MarginRow>& rows = state().margin->rows;
    ASSERT_EQ(rows.size(), 3U);
    // Each on the row of its line's last character: the long line wraps onto more rows.
    const struct {
        LONG last_character;
        const char* shown;
    } expected[] = {{310, "5,000"}, {321, "12,000"}, {328, "17,000"}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        POINTL at{};
        SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), expected[i].last_character);
        EXPECT_EQ(rows[i].box.top, at.y) << expected[i].shown;
        EXPECT_EQ(rows[i].shown, expected[i].shown);
    }
    POINTL first{};
    SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), 0);
    EXPECT_GT(rows[0].box.top, first.y);  // the long line wrapped

    const MarginRow lunch = rows[1];
    click(WM_LBUTTONDOWN, lunch);
    EXPECT_EQ(clipboard_text(window), L"12,000");
    EXPECT_EQ(window_text(state().status_label()), L"12,000 복사했습니다");
    SetWindowTextW(state().expression_edit(), L"1/0");
    SendMessageW(window, WM_COMMAND, ids::CALCULATE, 0);
    // A right click opens the result's menu; its second item copies the plain figure.
    for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(memo(), WM_KEYDOWN, key, 0);
    POINT screen{(lunch.box.left + lunch.box.right) / 2, (lunch.box.top + lunch.box.bottom) / 2};
    ClientToScreen(memo(), &screen);
    SendMessageW(memo(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo()), MAKELPARAM(screen.x, screen.y));
    EXPECT_EQ(clipboard_text(window), L"12000");
    EXPECT_EQ(window_text(state().status_label()), L"12000 복사했습니다");
    click(WM_LBUTTONDBLCLK, lunch);
    EXPECT_EQ(window_text(state().expression_edit()), L"12,000");
    EXPECT_EQ(window_text(state().result_label()), L"계산 결과가 여기에 표시됩니다.");  // no stale error
    EXPECT_EQ(GetFocus(), state().expression_edit());

    // Nothing of the margin reached the memo, its undo or its file.
    EXPECT_FALSE(SendMessageW(memo(), EM_CANUNDO, 0, 0));
    EXPECT_FALSE(state().save->memo_dirty);
    close_memo_window();
    std::ifstream file(local_app_data / "Numvora" / "memo.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), memo_file);
}

// A wider result than the strip has in a short memo widens it right after the paint
// that found it; the text keeps clear of the wider strip.
TEST_F(ResultsMarginTest, AWiderResultWidensTheStripAfterItsPaint) {
    write_data_file("memo.txt", "점심 12,000원");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    paint();
    const std::int32_t narrow = state().margin->width;
    type_into(memo(), L"점심 12,000원\r123456789012 * 1000000 =");
    paint();
    EXPECT_GT(state().margin->width, narrow);
    RECT area{};
    SendMessageW(memo(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    RECT client{};
    GetClientRect(memo(), &client);
    EXPECT_GE(client.right - area.right, state().margin->width);
    ASSERT_EQ(state().margin->rows.size(), 2U);
    EXPECT_EQ(state().margin->rows[1].box.left, client.right - state().margin->width);
}

// F9 on a total line writes the figure the margin shows beside it.
TEST_F(ResultsMarginTest, F9OnATotalLineWritesWhatTheMarginShows) {
    write_data_file("memo.txt", "고기 186,000\r\n2차 노래방 40,000\r\n참석 6명\r\n합계");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    paint();
    ASSERT_FALSE(state().margin->rows.empty());
    const std::string shown = value_of(state().margin->rows.back());
    EXPECT_EQ(shown, "226000");
    const auto end = static_cast<LPARAM>(GetWindowTextLengthW(memo()));
    SendMessageW(memo(), EM_SETSEL, end, end);
    SendMessageW(window, WM_COMMAND, ids::MEMO_EVALUATE, 0);
    const std::wstring text = window_text(memo());
    EXPECT_TRUE(text.ends_with(L"합계 = 226,000")) << to_utf8(text);
}

// Names in the memo: the margin follows an edit of a definition at once, F9 writes a
// named expression's value and says which name it cannot find.
TEST_F(ResultsMarginTest, NamesFollowTheirDefinitions) {
    write_data_file("memo.txt", "월세 = 55만원\r\n관리비 = 12만 3천원\r\n월세 + 관리비\r\n월세 * 12\r\n월세 + 난방비");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    paint();
    const auto values = [&] {
        std::vector<std::string> got;
        for (const MarginRow& row : state().margin->rows) got.push_back(value_of(row));
        return got;
    };
    EXPECT_EQ(values(), (std::vector<std::string>{"550000", "123000", "673000", "6600000"}));
    SendMessageW(memo(), EM_SETSEL, 5, 7);  // "55" becomes "60"
    SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"60"));
    paint();
    EXPECT_EQ(values(), (std::vector<std::string>{"600000", "123000", "723000", "7200000"}));
    const auto f9_on_line = [&](int line) {
        const auto at = static_cast<LPARAM>(SendMessageW(memo(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
        SendMessageW(memo(), EM_SETSEL, at, at);
        SendMessageW(window, WM_COMMAND, ids::MEMO_EVALUATE, 0);
    };
    f9_on_line(3);
    EXPECT_NE(window_text(memo()).find(L"월세 * 12 = 720만원"), std::wstring::npos);
    f9_on_line(4);
    EXPECT_EQ(window_text(state().status_label()), L"'난방비'를 찾을 수 없습니다");
}

// A rate line gives the lines below it their value in won, and its edit changes the
// total below at once; the preference writes every amount in 만.
TEST_F(ResultsMarginTest, ARateLineChangesTheTotalsBelowIt) {
    write_data_file("memo.txt", "$1 = 1,380원\r\n$10\r\n5,000원\r\n합계");
    write_data_file("preferences.txt", "results_margin=true\namounts_in_man=true\n");
    open_window();
    paint();
    EXPECT_EQ(shown(), (std::vector<std::string>{"$10 → 1만 3,800원", "5,000원", "1만 8,800원"}));
    SendMessageW(memo(), EM_SETSEL, 7, 9);  // "38" becomes "40"
    SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"40"));
    paint();
    EXPECT_EQ(shown(), (std::vector<std::string>{"$10 → 1만 4,000원", "5,000원", "1만 9,000원"}));
}

// A written result that no longer holds is marked under its figure in the warning
// colour, its value now in the tooltip, as soon as an edit elsewhere makes it so; the
// mark is painted over when the edit is undone or the result written anew, which keeps
// the caret where it was.
TEST_F(ResultsMarginTest, AResultThatNoLongerHoldsIsMarkedUnderItsFigure) {
    write_data_file("memo.txt", "월세 = 600,000\r\n관리비 = 73,000\r\n월세 + 관리비 = 673,000");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    SendMessageW(state().thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window, WM_COMMAND, ids::THOUSANDS, 0);
    paint();
    const auto replace = [&](LONG start, LONG end, const wchar_t* text) {
        SendMessageW(memo(), EM_SETSEL, start, end);
        SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    };
    const struct {
        const char* what;
        std::function<void()> act;
        std::wstring marked;  // the figure the mark is under; empty: no mark
    } rows[] = {
        {"as written", [] {}, L""},
        {"월세 changed", [&] { replace(5, 7, L"65"); }, L"673,000"},
        {"the change undone", [&] { SendMessageW(memo(), EM_UNDO, 0, 0); }, L""},
        {"관리비 changed", [&] { replace(19, 20, L"12"); }, L"673,000"},
        {"written anew", [&] { SendMessageW(window, WM_COMMAND, ids::MEMO_RECALCULATE, 0); }, L""},
    };
    PixelRect last_box{};
    const auto warning_pixels = [&] {
        const WindowDc dc(memo());
        int count = 0;
        for (LONG y = last_box.top; y < last_box.bottom; ++y) {
            for (LONG x = last_box.left; x < last_box.right; ++x)
                count += GetPixel(dc.get(), x, y) == make_palette(false)[STATUS_ERROR_TEXT] ? 1 : 0;
        }
        return count;
    };
    for (const auto& row : rows) {
        row.act();
        UpdateWindow(memo());  // the rows the control repaints
        pump();
        const std::vector<StaleMark>& marks = state().stale_marks->marks;
        ASSERT_EQ(marks.size(), row.marked.empty() ? 0U : 1U) << row.what;
        if (!marks.empty()) {
            const auto at = static_cast<LPARAM>(memo_text_range(memo(), {0, memo_length(memo())}).find(row.marked));
            POINTL first{};
            POINTL last{};
            SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), at);
            SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&last), at + 6);
            EXPECT_EQ(marks[0].box.left, first.x) << row.what;
            EXPECT_EQ(marks[0].box.top, first.y) << row.what;
            EXPECT_GT(marks[0].box.right, last.x) << row.what;
            EXPECT_TRUE(marks[0].tip.starts_with(L"지금 값: 723,000")) << to_utf8(marks[0].tip);
            last_box = marks[0].box;
        }
        // A mark that went is painted over by the paint it asked for.
        EXPECT_TRUE(wait_until([&] {
            UpdateWindow(memo());
            return (warning_pixels() > 0) == !row.marked.empty();
        })) << row.what;
    }
    EXPECT_TRUE(window_text(memo()).ends_with(L"= 723,000")) << to_utf8(window_text(memo()));
    EXPECT_EQ(memo_selection(memo()).start, 21);  // after the "12" typed last
    EXPECT_EQ(memo_selection(memo()).end, 21);
    // Typed at the figure's end, the mark is placed from the caret: where the control has it.
    SetFocus(memo());
    select_in_memo(memo(), {memo_length(memo()), memo_length(memo())});
    SendMessageW(memo(), WM_CHAR, L'5', 0);
    UpdateWindow(memo());
    pump();
    ASSERT_EQ(state().stale_marks->marks.size(), 1U);
    POINTL first{};
    SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&first), memo_length(memo()) - 8);
    EXPECT_EQ(state().stale_marks->marks[0].box.left, first.x);
    EXPECT_EQ(state().stale_marks->marks[0].box.top, first.y);
}

// Whatever rewraps the memo or moves its rows, each result stands on the row where its
// line ends once the paints the program makes are done, so a click copies that line's.
TEST_F(ResultsMarginTest, ResultsFollowEveryRewrap) {
    std::wstring long_line = L"긴 메모";
    for (int i = 0; i < 30; ++i) long_line += L" 가나다라 마바사";
    const std::wstring memo_text =
        long_line + L" 5,000원\r\n점심 12,000원\r\n회식비 55,500원\r\n123456789012 * 1000 =\r\n합계";
    write_data_file("memo.txt", to_utf8(memo_text));
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    set_client_size(window, 1000, 800);
    settle();
    // The line of each result, found by what it shows; the total is the one left.
    const auto line_of_value = [](const std::string& value) -> std::wstring {
        for (const auto& [figure, needle] : {std::pair{"5000", L"5,000원"},
                                             {"12000", L"점심"},
                                             {"55500", L"회식비"},
                                             {"3000", L"커피"},
                                             {"123456789012000", L"123456789012"}})
            if (value == figure) return needle;
        return L"합계";
    };
    const auto last_character_of = [&](const std::wstring& needle) {
        const std::wstring text = window_text(memo());
        const std::size_t end = text.find(L"\r\n", text.find(needle));
        const std::wstring before = text.substr(0, end == std::wstring::npos ? text.size() : end);
        // The control counts a line break as one character.
        const auto breaks = std::count(before.begin(), before.end(), L'\r');
        return static_cast<LONG>(before.size() - static_cast<std::size_t>(breaks)) - 1;
    };
    const auto long_line_end = [&] { return row_top(last_character_of(L"5,000원")); };
    const auto type = [&](const std::wstring& keys) {
        for (const wchar_t key : keys) SendMessageW(memo(), WM_CHAR, key, 0);
    };
    const struct {
        const char* cause;
        std::function<void()> act;
    } rows[] = {
        {"the window made narrower", [&] { set_client_size(window, 900, 800); }},
        {"zoomed in", [&] { SendMessageW(window, WM_COMMAND, ids::MEMO_ZOOM_IN, 0); }},
        {"a long line typed until it wraps once more",
         [&] {
             const LONG end = last_character_of(L"5,000원");
             SendMessageW(memo(), EM_SETSEL, end - 7, end - 7);
             const LONG before = long_line_end();
             for (int typed = 0; typed < 200 && long_line_end() == before; ++typed) {
                 type(L"가");
                 UpdateWindow(memo());
             }
         }},
        {"a line with a result broken into the long line",
         [&] {
             SendMessageW(memo(), EM_SETSEL, 40, 40);
             SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r커피 3,000원\r"));
         }},
    };
    for (const auto& row : rows) {
        const LONG before = long_line_end();
        row.act();
        settle();
        ASSERT_NE(long_line_end(), before)
            << row.cause << ": the long line's rows should change; strip " << state().margin->width;
        ASSERT_GE(state().margin->rows.size(), 5U) << row.cause;
        for (const MarginRow& result : state().margin->rows) {
            EXPECT_EQ(result.box.top, row_top(last_character_of(line_of_value(value_of(result)))))
                << row.cause << ": " << result.shown;
        }
    }
}

// Past midnight the margin shows the new day's dates without a keystroke; a double
// click on a duration takes nothing to the box, whose figure would be its minutes.
TEST_F(ResultsMarginTest, DatesFollowTheDayAndOnlyShownFiguresReachTheBox) {
    const auto clock = std::make_shared<SnapshotTime>(SnapshotTime{2026, 12, 8, 23, 59, 0});
    calls.now = [clock] { return *clock; };
    write_data_file("memo.txt", "오늘 + 100일\r\nD-day 2026-12-25\r\n근무 09:00~18:00");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    settle();
    EXPECT_EQ(shown(), (std::vector<std::string>{"2027-03-18 (목)", "D-17", "9시간"}));
    *clock = {2026, 12, 9, 0, 0, 30};
    SendMessageW(window, WM_TIMER, MEMO_DAY_TIMER_ID, 0);
    settle();
    EXPECT_EQ(shown(), (std::vector<std::string>{"2027-03-19 (금)", "D-16", "9시간"}));

    SetWindowTextW(state().expression_edit(), L"1+1");
    ASSERT_EQ(state().margin->rows.size(), 3U);
    click(WM_LBUTTONDBLCLK, state().margin->rows[2]);
    EXPECT_EQ(window_text(state().expression_edit()), L"1+1");
}

// A paste that scrolls the memo is painted by the control before the notes hear of it;
// the lines it brought in still get their results, without a keystroke more.
TEST_F(ResultsMarginTest, APasteThatScrollsShowsTheResultsOfItsLines) {
    std::string memo_text;
    for (int line = 1; line <= 40; ++line) memo_text += "항목 " + std::to_string(line) + ",000원\r\n";
    write_data_file("memo.txt", memo_text);
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    settle();
    std::wstring pasted;
    for (int line = 1; line <= 40; ++line) pasted += L"택시 " + std::to_wstring(line) + L"00원\r";
    SendMessageW(memo(), EM_SETSEL, -1, -1);
    SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    settle();  // the paints the program's loop would make, and no more
    const std::vector<MarginRow>& rows = state().margin->rows;
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(value_of(rows.back()), "4000");
}

// A keystroke redraws only the rows of the strip that changed: after each edit the
// strip shows what it shows drawn whole.
TEST_F(ResultsMarginTest, AKeystrokeLeavesTheStripAsAWholeDrawingWould) {
    write_data_file("memo.txt", "점심 12,000원\r\n커피 4,500원\r\n합계\r\n\r\n택시 8,300원\r\n합계");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    settle();
    const auto strip = [this] {
        RECT client{};
        GetClientRect(memo(), &client);
        const WindowDc dc(memo());
        std::vector<COLORREF> pixels;
        for (LONG y = 0; y < 6 * 24; y += 2) {
            for (LONG x = client.right - state().margin->width; x < client.right; ++x)
                pixels.push_back(GetPixel(dc.get(), x, y));
        }
        return pixels;
    };
    const struct {
        LONG caret;
        std::wstring keys;  // one key, or a paste
    } edits[] = {{3, L"1"},
                 {0, L"\r"},
                 {1, L"\b"},
                 {20, L"\r"},
                 {21, L"\b"},
                 {22, L"7"},
                 {0, L"123456789012 * 1000000 =\r"}};  // a wider result widens the strip
    for (const auto& edit : edits) {
        SendMessageW(memo(), EM_SETSEL, edit.caret, edit.caret);
        if (edit.keys.size() == 1)
            SendMessageW(memo(), WM_CHAR, edit.keys[0], 0);
        else
            SendMessageW(memo(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(edit.keys.c_str()));
        settle();
        const std::vector<COLORREF> after_keystroke = strip();
        InvalidateRect(memo(), nullptr, TRUE);
        settle();
        EXPECT_EQ(after_keystroke, strip()) << "after " << to_utf8(edit.keys) << " at " << edit.caret;
    }
}

// Typed characters reach the notes without the memo read back; what the control did
// otherwise (a selection typed over, a character it changed or refused) is read back.
TEST_F(ResultsMarginTest, TypedCharactersKeepTheNotesAsTheMemoHoldsThem) {
    write_data_file("memo.txt", "점심 12,000원\r\n커피 4,500원\r\n합계");
    write_data_file("preferences.txt", "results_margin=true\n");
    open_window();
    settle();
    const struct {
        LONG from;
        LONG to;  // the selection typed over
        std::wstring keys;
    } edits[] = {
        {3, 3, L"1"},    {0, 0, L"가\t"}, {12, 12, L"\r"},         {5, 9, L"7"},
        {1, 1, L"\b\b"}, {4, 4, L"\n"},   {2, 2, L"\xD83D\xDE00"}, {0, 0, L"\x7F"},
    };
    for (const auto& edit : edits) {
        SendMessageW(memo(), EM_SETSEL, edit.from, edit.to);
        for (const wchar_t key : edit.keys) SendMessageW(memo(), WM_CHAR, key, 0);
        settle();
        EXPECT_EQ(state().notes->mirror().text(), memo_text_range(memo(), {0, memo_length(memo())}))
            << "after " << to_utf8(edit.keys) << " at " << edit.from;
    }
}

// No result is cut while the strip can widen: at a start at 130% with a saved memo that
// goes in by pieces, whose widest result lies far below the first screen, and at each
// zoom step; the strip's rule spans the memo's height.
TEST_F(ResultsMarginTest, NoResultIsCutWhileTheStripCanWiden) {
    std::string text = "버스 1만 200원\r\n1억 5,500만원\r\n";
    while (text.size() < 60'000) text += "점심 8,000원\r\n용돈 10,000원\r\n\r\n";
    write_data_file("memo.txt", text + "끝 123456789012 * 1000000 =");
    write_data_file("preferences.txt", "results_margin=true\nmemo_zoom=130\n");
    open_window({}, Memo::AsItGoesIn);
    const auto check = [&](const std::string& when) {
        settle();
        RECT client{};
        GetClientRect(memo(), &client);
        const std::int32_t width = state().margin->width;
        const WindowDc dc(memo());
        const ScopedSelect font(dc.get(), memo_font(state()));
        const std::int32_t room = width - 2 * scale_for_dpi(RESULTS_MARGIN_PADDING, state().fonts.dpi);
        const bool can_widen = width < results_margin_width(client.right, client.right, state().fonts.dpi);
        for (const MarginRow& row : state().margin->rows) {
            const std::wstring result = to_wide(row.shown);
            SIZE extent{};
            GetTextExtentPoint32W(dc.get(), result.data(), static_cast<int>(result.size()), &extent);
            EXPECT_TRUE(extent.cx <= room || !can_widen) << when << ": " << row.shown << " in " << width;
        }
        LONG ruled = 0;
        for (LONG y = 0; y < client.bottom; ++y)
            ruled += GetPixel(dc.get(), client.right - width, y) == margin_colors(color_scheme(state())).rule ? 1 : 0;
        EXPECT_EQ(ruled, client.bottom) << when;
    };
    ASSERT_TRUE(wait_until([&] {
        settle();
        return !memo_loading(state()) && !state().margin->rows.empty();
    }));
    check("the start");
    SendMessageW(memo(), EM_SETSEL, -1, -1);
    SendMessageW(memo(), EM_SCROLLCARET, 0, 0);
    check("the memo's end");
    while (state().zoom->percent > MEMO_ZOOM_MIN) SendMessageW(window, WM_COMMAND, ids::MEMO_ZOOM_OUT, 0);
    for (std::int32_t zoom = MEMO_ZOOM_MIN; zoom <= 200; zoom += MEMO_ZOOM_STEP) {
        if (zoom > MEMO_ZOOM_MIN) SendMessageW(window, WM_COMMAND, ids::MEMO_ZOOM_IN, 0);
        check("zoomed to " + std::to_string(state().zoom->percent) + "%");
    }
}

}  // namespace
}  // namespace numvora::testing
