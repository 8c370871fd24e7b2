// The memo as a notebook: its menu's items for a few memo states, and the commands of
// the menu, the shortcuts and the system menu with their effect on the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/commands/memo/memo_menu.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"
#include "ui/colors/theme_palette.h"
#include "ui/layout/results_margin.h"
#include "ui/memo/memo_menu.h"
#include "ui/menu_item.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

class MemoMenuTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        calls.now = [] { return SnapshotTime{2026, 12, 8, 10, 0, 0}; };  // today for "오늘"
        open_window();
        ASSERT_NE(window, nullptr);
    }
    HWND memo() { return state().memo_edit(); }
    void command(int id) { SendMessageW(window, WM_COMMAND, id, 0); }
    void put_memo(const std::wstring& text, LONG start, LONG end) {
        SetWindowTextW(memo(), text.c_str());
        CHARRANGE range{start, end};
        SendMessageW(memo(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    std::set<int> enabled_items() {
        const UniqueMenu menu = build_memo_menu(state(), MEMO_MENU_ITEMS);
        std::set<int> enabled;
        for (const std::int32_t id : MEMO_MENU_ITEMS) {
            if (id != MENU_SEPARATOR && !(GetMenuState(menu.get(), static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED))
                enabled.insert(id);
        }
        return enabled;
    }
    std::wstring newest_history_line() {
        std::wstring line(256, L'\0');
        line.resize(static_cast<std::size_t>(
            SendMessageW(state().history_list(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line.data()))));
        return line;
    }
};

void empty_clipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// An item is enabled exactly when the memo, as each row leaves it, meets its row's need.
TEST_F(MemoMenuTest, ItemsAreEnabledOnlyWhenTheyCanAct) {
    const struct {
        const char* memo_state;
        std::function<void()> set_up;
        MenuFacts memo;  // what the memo then is, in the terms of the rows' needs
    } rows[] = {
        {"empty, nothing on the clipboard", [&] { empty_clipboard(); }, {}},
        {"a note selected",
         [&] {
             put_memo(L"식비 12,000원", 0, -1);
             SendMessageW(memo(), WM_COPY, 0, 0);
         },
         {.has_selection = true,
          .clipboard_has_text = true,
          .has_text = true,
          .text_has_amount = true,
          .text_has_result = true}},
        {"the caret on an expression's line",
         [&] {
             empty_clipboard();
             put_memo(L"메모\r(1+2)*3 =", 5, 5);
         },
         {.has_text = true, .expression_calculates = true, .text_has_result = true}},
        {"typed, then undone",
         [&] {
             SendMessageW(memo(), WM_CHAR, 'x', 0);
             SendMessageW(memo(), EM_UNDO, 0, 0);
         },
         {.can_redo = true, .has_text = true, .expression_calculates = true, .text_has_result = true}},
        {"words without a number selected",
         [&] { put_memo(L"점심 김밥", 0, 5); },
         {.has_selection = true, .has_text = true}},
        {"a right click on an expression's line, outside the selection",
         [&] {
             put_memo(L"점심 김밥\r(1+2)*3 =", 0, 2);
             POINTL at{};
             SendMessageW(memo(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), 8);
             POINT screen{at.x + 2, at.y + 4};
             ClientToScreen(memo(), &screen);
             PostMessageW(memo(), WM_KEYDOWN, VK_ESCAPE, 0);  // closes the menu once it is open
             SendMessageW(memo(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo()), MAKELPARAM(screen.x, screen.y));
             EXPECT_EQ(memo_selection(memo()), (MemoSelection{8, 8}));
         },
         {.has_text = true, .expression_calculates = true, .text_has_result = true}},
        {"the menu key, the caret on an expression's line",
         [&] {
             put_memo(L"점심 김밥\r(1+2)*3 =", 9, 9);
             PostMessageW(memo(), WM_KEYDOWN, VK_ESCAPE, 0);  // closes the menu once it is open
             command(ids::MEMO_MENU);
             EXPECT_EQ(memo_selection(memo()), (MemoSelection{9, 9}));  // opened at the caret
         },
         {.has_text = true, .expression_calculates = true, .text_has_result = true}},
    };
    for (const auto& row : rows) {
        row.set_up();
        std::set<int> expected;
        for (const std::int32_t id : MEMO_MENU_ITEMS) {
            if (id != MENU_SEPARATOR && can_act(find_command(id)->need, row.memo)) expected.insert(id);
        }
        EXPECT_EQ(enabled_items(), expected) << row.memo_state;
    }
}

TEST_F(MemoMenuTest, CommandsActOnTheMemoTheCalculatorAndTheSettings) {
    using namespace ids;
    const struct {
        const char* what;
        std::function<void()> act;
        std::wstring memo;
        std::wstring expression;
        std::wstring history;
    } rows[] = {
        {"money as the memo writes it, typed into the calculator",
         [&] {
             SetWindowTextW(state().expression_edit(), L"55만*12");
             command(CALCULATE);
         },
         L"", L"55만*12", L"550000*12 = 6600000"},
        {"an operation button on money selected in the memo",
         [&] {
             put_memo(L"관리비 12만 3천원", 4, 11);
             SendMessageW(window, WM_TIMER, 1, 0);
             command(OPERATION_ADD);
         },
         L"관리비 12만 3천원", L"(55만*12) + (123000)", L"(550000*12) + (123000) = 6723000"},
        {"an expression typed and not calculated, carried with its result (Ctrl+Enter)",
         [&] {
             put_memo(L"", 0, 0);
             SetWindowTextW(state().expression_edit(), L"3*4");
             command(EXPRESSION_RESULT_TO_MEMO);
         },
         L"3*4 = 12", L"3*4", L"3*4 = 12"},
        {"total of a block of notes",
         [&] {
             put_memo(L"식비 12,000원\r회비 3만 5천원\r환불 (−2,000)", 0, -1);
             command(MEMO_TOTAL);
         },
         L"식비 12,000원\r\n회비 3만 5천원\r\n환불 (−2,000)", L"12000 + 35000 - 2000", L"12000 + 35000 - 2000 = 45000"},
        {"a line calculated in place, grouped",
         [&] {
             SendMessageW(state().thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
             command(THOUSANDS);
             put_memo(L"(12,000 + 4,500) * 3 =", 3, 3);
             SendMessageW(window, WM_COMMAND, MEMO_EVALUATE, 0);
         },
         L"(12,000 + 4,500) * 3 = 49,500", L"12,000 + 35,000 - 2,000", L"(12,000 + 4,500) * 3 = 49,500"},
        {"a refused expression leaves the memo",
         [&] {
             put_memo(L"1/0", 0, 3);
             command(MEMO_EVALUATE);
         },
         L"1/0", L"12,000 + 35,000 - 2,000", L"(12,000 + 4,500) * 3 = 49,500"},
        {"cut all, then one undo brings it back",
         [&] {
             put_memo(L"한 줄\r두 줄", 0, 0);
             command(MEMO_SELECT_ALL);
             command(MEMO_CUT);
             EXPECT_EQ(window_text(memo()), L"");
             command(MEMO_UNDO);
         },
         L"한 줄\r\n두 줄", L"12,000 + 35,000 - 2,000", L"(12,000 + 4,500) * 3 = 49,500"},
    };
    for (const auto& row : rows) {
        row.act();
        EXPECT_EQ(window_text(memo()), row.memo) << row.what;
        EXPECT_EQ(window_text(state().expression_edit()), row.expression) << row.what;
        EXPECT_EQ(newest_history_line(), row.history) << row.what;
    }
    EXPECT_EQ(window_text(state().result_label()), L"오류: 0으로 나눌 수 없습니다.");
}

// The total and F9 on notes as they are written: dates, times and counts pass over, an
// old result is replaced as one undo step, a total line adds the block above it; every
// old result that no longer holds is written anew in one undo step.
TEST_F(MemoMenuTest, TotalsAndF9ReadNotes) {
    using namespace ids;
    SendMessageW(state().thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(THOUSANDS);
    const std::wstring lunch = L"12월 7일 점심 12,000원\r커피 2잔 9,000원\r오후 3시 택시 8,300원";
    const struct {
        std::wstring memo;
        LONG caret;  // -1: everything selected, -2: the memo's last two characters
        int id;
        std::wstring after;            // the memo after the command; empty: unchanged
        std::wstring label;            // empty: as before the command
        std::wstring status;           // the status line
        std::wstring clipboard = L"";  // empty: not checked
    } rows[] = {
        {lunch, -1, MEMO_TOTAL, L"", L"29,300", L"3개를 더했습니다 (개수 1개 제외)"},
        {L"월세 55만원\r관리비 12만 3천원\r전기 3만 2,500원", -1, MEMO_TOTAL, L"", L"705,500", L"3개를 더했습니다"},
        {L"사과 3개\r배 2개", -1, MEMO_TOTAL, L"", L"5", L"2개를 더했습니다"},
        {L"식비 98,500\r커피 4,500원 A4 2장", -1, MEMO_TOTAL, L"", L"103,000", L"2개를 더했습니다 (개수 1개 제외)"},
        {L"3만원씩 4명", -1, MEMO_TOTAL, L"", L"30,000", L"1개를 더했습니다 (개수 1개 제외)"},
        {L"2024년 연봉 4,200만원", -1, MEMO_TOTAL, L"", L"42,000,000", L"1개를 더했습니다"},
        {L"오후 3시 30분 회의, 커피 4,500원", -1, MEMO_TOTAL, L"", L"4,500", L"1개를 더했습니다"},
        {L"회의 2026-12-07 14:30", -1, MEMO_TOTAL, L"", L"", L"더할 숫자가 없습니다 (날짜·시간 1개 제외)"},
        {L"1+5 = 3", 0, MEMO_EVALUATE, L"1+5 = 6", L"6", L""},
        {L"메모\r1+2 = 3 = 3  \r끝", 4, MEMO_EVALUATE, L"메모\r\n1+2 = 3\r\n끝", L"3", L""},
        {lunch + L"\r합계", 1000, MEMO_EVALUATE,
         L"12월 7일 점심 12,000원\r\n커피 2잔 9,000원\r\n오후 3시 택시 8,300원\r\n합계 = 29,300", L"29,300",
         L"3개를 더했습니다 (개수 1개 제외)"},
        {L"식비 5,000\r소계: 5,000\r택시 8,300원\r총계 = 1", 1000, MEMO_EVALUATE,
         L"식비 5,000\r\n소계: 5,000\r\n택시 8,300원\r\n총계 = 13,300", L"13,300", L"2개를 더했습니다"},
        {L"점심 12,000원", 3, MEMO_EVALUATE, L"", L"", L"계산할 식이 없습니다"},
        {L"택시 12, 300원", 3, MEMO_EVALUATE, L"", L"", L"'12, 300원'을 읽을 수 없습니다"},
        {L"식비 5,000\r\r합계", 1000, MEMO_EVALUATE, L"", L"", L"더할 숫자가 없습니다"},
        {L"택시 8,300원\r식비 2,000 합계", -2, MEMO_EVALUATE, L"택시 8,300원\r\n식비 2,000 합계 = 10,300", L"10,300",
         L"2개를 더했습니다"},
        // F9 writes money as its line does: in 만 and 억, with 원, at a rate of exchange.
        {L"월세 55만 + 관리비 12만 3천 =", 3, MEMO_EVALUATE, L"월세 55만 + 관리비 12만 3천 = 67만 3,000", L"673,000",
         L""},
        {L"대출 3억 5천만원\r신용 2,000만원\r합계", 1000, MEMO_EVALUATE,
         L"대출 3억 5천만원\r\n신용 2,000만원\r\n합계 = 3억 7,000만원", L"370,000,000", L"2개를 더했습니다"},
        {L"노트북 1,500,000원 + 부가세 =", 3, MEMO_EVALUATE, L"노트북 1,500,000원 + 부가세 = 1,650,000", L"1,650,000",
         L""},
        {L"$1 = 1,380원\r호텔 $120 x 3박 =", 1000, MEMO_EVALUATE, L"$1 = 1,380원\r\n호텔 $120 x 3박 = $360 → 496,800원",
         L"360", L""},
        // Won and foreign money with no rate make no one total, and F9 writes none.
        {L"호텔 $120 x 3박\r식비 85,000원\r합계", 1000, MEMO_EVALUATE, L"", L"",
         L"외화 $360의 환율이 없어 합계를 내지 않았습니다"},
        // The line's result copied as an amount; a fraction or a minus is refused.
        {L"1억 2천만원 + 3,500만원 = 1억 5,500만원", 3, MEMO_COPY_AMOUNT_WORDS, L"", L"",
         L"일금 일억오천오백만원정 복사했습니다", L"일금 일억오천오백만원정"},
        {L"식비 98,500\r커피 4,500\r합계", 1000, MEMO_COPY_AMOUNT_FIGURE, L"", L"", L"103000 복사했습니다", L"103000"},
        {L"10 / 4 =", 3, MEMO_COPY_AMOUNT_WORDS, L"", L"", L"소수점 아래가 있는 금액은 영수증 금액으로 쓸 수 없습니다"},
        {L"환불 -5,000", 3, MEMO_COPY_AMOUNT_FIGURE, L"", L"", L"0보다 작은 금액은 영수증 금액으로 쓸 수 없습니다"},
        {L"월세 = 650,000\r관리비 = 73,000\r월세 + 관리비 = 673,000\r1+5 = 3", 0, MEMO_RECALCULATE,
         L"월세 = 650,000\r\n관리비 = 73,000\r\n월세 + 관리비 = 723,000\r\n1+5 = 6", L"",
         L"결과 2개를 다시 계산했습니다"},
        {L"1+5 = 6", 0, MEMO_RECALCULATE, L"", L"", L"다시 계산할 결과가 없습니다"},
        // The caret's block, or the lines the selection touches, shared with their results.
        {L"회비\r점심 12,000원\r커피 4,500원 x 2 = 1\r합계\r\r택시 8,300원", 8, MEMO_COPY_WITH_RESULTS, L"", L"",
         L"4줄을 결과와 함께 복사했습니다", L"회비\r\n점심 12,000원\r\n커피 4,500원 x 2 = 9,000\r\n합계 = 21,000"},
        {L"점심 12,000원\r\r택시 8,300원", -2, MEMO_COPY_TABLE, L"", L"", L"1줄을 표로 복사했습니다",
         L"항목\t값\t단위\r\n택시 8,300원\t8300\t원"},
        {L"점심 12,000원\r\r택시 8,300원", 11, MEMO_COPY_WITH_RESULTS, L"", L"",
         L"복사할 줄이 없습니다. 줄을 선택하거나 글이 있는 줄에 캐럿을 두세요"},
        // A duration, a date and a D-day are written, but their values (minutes, a day
        // number) are not the figures shown: the calculator is left as it was.
        {L"1시간 45분 + 50분", 0, MEMO_EVALUATE, L"1시간 45분 + 50분 = 2시간 35분", L"", L""},
        {L"2026-12-08 + 100일", 0, MEMO_EVALUATE, L"2026-12-08 + 100일 = 2027-03-18 (목)", L"", L""},
        {L"오늘 + 100일", 0, MEMO_EVALUATE, L"오늘 + 100일 = 2027-03-18 (목)", L"", L""},
        {L"84㎡ 평", 0, MEMO_EVALUATE, L"84㎡ 평 = 25.41평", L"25.41평", L""},
        {L"출근 9시간\r야근 3시간 30분", -1, MEMO_TOTAL, L"", L"", L"2개를 더했습니다"},
    };
    for (const auto& row : rows) {
        const auto length = static_cast<LONG>(row.memo.size());
        if (row.caret == -2)
            put_memo(row.memo, length - 2, length);
        else
            put_memo(row.memo, row.caret < 0 ? 0 : row.caret, row.caret);
        const std::wstring before = window_text(memo());
        const std::wstring label_before = window_text(state().result_label());
        // The selection check has seen the selection, and what was added outlasts its next tick.
        SendMessageW(window, WM_TIMER, 1, 0);
        command(row.id);
        SendMessageW(window, WM_TIMER, 1, 0);
        EXPECT_EQ(window_text(memo()), row.after.empty() ? before : row.after) << row.memo;
        EXPECT_EQ(window_text(state().result_label()), row.label.empty() ? label_before : row.label) << row.memo;
        EXPECT_EQ(window_text(state().status_label()), row.status) << row.memo;
        if (!row.clipboard.empty()) {
            EXPECT_EQ(clipboard_text(window), row.clipboard) << row.memo;
        }
        // A result written into the memo is one undo step.
        command(MEMO_UNDO);
        EXPECT_EQ(window_text(memo()), before) << row.memo;
    }
}

// The system menu's item switches the window's topmost state and saves it at once.
TEST_F(MemoMenuTest, AlwaysOnTopIsSavedAtOnce) {
    for (const bool on : {true, false}) {
        SendMessageW(window, WM_SYSCOMMAND, ids::ALWAYS_ON_TOP, 0);
        EXPECT_EQ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, on);
        const UINT mark = GetMenuState(GetSystemMenu(window, FALSE), ids::ALWAYS_ON_TOP, MF_BYCOMMAND);
        EXPECT_EQ((mark & MF_CHECKED) != 0, on);
        std::ifstream file(local_app_data / "Numvora" / "settings.txt");
        const std::string settings{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(settings.find(on ? "always_on_top=true" : "always_on_top=false"), std::string::npos);
    }
    // Only the items the program put there: another id that is a multiple of 16 is no
    // command of ours, even where a button has it.
    type_into(state().expression_edit(), L"1+1");
    SendMessageW(window, WM_COMMAND, ids::CALCULATE, 0);
    SendMessageW(window, WM_SYSCOMMAND, ids::CLEAR_HISTORY, 0);
    EXPECT_EQ(SendMessageW(state().history_list(), LB_GETCOUNT, 0, 0), 1);
}

// Keys and Ctrl with the wheel zoom the memo's text in steps, note it briefly on the
// status line and keep it in preferences.txt for the next start.
TEST_F(MemoMenuTest, ZoomFollowsKeysAndTheWheelAndIsRemembered) {
    using namespace ids;
    const auto wheel = [&](int delta, WORD keys = MK_CONTROL) {
        SendMessageW(memo(), WM_MOUSEWHEEL, MAKEWPARAM(keys, static_cast<WORD>(static_cast<short>(delta))), 0);
    };
    const auto memo_format = [&] {
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(memo(), EM_GETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
        return format;
    };
    // The memo's letters are 14 pixels high at 100% (96 DPI), in twips here.
    const auto expect_zoom = [&](int zoom, const char* what) {
        const CHARFORMAT2W format = memo_format();
        EXPECT_NEAR(format.yHeight, 14 * 15 * zoom / 100, 15) << what;
        EXPECT_EQ(format.crTextColor, make_palette(false)[MEMO_TEXT]) << what;
    };
    // The margin's strip is as wide as its result in the zoomed font at once.
    command(MEMO_RESULTS_MARGIN);
    const auto margin_fits = [&] {
        const std::int32_t result = text_width(memo(), memo_font(state()), to_wide(state().margin->rows.at(0).shown));
        RECT client{};
        GetClientRect(memo(), &client);
        return state().margin->width == results_margin_width(result, client.right, 96);
    };
    type_into(memo(), L"확대해도 그대로인 메모 285,000원");
    const struct {
        const char* what;
        std::function<void()> act;
        int zoom;
    } rows[] = {
        {"Ctrl+=", [&] { command(MEMO_ZOOM_IN); }, 110},      // the keys arrive as commands
        {"Ctrl+wheel", [&] { wheel(120); }, 120},  // one step a notch
        {"wheel", [&] { wheel(-120, 0); }, 120},       // without Ctrl it scrolls
        {"Ctrl+-", [&] { command(MEMO_ZOOM_OUT); }, 110},
        {"Ctrl+0", [&] { command(MEMO_ZOOM_RESET); }, 100},  // back to 100%
        {"Ctrl+wheel x5", [&] { wheel(600); }, 150},
    };
    for (const auto& row : rows) {
        row.act();
        expect_zoom(row.zoom, row.what);
        EXPECT_TRUE(margin_fits()) << row.what;
        std::ifstream file(local_app_data / "Numvora" / "preferences.txt");
        const std::string preferences{std::istreambuf_iterator<char>(file), {}};
        EXPECT_NE(preferences.find("memo_zoom=" + std::to_string(row.zoom) + "\n"), std::string::npos) << row.what;
    }
    EXPECT_EQ(window_text(state().status_label()), L"메모 확대 150%");
    SendMessageW(window, WM_TIMER, MEMO_ZOOM_NOTE_TIMER_ID, 0);
    EXPECT_EQ(window_text(state().status_label()), L"");
    // Only the memo's text scales, and a zoom is no step of the memo's undo.
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(state().expression_edit(), WM_GETFONT, 0, 0)),
              state().fonts.display.get());
    SendMessageW(memo(), EM_UNDO, 0, 0);
    EXPECT_EQ(window_text(memo()), L"");
    expect_zoom(150, "after the undo");

    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(run_message_loop());
    open_window();
    ASSERT_NE(window, nullptr);
    expect_zoom(150, "after a restart");
}

}  // namespace
}  // namespace numvora::testing
