// The find bar in the real window, driven as a person would (Enter and Esc through the
// program's message loop), and the keyboard focus after the dialogs and boxes that take
// it away for a while.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/windows/app/message_loop.h"
#include "platform/windows/commands/find_bar.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/timers/timers.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

class FindBarTest : public MainWindowTest {
protected:
    HWND control(ControlSlot slot) const { return state().control(slot); }
    void command(int id) const { SendMessageW(window, WM_COMMAND, id, 0); }
    // Text in the find box, then a key pressed in the focused control through the loop.
    void press(UINT key, const wchar_t* find = nullptr, bool shift = false) const {
        if (find != nullptr) SetWindowTextW(control(ControlSlot::FindBox), find);
        std::array<BYTE, 256> keys{};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys.data());
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        pump();
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    }
};

// One walk through the bar: after each step the memo's selection, the bar's message,
// the focus and the memo's top are as the row says, and the status line says nothing of
// a match the bar selected (a selection of the user's is read as an operand).
TEST_F(FindBarTest, FindsWrapsAndClosesFromTheKeyboard) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = state().memo_edit();
    SetWindowTextW(memo, L"점심 12,000원\r저녁 점심값 PÉCHÉ péché");
    select_in_memo(memo, {0, 2});
    using enum ControlSlot;
    const wchar_t* const words_only = L"숫자 또는 괄호로 감싼 계산식만 선택할 수 있습니다.";
    const struct {
        std::function<void()> act;
        MemoSelection selection;
        const wchar_t* message;
        ControlSlot focus;
        std::int32_t memo_top;
        const wchar_t* status = L"";
    } rows[] = {
        {[&] { command(ids::FIND); }, {0, 2}, L"", FindBox, 190, words_only},  // the selected word to find
        {[&] { press(VK_RETURN); }, {14, 16}, L"2/2", FindBox, 190},
        {[&] { press(VK_RETURN); }, {0, 2}, L"처음부터 다시 찾았습니다. 1/2", FindBox, 190},
        {[&] { press(VK_RETURN, nullptr, true); }, {14, 16}, L"끝에서부터 다시 찾았습니다. 2/2", FindBox, 190},
        {[&] { press(VK_RETURN, L"péché"); }, {18, 23}, L"1/2", FindBox, 190},  // the system's fold
        {[&] {
             SendMessageW(control(FindMatchCase), BM_SETCHECK, BST_CHECKED, 0);
             command(ids::FIND_NEXT);
         },
         {24, 29},
         L"1/1",
         FindBox,
         190},
        {[&] { press(VK_RETURN, L"저녁밥"); }, {24, 29}, L"'저녁밥'을(를) 찾을 수 없습니다.", FindBox, 190},
        {[&] { command(ids::REPLACE); }, {24, 29}, L"", FindBox, 226},
        {[&] {
             press(VK_RETURN, L"저녁");
             press(VK_ESCAPE);
         },
         {11, 13},
         L"처음부터 다시 찾았습니다. 1/1",
         MemoEdit,
         124},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].act();
        SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);
        EXPECT_EQ(memo_selection(memo), rows[i].selection) << i;
        EXPECT_EQ(window_text(control(FindMessage)), rows[i].message) << i;
        EXPECT_EQ(GetFocus(), control(rows[i].focus)) << i;
        EXPECT_EQ(child_box(memo).y, rows[i].memo_top) << i;
        EXPECT_EQ(window_text(state().status_label()), rows[i].status) << i;
    }
    PostMessageW(GetFocus(), WM_CHAR, L'Q', 1);  // what is typed next reaches the memo
    pump();
    EXPECT_EQ(window_text(memo), L"점심 12,000원\r\nQ 점심값 PÉCHÉ péché");
}

// Replace-all changes every match of the same rule in one undo step and leaves its count
// on the status line until it is undone; replace changes the selected match and moves
// to the next.
TEST_F(FindBarTest, ReplaceAllIsOneUndoStep) {
    open_window();
    ASSERT_NE(window, nullptr);
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
    EXPECT_EQ(window_text(state().status_label()), L"");   // the count is no longer so
    SetWindowTextW(control(ControlSlot::FindBox), L"Ａ");  // full width folds too
    command(ids::FIND_NEXT);
    command(ids::REPLACE_ONE);
    EXPECT_EQ(window_text(memo), L"σ Σ x\r\nΣ 시그마");
}

// The bar keeps its copy of the memo (and the copy's fold) through the changes made
// after a search, whoever makes them, and brings it in step at the next search; a change
// the read around the changes cannot show has the memo copied whole again. Find next
// counts the matches the memo holds and shows the one it selects, however far down.
TEST_F(FindBarTest, TheCopyOfTheMemoFollowsEachChange) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = state().memo_edit();
    SetWindowTextW(memo, L"점심 Aa\r저녁 aa");
    command(ids::FIND);
    SetWindowTextW(control(ControlSlot::FindBox), L"AA");
    command(ids::FIND_NEXT);
    const auto at = [memo](std::int32_t position) { select_in_memo(memo, {position, position}); };
    std::wstring filler;  // past the widest read, in lines: one long line wraps slowly
    for (int i = 0; i < 4'000; ++i) filler += L"xxxxxxxxx\r";
    const struct {
        std::function<void()> act;
        const wchar_t* message;  // of find next from the memo's start
        bool kept;               // no whole copy made
    } rows[] = {
        {[&] {
             at(0);
             SendMessageW(memo, WM_CHAR, L'a', 1);
             SendMessageW(memo, WM_CHAR, L'A', 1);
         },
         L"1/3", true},
        {[&] {
             replace_in_memo(memo, {8, 11}, L"AA 석식 ");
         },
         L"1/4", true},
        {[&] { SendMessageW(memo, EM_UNDO, 0, 0); }, L"1/3", true},
        {[&] { SetWindowTextW(memo, L"아침 aa"); }, L"1/1", true},
        {[&] {
             at(0);
             replace_in_memo(memo, {0, 0}, filler + L"aa ");
         },
         L"1/2", true},
        // The caret at the start, the change reaching far past every read around it.
        {[&] { SetWindowTextW(memo, (filler + L" aa").c_str()); }, L"1/1", false},
    };
    for (const auto& row : rows) {
        row.act();
        const std::size_t whole_reads = state().find->whole_reads;
        at(0);
        command(ids::FIND_NEXT);
        // The match in view, the memo shown and to be painted there.
        POINTL match{};
        SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&match), memo_selection(memo).start);
        RECT box{};
        GetClientRect(memo, &box);
        EXPECT_TRUE(PtInRect(&box, {match.x, match.y}) && IsWindowVisible(memo) && GetUpdateRect(memo, nullptr, FALSE));
        EXPECT_EQ(window_text(control(ControlSlot::FindMessage)), row.message);
        EXPECT_EQ(state().find->whole_reads == whole_reads, row.kept) << window_text(memo).size();
        EXPECT_EQ(state().find->memo->text(), memo_text_range(memo, {0, memo_length(memo)}));
    }
}

class CancelledOpenDialog : public FileDialogCalls {
public:
    BOOL open(OPENFILENAMEW* record) override {
        MessageBoxW(record->hwndOwner, L"열기", L"열기", MB_OKCANCEL);  // a modal window, then "cancel"
        return FALSE;
    }
};

// After a dialog or box closes, the control that had the focus has it again; one that
// can take it no more leaves it to the expression box.
TEST_F(FindBarTest, FocusComesBackAfterDialogsAndBoxes) {
    using enum ControlSlot;
    const auto send = [](UINT message, WPARAM wparam) { return [=](HWND w) { SendMessageW(w, message, wparam, 0); }; };
    const struct {
        ControlSlot focused;
        std::function<void(HWND)> act;
        int answer;
        ControlSlot expected;
    } rows[] = {
        {MemoEdit, send(WM_SYSCOMMAND, ids::MEMO_VERSIONS), IDCANCEL, MemoEdit},
        {HistoryList, send(WM_COMMAND, ids::LOAD), IDCANCEL, HistoryList},  // a cancelled Ctrl+O
        {MemoEdit, send(WM_CLOSE, 0), IDNO, MemoEdit},                      // unsaved memo: closing anyway? no
        {HistoryList,                                                       // disabled meanwhile
         [this](HWND w) {
             EnableWindow(state().history_list(), FALSE);
             MessageBoxW(w, L"", L"", MB_OK);
         },
         IDOK, ExpressionEdit},
    };
    for (const auto& row : rows) {
        reset();
        const bool closing = row.answer == IDNO;
        if (closing) SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);  // nothing can be saved
        calls.dialogs = std::make_shared<CancelledOpenDialog>();
        const HWND w = open_window();
        ASSERT_NE(w, nullptr);
        SetForegroundWindow(w);
        SetFocus(control(row.focused));
        if (closing) type_into(state().memo_edit(), L"저장되지 않은 메모");
        EXPECT_EQ(answer_boxes([&] { row.act(w); }, {{row.answer, {}}}).size(), 1u);
        pump();
        EXPECT_EQ(GetFocus(), control(row.expected)) << static_cast<int>(row.focused) << " " << row.answer;
        if (closing) {
            answer_boxes([&] { SendMessageW(w, WM_CLOSE, 0, 0); }, {{IDYES, {}}});
            EXPECT_TRUE(run_message_loop());
            window = nullptr;
        }
    }
}

}  // namespace
}  // namespace numvora::testing
