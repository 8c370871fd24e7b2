// Documents through the file dialogs, with the dialogs answered by stand-ins that also
// check the dialog records.
#include <windows.h>

#include <gtest/gtest.h>

#include <commdlg.h>
#include <richedit.h>

#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/services/file_dialog.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/timers/timers.h"
#include "storage/document.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

// Dialogs that answer a path, or a cancel when it is empty, and keep what they were asked.
class StandInDialogs : public FileDialogCalls {
public:
    BOOL save(OPENFILENAMEW* record) override { return answer(record); }
    BOOL open(OPENFILENAMEW* record) override { return answer(record); }

    std::wstring answer_path;
    std::vector<OPENFILENAMEW> records;  // their pointers are dead after the call
    std::vector<std::wstring> titles;
    std::vector<std::wstring> proposed_names;

protected:
    BOOL answer(OPENFILENAMEW* record) {
        records.push_back(*record);
        titles.emplace_back(record->lpstrTitle);
        proposed_names.emplace_back(record->lpstrFile);
        EXPECT_EQ(std::wstring(record->lpstrFilter, 27), std::wstring(L"Quorvex 문서 (*.qvx)\0*.qvx\0\0", 27));
        EXPECT_STREQ(record->lpstrDefExt, L"qvx");
        if (answer_path.empty()) return FALSE;
        answer_path.copy(record->lpstrFile, record->nMaxFile - 1);
        record->lpstrFile[answer_path.size()] = L'\0';
        return TRUE;
    }
};

class DocumentTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        use_stand_in_dialogs();
        open_window();
        ASSERT_NE(window, nullptr);
    }
    void use_stand_in_dialogs() { calls.dialogs = dialogs; }
    std::shared_ptr<StandInDialogs> dialogs = std::make_shared<StandInDialogs>();
    fs::path document(const std::wstring& name) const { return local_app_data / name; }
    void save_as(const fs::path& path) {
        dialogs->answer_path = path.wstring();
        SendMessageW(window, WM_COMMAND, ids::SAVE, 0);
    }
    void open(const fs::path& path) {
        dialogs->answer_path = path.wstring();
        SendMessageW(window, WM_COMMAND, ids::LOAD, 0);
    }
    void set(HWND control, const std::wstring& text) { SetWindowTextW(control, text.c_str()); }
    std::wstring status() { return window_text(state().status_label()); }
    void put(const fs::path& path, std::string_view bytes) {
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<std::wstring> history_lines() {
        std::vector<std::wstring> lines;
        const auto count = SendMessageW(state().history_list(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring line(static_cast<std::size_t>(SendMessageW(state().history_list(), LB_GETTEXTLEN, i, 0)),
                              L'\0');
            SendMessageW(state().history_list(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(DocumentTest, SaveThenOpenInAFreshWindowRestoresTheWorkingState) {
    AppState& s = state();
    SendMessageW(s.thousands_checkbox(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(window, WM_COMMAND, ids::THOUSANDS, 0);
    for (int i = 1; i <= 21; ++i) {
        set(s.expression_edit(), std::to_wstring(i) + L"*1000");
        SendMessageW(window, WM_COMMAND, ids::CALCULATE, 0);
    }
    set(s.memo_edit(), L"회의 메모\r합계 1,234");
    set(s.expression_edit(), L"1,234+5");
    const std::vector<std::wstring> lines = history_lines();
    ASSERT_EQ(lines.size(), 20u);
    save_as(document(L"작업.qvx"));
    EXPECT_EQ(status(), L"작업.qvx 파일로 저장했습니다.");
    EXPECT_FALSE(s.status.status_is_error());
    const std::string saved = [&] {
        std::ifstream in(document(L"작업.qvx"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_EQ(parse_document(saved)->expression, "1234+5");                // never with separators
    EXPECT_TRUE(fs::exists(local_app_data / "Numvora" / "settings.txt"));  // the combined save ran too

    // The save dialog's record, exactly.
    ASSERT_EQ(dialogs->records.size(), 1u);
    const OPENFILENAMEW& r = dialogs->records[0];
    EXPECT_EQ(r.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(r.hwndOwner, window);
    EXPECT_EQ(r.nFilterIndex, 0u);
    EXPECT_EQ(r.nMaxFile, 32768u);
    EXPECT_EQ(dialogs->titles[0], L"Quorvex 문서 저장");
    EXPECT_EQ(r.Flags, 0x0008080Au);
    EXPECT_EQ(dialogs->proposed_names[0], L"Ordenna.qvx");

    TearDown();  // not reset(): this fixture's SetUp would open the window before the file is there
    MainWindowTest::SetUp();
    use_stand_in_dialogs();
    write_data_file("settings.txt", "group_thousands=true\n");
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& fresh = state();
    CHARRANGE operand{0, 1};
    set(fresh.memo_edit(), L"5");
    SendMessageW(fresh.memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&operand));
    SendMessageW(window, WM_TIMER, 1, 0);
    ASSERT_TRUE(IsWindowEnabled(fresh.operation_buttons()[0]));
    fs::create_directories(local_app_data);
    std::ofstream(document(L"작업.qvx"), std::ios::binary) << saved;
    open(document(L"작업.qvx"));
    SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);  // the memo's new selection leaves the line
    EXPECT_EQ(status(), L"작업.qvx 파일을 열었습니다. Ctrl+Z로 되돌릴 수 있습니다.");  // "5" was in no version
    EXPECT_EQ(dialogs->titles.back(), L"Quorvex 문서 불러오기");
    EXPECT_EQ(dialogs->records.back().Flags, 0x0008180Cu);
    EXPECT_EQ(dialogs->proposed_names.back(), L"");
    std::wstring memo = window_text(fresh.memo_edit());
    std::erase(memo, L'\n');
    EXPECT_EQ(memo, L"회의 메모\r합계 1,234");
    EXPECT_EQ(window_text(fresh.expression_edit()), L"1,234+5");  // grouped again
    EXPECT_EQ(window_text(fresh.result_label()), L"21,000");
    EXPECT_EQ(history_lines(), lines);
    EXPECT_FALSE(IsWindowEnabled(fresh.operation_buttons()[0]));
    EXPECT_EQ(GetFocus(), fresh.memo_edit());  // where Ctrl+Z takes the open back
    // The box came back as it was typed, never calculated: Ctrl+Enter calculates it first.
    SendMessageW(window, WM_COMMAND, ids::EXPRESSION_RESULT_TO_MEMO, 0);
    EXPECT_NE(window_text(fresh.memo_edit()).find(L"1,234+5 = 1,239"), std::wstring::npos);
    SendMessageW(window, WM_TIMER, 1, 0);  // the next check empties the line
    EXPECT_EQ(status(), L"");
}

// An opened document is one undo step of the memo; the note says so while no version
// holds the text it replaced.
TEST_F(DocumentTest, AnOpenedDocumentIsTakenBackByUndo) {
    AppState& s = state();
    put(document(L"가계부.qvx"), "format=Quorvex\nversion=1\nmemo=ec8b9debb9842031322c353030\n");
    const struct {
        const char* name;
        std::wstring memo;  // typed before the open
        std::wstring said;
        HWND focus;
    } rows[] = {
        {"typed, in no version", L"점심 8,000\r커피 4,500",
         L"가계부.qvx 파일을 열었습니다. Ctrl+Z로 되돌릴 수 있습니다.", s.memo_edit()},
        {"the same again: the last open kept it", L"점심 8,000\r커피 4,500", L"가계부.qvx 파일을 열었습니다.",
         s.expression_edit()},
        {"empty: nothing to take back", L"", L"가계부.qvx 파일을 열었습니다.", s.expression_edit()},
    };
    const auto memo = [&] {
        std::wstring text = window_text(s.memo_edit());
        std::erase(text, L'\n');
        return text;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        type_into(s.memo_edit(), row.memo);
        open(document(L"가계부.qvx"));
        EXPECT_EQ(status(), row.said);
        EXPECT_EQ(GetFocus(), row.focus);
        EXPECT_EQ(memo(), L"식비 12,500");
        SendMessageW(window, WM_COMMAND, ids::MEMO_UNDO, 0);
        EXPECT_EQ(memo(), row.memo);
    }
}

TEST_F(DocumentTest, RefusalsAndCancelsChangeNothing) {
    AppState& s = state();
    set(s.memo_edit(), L"memo");
    save_as(document(L"notes.txt"));
    EXPECT_EQ(status(), L"저장 오류: 파일 확장자는 .qvx를 사용해 주세요.");
    EXPECT_TRUE(s.status.status_is_error());
    EXPECT_FALSE(fs::exists(document(L"notes.txt")));

    set(s.status_label(), L"before");
    dialogs->answer_path.clear();
    SendMessageW(window, WM_COMMAND, ids::SAVE, 0);
    SendMessageW(window, WM_COMMAND, ids::LOAD, 0);
    EXPECT_EQ(status(), L"before");
    EXPECT_EQ(dialogs->records.size(), 3u);
}

TEST_F(DocumentTest, BadDocumentsEndInTheirMessageAndLeaveTheWindowAlone) {
    AppState& s = state();
    set(s.memo_edit(), L"내 메모");
    set(s.expression_edit(), L"1+2");
    std::mt19937 rng(7);
    std::string random_bytes(4096, '\0');
    for (char& c : random_bytes) c = static_cast<char>(rng());
    const std::string header = "format=Quorvex\nversion=1\n";
    std::string million = header;
    for (int i = 0; i < 1'000'000; ++i) million += "history_record=31|31\n";
    const struct {
        std::string bytes;
        std::string message;
    } rows[] = {
        {random_bytes, "stream did not contain valid UTF-8"},
        {header.substr(0, 10), "지원하지 않는 전체 내용 저장 파일입니다."},
        {header + "memo=6", "저장 파일의 문자열 형식이 잘못되었습니다."},
        {header + "history_record=31\n", "계산 기록 형식이 잘못되었습니다."},
        {header + "memo=ff\n", "저장 파일의 문자열 형식이 잘못되었습니다."},  // a memo that is not UTF-8
    };
    for (const auto& row : rows) {
        put(document(L"bad.qvx"), row.bytes);
        open(document(L"bad.qvx"));
        EXPECT_EQ(to_utf8(status()), "불러오기 오류: " + row.message);
        EXPECT_TRUE(s.status.status_is_error());
        EXPECT_EQ(window_text(s.memo_edit()), L"내 메모");
        EXPECT_EQ(window_text(s.expression_edit()), L"1+2");
    }
    put(document(L"many.qvx"), million);
    open(document(L"many.qvx"));
    EXPECT_EQ(history_lines().size(), 20u);
}

// A box whose WM_SETTEXT fails, as a control update can.
WNDPROC original_box_proc = nullptr;
LRESULT CALLBACK refusing_box(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETTEXT) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    return CallWindowProcW(original_box_proc, box, message, wparam, lparam);
}

// A failed open puts everything back: the auto-save never writes the half-opened memo.
TEST_F(DocumentTest, AFailedOpenLeavesTheWindowAsItWas) {
    AppState& s = state();
    save_as(document(L"empty.qvx"));
    put(document(L"other.qvx"), "format=Quorvex\nversion=1\nmemo=6f74686572\nlast_result=35\n");
    type_into(s.memo_edit(), L"지금 메모");
    set(s.expression_edit(), L"7");
    SendMessageW(window, WM_TIMER, 2, 0);
    const std::wstring label = window_text(s.result_label());
    original_box_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(s.expression_edit(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(refusing_box)));
    open(document(L"other.qvx"));
    SetWindowLongPtrW(s.expression_edit(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_box_proc));
    EXPECT_EQ(status().rfind(L"불러오기 오류: ", 0), 0u);
    EXPECT_EQ(window_text(s.memo_edit()), L"지금 메모");
    EXPECT_EQ(window_text(s.result_label()), label);
    EXPECT_EQ(s.calculator.last_result, std::nullopt);
    SendMessageW(window, WM_TIMER, 2, 0);
    std::ifstream memo(local_app_data / "Numvora" / "memo.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(memo), {}), "지금 메모");
}

// A close that arrives while a file dialog is open (a taskkill) waits for the dialog
// and the command, then closes the window.
class DialogsWithAClose : public StandInDialogs {
public:
    BOOL save(OPENFILENAMEW* record) override {
        SendMessageW(record->hwndOwner, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(record->hwndOwner));
        return answer(record);
    }
};

TEST_F(DocumentTest, ACloseDuringADialogIsCarriedOutAfterIt) {
    dialogs = std::make_shared<DialogsWithAClose>();
    state().calls.dialogs = dialogs;
    SetWindowTextW(state().memo_edit(), L"닫기 전 메모");
    save_as(document(L"during.qvx"));
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(status(), L"during.qvx 파일로 저장했습니다.");
    EXPECT_FALSE(state().modal->open);
    EXPECT_TRUE(run_message_loop());
    EXPECT_FALSE(IsWindow(window));
    window = nullptr;
    EXPECT_TRUE(fs::exists(document(L"during.qvx")));
}

// Without the system's dialogs (comdlg32 missing) a save and an open say why and change
// nothing.
class MissingDialogs : public StandInDialogs {
public:
    std::optional<SystemError> unavailable() override {
        return SystemError{static_cast<std::int32_t>(0x8007007E), "comdlg32.dll"};
    }
};

TEST_F(DocumentTest, MissingDialogsAreSaidAndChangeNothing) {
    dialogs = std::make_shared<MissingDialogs>();
    state().calls.dialogs = dialogs;
    set(state().memo_edit(), L"그대로");
    for (const bool saving : {true, false}) {
        saving ? save_as(document(L"never.qvx")) : open(document(L"never.qvx"));
        EXPECT_EQ(status(), std::wstring(saving ? L"저장" : L"불러오기") + L" 오류: comdlg32.dll (0x8007007E)");
        EXPECT_TRUE(state().status.status_is_error());
    }
    EXPECT_TRUE(dialogs->records.empty());
    EXPECT_FALSE(fs::exists(document(L"never.qvx")));
    EXPECT_EQ(window_text(state().memo_edit()), L"그대로");
}

}  // namespace
}  // namespace numvora::testing
