// The real window driven with the messages a person's actions produce: keypad and
// expression box, calculate and history, memo selection as operand, results into the
// memo and onto the clipboard.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <array>
#include <functional>
#include <string>
#include <thread>
#include <tuple>

#include "common/win32/wide_text.h"
#include "platform/windows/services/clipboard.h"
#include "support/wait_until.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

const std::wstring FACE = L"\U0001F600";
const wchar_t NO_RESULT[] = L"오류: 메모에 넣거나 복사할 계산 결과가 없습니다.";

std::wstring clipboard_text() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"<not open>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) text = units;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void put_on_clipboard(const std::wstring& text) { ASSERT_TRUE(copy_to_clipboard(nullptr, to_utf8(text))); }

class InteractionTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        open_window();
        ASSERT_NE(window, nullptr);
    }
    void command(int id, int code = 0) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), 0); }
    void tick() { SendMessageW(window, WM_TIMER, 1, 0); }
    void set(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }
    // Types the text into the box, then '='.
    void calculate(const std::wstring& expression) {
        set(state().expression_edit(), expression);
        command(ids::CALCULATE);
    }
    void select_memo(LONG start, LONG end) {
        CHARRANGE range{start, end};
        SendMessageW(state().memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    std::pair<DWORD, DWORD> edit_caret() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(state().expression_edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    bool operations_enabled() {
        int enabled = 0;
        for (HWND button : state().operation_buttons()) enabled += IsWindowEnabled(button) ? 1 : 0;
        EXPECT_TRUE(enabled == 0 || enabled == 5);
        return enabled == 5;
    }
    std::wstring memo_text() {
        std::wstring text = window_text(state().memo_edit());
        std::erase(text, L'\r');
        return text;
    }
};

TEST_F(InteractionTest, KeypadAppendsAtTheEndWhateverTheCaret) {
    const AppState& s = state();
    const struct {
        std::pair<int, int> selection;
        int key;
        const wchar_t* text;
    } rows[] = {
        {{2, 2}, ids::KEY_5, L"12+35"},         // caret in the middle
        {{0, 2}, ids::KEY_MULTIPLY, L"12+3*"},  // a selection is left as it is
        {{1, 1}, ids::KEY_DIVIDE, L"12+3/"},   {{0, 0}, ids::KEY_SUBTRACT, L"12+3-"},
        {{4, 4}, ids::KEY_POINT, L"12+3."},
    };
    for (const auto& row : rows) {
        set(s.expression_edit(), L"12+3");
        SetFocus(s.memo_edit());
        SendMessageW(s.expression_edit(), EM_SETSEL, row.selection.first, row.selection.second);
        command(row.key);
        EXPECT_EQ(window_text(s.expression_edit()), row.text);
        EXPECT_EQ(edit_caret(), (std::pair<DWORD, DWORD>{5, 5})) << row.key;
        EXPECT_EQ(GetFocus(), s.expression_edit());
    }
}

TEST_F(InteractionTest, ClearAndBackspace) {
    const AppState& s = state();
    const struct {
        std::wstring text;
        std::pair<int, int> selection;
        std::wstring after;
    } rows[] = {
        {L"a" + FACE, {3, 3}, L"a"},  // the pair goes whole
        {L"12+3", {0, 0}, L"12+3"},   // nothing before the caret
        {L"12+3", {1, 3}, L"13"},     // exactly the selection
        {L"12+3", {4, 4}, L"12+"},
    };
    for (const auto& row : rows) {
        set(s.expression_edit(), row.text);
        SendMessageW(s.expression_edit(), EM_SETSEL, row.selection.first, row.selection.second);
        SetFocus(s.memo_edit());
        command(ids::DELETE_BEFORE_CARET);
        EXPECT_EQ(window_text(s.expression_edit()), row.after);
        EXPECT_EQ(GetFocus(), s.expression_edit());
    }
    calculate(L"2*3");
    command(ids::CLEAR_EXPRESSION);
    EXPECT_EQ(window_text(s.expression_edit()), L"");
    EXPECT_EQ(window_text(s.result_label()), L"6");  // the label and the history stay
    EXPECT_EQ(SendMessageW(s.history_list(), LB_GETCOUNT, 0, 0), 1);

    command(ids::FOCUS_MEMO);
    EXPECT_EQ(GetFocus(), s.memo_edit());
    command(ids::FOCUS_EXPRESSION);
    EXPECT_EQ(GetFocus(), s.expression_edit());
}

TEST_F(InteractionTest, GroupingRefreshKeepsTheCaretAfterTheSameDigit) {
    const AppState& s = state();
    set(s.expression_edit(), L"1234");
    SendMessageW(s.expression_edit(), EM_SETSEL, 1, 1);
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(ids::THOUSANDS);
    EXPECT_EQ(window_text(s.expression_edit()), L"1,234");
    EXPECT_EQ(edit_caret(), (std::pair<DWORD, DWORD>{1, 1}));

    // Typed at the end: the next tick regroups it.
    set(s.expression_edit(), FACE + L"+1,2345");
    SendMessageW(s.expression_edit(), EM_SETSEL, 8, 8);
    tick();
    EXPECT_EQ(window_text(s.expression_edit()), FACE + L"+12,345");
    EXPECT_EQ(edit_caret(), (std::pair<DWORD, DWORD>{8, 8}));
    SendMessageW(s.expression_edit(), EM_SETSEL, 4, 6);
    tick();  // already grouped: the selection is left alone
    EXPECT_EQ(edit_caret(), (std::pair<DWORD, DWORD>{4, 6}));
}

// Figures go into the box rewritten, other text as it was (the rewriting itself is
// tested natively). The edit's own Ctrl+V reaches the box as WM_PASTE.
TEST_F(InteractionTest, PastedFiguresGoInRewritten) {
    const AppState& s = state();
    const HWND box = s.expression_edit();
    put_on_clipboard(L"₩1,234,567");
    SendMessageW(box, WM_CHAR, 0x16, 0);
    command(ids::CALCULATE);
    EXPECT_EQ(window_text(s.result_label()), L"1234567");
    set(box, L"");
    put_on_clipboard(L"원래 5개");
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(window_text(box), L"원래 5개");
    // Into the middle of what is there, regrouped at once.
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(ids::THOUSANDS);
    set(box, L"1+2");
    SendMessageW(box, EM_SETSEL, 1, 1);
    put_on_clipboard(L"１２３４");
    SendMessageW(box, WM_PASTE, 0, 0);
    EXPECT_EQ(window_text(box), L"11,234+2");
    EXPECT_EQ(edit_caret(), (std::pair<DWORD, DWORD>{6, 6}));
}

TEST_F(InteractionTest, CalculateFillsTheLabelAndTheHistory) {
    const AppState& s = state();
    calculate(L"1/0");
    EXPECT_EQ(window_text(s.result_label()), L"오류: 0으로 나눌 수 없습니다.");
    EXPECT_EQ(SendMessageW(s.history_list(), LB_GETCOUNT, 0, 0), 0);
    for (int i = 1; i <= 21; ++i) calculate(std::to_wstring(i) + L"*1000");
    EXPECT_EQ(window_text(s.result_label()), L"21000");
    ASSERT_EQ(SendMessageW(s.history_list(), LB_GETCOUNT, 0, 0), 20);
    wchar_t line[64] = {};
    SendMessageW(s.history_list(), LB_GETTEXT, 19, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"2*1000 = 2000");
    EXPECT_EQ(edit_caret().first, 7u);  // caret at the end of the box

    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(ids::THOUSANDS);
    EXPECT_EQ(window_text(s.result_label()), L"21,000");
    EXPECT_EQ(window_text(s.expression_edit()), L"21*1,000");
    SendMessageW(s.history_list(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"21*1,000 = 21,000");

    command(ids::CLEAR_HISTORY);
    EXPECT_EQ(SendMessageW(s.history_list(), LB_GETCOUNT, 0, 0), 0);
    command(ids::RESULT_TO_MEMO);  // the last result is still there
    EXPECT_EQ(memo_text(), L"21,000");
}

TEST_F(InteractionTest, HistoryReuseThenExpressionAndResultIntoTheMemo) {
    const AppState& s = state();
    calculate(L"1+2");
    calculate(L"2*3");
    SendMessageW(s.history_list(), LB_SETCURSEL, 1, 0);
    command(ids::HISTORY_LIST, LBN_DBLCLK);
    EXPECT_EQ(window_text(s.expression_edit()), L"3");
    EXPECT_EQ(window_text(s.result_label()), L"기록에서 가져온 값: 3");
    EXPECT_EQ(SendMessageW(s.history_list(), LB_GETCOUNT, 0, 0), 2);  // nothing calculated
    command(ids::EXPRESSION_RESULT_TO_MEMO);
    EXPECT_EQ(memo_text(), L"1+2 = 3");
    SendMessageW(s.history_list(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    command(ids::HISTORY_LIST, LBN_DBLCLK);  // no line chosen: nothing happens
    EXPECT_EQ(window_text(s.expression_edit()), L"3");
}

TEST_F(InteractionTest, MemoSelectionBecomesTheOperand) {
    const AppState& s = state();
    set(s.memo_edit(), L"합계: 1,234.50 원\n곱 2x3\n   \n3 4");
    const struct {
        LONG start;
        LONG end;
        const wchar_t* status;
        bool error;
        bool enabled;
    } rows[] = {
        {4, 12, L"선택값 1234.5 — 연산 버튼 사용 가능", false, true},
        {17, 20, L"곱하기 연산은 x 대신 * 를 사용해 주세요.", true, false},
        {21, 24, L"선택한 내용이 비어 있습니다.", true, false},
        {3, 3, L"", false, false},  // only the caret moved
    };
    for (const auto& row : rows) {
        select_memo(row.start, row.end);
        tick();
        EXPECT_EQ(window_text(s.status_label()), row.status) << row.start;
        EXPECT_EQ(s.status.status_is_error(), row.error);
        EXPECT_EQ(operations_enabled(), row.enabled);
    }
}

TEST_F(InteractionTest, OperationButtonsChainOnTheBoxAndTheLastResult) {
    const AppState& s = state();
    set(s.memo_edit(), L"3 4 (1 + 2)");
    set(s.expression_edit(), L"12");
    select_memo(0, 1);
    tick();
    command(ids::OPERATION_MULTIPLY);  // ×>
    EXPECT_EQ(window_text(s.expression_edit()), L"(12) * (3)");
    EXPECT_EQ(window_text(s.result_label()), L"36");
    command(ids::OPERATION_ADD);  // +> with the selection unchanged
    EXPECT_EQ(window_text(s.expression_edit()), L"((12) * (3)) + (3)");
    EXPECT_EQ(window_text(s.result_label()), L"39");
    EXPECT_TRUE(operations_enabled());  // the operand stays for the next button

    command(ids::CLEAR_EXPRESSION);
    select_memo(2, 3);
    tick();
    command(ids::OPERATION_SUBTRACT);  // -> on an empty box takes the last result
    EXPECT_EQ(window_text(s.expression_edit()), L"(39) - (4)");
    EXPECT_EQ(window_text(s.result_label()), L"35");

    select_memo(4, 11);
    tick();
    command(ids::OPERATION_ALONE);  // = : the operand alone
    EXPECT_EQ(window_text(s.expression_edit()), L"(1 + 2)");
    EXPECT_EQ(window_text(s.result_label()), L"3");
}

TEST_F(InteractionTest, CarryCommandsWithoutAResultOnlySayTheyHaveNone) {
    const AppState& s = state();
    put_on_clipboard(L"before");
    set(s.memo_edit(), L"memo");
    for (const int id :
         {ids::RESULT_TO_MEMO, ids::EXPRESSION_RESULT_TO_MEMO, ids::COPY_RESULT, ids::COPY_EXPRESSION_RESULT}) {
        set(s.result_label(), L"");
        command(id);
        EXPECT_EQ(window_text(s.result_label()), NO_RESULT) << id;
    }
    calculate(L"1+");  // a failed calculation leaves nothing either
    command(ids::RESULT_TO_MEMO);
    EXPECT_EQ(window_text(s.result_label()), NO_RESULT);
    EXPECT_EQ(memo_text(), L"memo");
    EXPECT_EQ(clipboard_text(), L"before");
}

TEST_F(InteractionTest, ClipboardGetsExactlyTheText) {
    const AppState& s = state();
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(ids::THOUSANDS);
    calculate(L"1234*2");
    command(ids::COPY_RESULT);
    EXPECT_EQ(clipboard_text(), L"2,468");
    command(ids::COPY_EXPRESSION_RESULT);
    EXPECT_EQ(clipboard_text(), L"1,234*2 = 2,468");
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_UNCHECKED, 0);
    command(ids::THOUSANDS);
    command(ids::COPY_EXPRESSION_RESULT);
    EXPECT_EQ(clipboard_text(), L"1234*2 = 2468");
}

// SetClipboardData can fail with a zero last error; the copy must still fail, and the
// memory it did not hand over must be freed.
class RefusedClipboard : public ClipboardCalls {
public:
    HANDLE set_data(UINT, HANDLE memory) override {
        refused_memory = memory;
        SetLastError(0);
        return nullptr;
    }
    HGLOBAL refused_memory = nullptr;
};

TEST_F(InteractionTest, ARefusedClipboardIsAFailure) {
    put_on_clipboard(L"before");
    RefusedClipboard refusing;
    const SystemStatus copied = copy_to_clipboard(window, "5", refusing);
    const HGLOBAL refused_memory = refusing.refused_memory;
    ASSERT_FALSE(copied);
    // Never the system's "completed successfully": the failure names its call.
    EXPECT_EQ(display_text(copied.error()),
              "SetClipboardData 호출이 실패했지만 시스템이 원인을 알려 주지 않았습니다. (0xA0000001)");
    ASSERT_NE(refused_memory, nullptr);
    EXPECT_EQ(GlobalFlags(refused_memory), GMEM_INVALID_HANDLE);
    EXPECT_TRUE(OpenClipboard(nullptr)) << "left open";
    CloseClipboard();
}

TEST_F(InteractionTest, AClipboardHeldElsewhereGivesTheCommandErrorBox) {
    const AppState& s = state();
    calculate(L"12*3");
    put_on_clipboard(L"before");
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(done, STATE_TIMEOUT_MS);
        CloseClipboard();
    });
    WaitForSingleObject(opened, STATE_TIMEOUT_MS);
    const ErrorBox box = answer_next_error_box([&] { command(ids::COPY_RESULT); });
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    EXPECT_EQ(box.caption, L"명령 처리 오류");
    EXPECT_FALSE(box.text.empty());
    EXPECT_EQ(clipboard_text(), L"before");
    EXPECT_EQ(window_text(s.result_label()), L"36");
    EXPECT_EQ(memo_text(), L"");
}

TEST_F(InteractionTest, AnInsertionIsOneUndoStepOfItsOwn) {
    const AppState& s = state();
    calculate(L"2+3");
    SetFocus(s.memo_edit());
    for (const wchar_t c : std::wstring(L"x12")) PostMessageW(s.memo_edit(), WM_CHAR, c, 1);
    pump();
    select_memo(1, 3);
    tick();
    EXPECT_TRUE(operations_enabled());
    command(ids::RESULT_TO_MEMO);  // after the selection, which stays in place, clear of its digits
    EXPECT_EQ(memo_text(), L"x12 5");
    CHARRANGE caret{};
    SendMessageW(s.memo_edit(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    EXPECT_EQ(caret.cpMin, 5);
    EXPECT_EQ(caret.cpMax, 5);
    EXPECT_EQ(window_text(s.status_label()), L"");  // the selection state is reset at once
    EXPECT_FALSE(operations_enabled());
    EXPECT_EQ(GetFocus(), s.memo_edit());
    SendMessageW(s.memo_edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(memo_text(), L"x12");  // only the insertion, not the typing before it

    // Straight after typing, with the caret where the typing left it.
    for (const wchar_t c : std::wstring(L"ab")) PostMessageW(s.memo_edit(), WM_CHAR, c, 1);
    pump();
    command(ids::RESULT_TO_MEMO);
    EXPECT_EQ(memo_text(), L"x12ab5");
    SendMessageW(s.memo_edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(memo_text(), L"x12ab");
}

// A result inserted right before a letter or a digit, or right after a digit, keeps a
// space from it, or it would read as another number; beside anything else it goes in as
// it is, the space or not part of the insertion's undo step.
TEST_F(InteractionTest, AnInsertedResultKeepsClearOfTheWordAfterIt) {
    calculate(L"163,605");
    for (const auto& [memo, caret, id, expected] :
         {std::tuple{L"택시 1만원", 0, ids::RESULT_TO_MEMO, L"163605 택시 1만원"},
          {L"12월 8일", 0, ids::EXPRESSION_RESULT_TO_MEMO, L"163605 = 163605 12월 8일"},
          {L"(택시)", 0, ids::RESULT_TO_MEMO, L"163605(택시)"},
          {L"택시 ", 2, ids::RESULT_TO_MEMO, L"택시163605 "},
          {L"회비: 163605", 10, ids::RESULT_TO_MEMO, L"회비: 163605 163605"}}) {
        set(state().memo_edit(), memo);
        select_memo(caret, caret);
        command(id);
        EXPECT_EQ(memo_text(), expected);
        SendMessageW(state().memo_edit(), EM_UNDO, 0, 0);
        EXPECT_EQ(memo_text(), memo);
    }
}

TEST_F(InteractionTest, PositionsPastSixtyFiveThousandStayWhole) {
    const AppState& s = state();
    std::wstring memo;
    while (memo.size() < 70'000) memo += L"xxxxxxxxxxxxxxxxxxx\n";  // 20 characters a line
    memo += L" 42 ";
    set(s.memo_edit(), memo);
    select_memo(70'001, 70'003);
    tick();
    EXPECT_EQ(window_text(s.status_label()), L"선택값 42 — 연산 버튼 사용 가능");
    calculate(L"7");
    command(ids::RESULT_TO_MEMO);
    const std::wstring text = memo_text();
    ASSERT_EQ(text.size(), 70'006u);
    EXPECT_EQ(text.substr(70'000), L" 42 7 ");
}

TEST_F(InteractionTest, TheMemoIsPlainText) {
    const AppState& s = state();
    EXPECT_EQ(SendMessageW(s.memo_edit(), EM_GETTEXTMODE, 0, 0) & (TM_PLAINTEXT | TM_MULTILEVELUNDO),
              TM_PLAINTEXT | TM_MULTILEVELUNDO);
    TearDown();  // not reset(): this fixture's SetUp would open the window before the file is there
    MainWindowTest::SetUp();
    write_data_file("memo.txt", "{\\rtf1 not rich}");
    open_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window_text(state().memo_edit()), L"{\\rtf1 not rich}");
}

TEST_F(InteractionTest, KeysThroughTheMessageLoop) {
    const AppState& s = state();
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    command(ids::THOUSANDS);
    SetFocus(s.expression_edit());
    for (const wchar_t c : std::wstring(L"1234*2")) PostMessageW(s.expression_edit(), WM_CHAR, c, 1);
    PostMessageW(s.expression_edit(), WM_KEYDOWN, VK_RETURN, 1);
    pump();
    EXPECT_EQ(window_text(s.result_label()), L"2,468");
    tick();
    EXPECT_EQ(window_text(s.expression_edit()), L"1,234*2");

    // What ends the memo's undo group between two pieces of typing.
    const auto hold_ctrl = [](bool down) {
        std::array<BYTE, 256> keys{};
        GetKeyboardState(keys.data());
        keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys.data());
    };
    const struct {
        const char* what;
        std::function<void()> act;
    } ends[] = {
        {"the focus leaving the memo",
         [&] {
             SetFocus(s.expression_edit());
             SetFocus(s.memo_edit());
         }},
        {"Ctrl+V with nothing to paste",
         [&] {
             if (OpenClipboard(nullptr)) {
                 EmptyClipboard();
                 CloseClipboard();
             }
             hold_ctrl(true);
             SendMessageW(s.memo_edit(), WM_KEYDOWN, 'V', 1);
             hold_ctrl(false);
         }},
    };
    for (const auto& end : ends) {
        SetWindowTextW(s.memo_edit(), L"");
        SetFocus(s.memo_edit());
        for (const wchar_t c : std::wstring(L"ab")) PostMessageW(s.memo_edit(), WM_CHAR, c, 1);
        pump();
        end.act();
        for (const wchar_t c : std::wstring(L"cd")) PostMessageW(s.memo_edit(), WM_CHAR, c, 1);
        pump();
        SendMessageW(s.memo_edit(), EM_UNDO, 0, 0);
        EXPECT_EQ(memo_text(), L"ab") << end.what;
    }
}

}  // namespace
}  // namespace numvora::testing
