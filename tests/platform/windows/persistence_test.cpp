// The memo and settings on disk: auto-save, the combined save at close and log-off, the
// memo file that is never overwritten blindly, and an orderly shutdown.
#include <windows.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>

#include "common/win32/wide_text.h"
#include "platform/windows/app/app_entry.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/services/clipboard.h"
#include "platform/windows/state/modal.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/timers/timers.h"
#include "platform/windows/window/window_handlers.h"
#include "storage/settings.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

class PersistenceTest : public MainWindowTest {
protected:
    fs::path data(const std::string& name) const { return local_app_data / "Numvora" / name; }
    std::string read(const std::string& name) const {
        std::ifstream in(data(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void type_memo(const std::wstring& text) { type_into(state().memo_edit(), text); }
    void auto_save_tick() { SendMessageW(window, WM_TIMER, 2, 0); }
    std::vector<std::string> names_matching(const char* pattern) const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(local_app_data / "Numvora"))
            if (std::regex_match(entry.path().filename().string(), std::regex(pattern)))
                found.push_back(entry.path().filename().string());
        return found;
    }
    // Closes without the fixture's checks; returns whether the window is gone.
    bool close(HWND target) {
        SendMessageW(target, WM_CLOSE, 0, 0);
        return !IsWindow(target);
    }
};

TEST_F(PersistenceTest, AutoSaveWritesAChangedMemoAndShowsAFailureUntilAWriteSucceeds) {
    std::filesystem::remove_all(local_app_data / "Numvora");  // the first run: no folder yet
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    auto_save_tick();
    EXPECT_FALSE(fs::exists(data("memo.txt")));  // nothing typed, nothing written
    type_memo(L"첫 메모 12");
    auto_save_tick();
    EXPECT_EQ(read("memo.txt"), "첫 메모 12");
    fs::remove(data("memo.txt"));
    auto_save_tick();
    EXPECT_FALSE(fs::exists(data("memo.txt")));  // unchanged: no write

    // A target that cannot be written: every tick logs, the status line says so.
    std::ofstream(data("memo.txt")) << "첫 메모 12";
    SetFileAttributesW(data("memo.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    type_memo(L"둘째 12");
    CapturedErrors errors;
    auto_save_tick();
    auto_save_tick();
    ASSERT_EQ(errors.lines().size(), 2u);
    EXPECT_EQ(errors.lines()[0].rfind("메모 자동 저장 실패: ", 0), 0u);
    const std::string mark = std::string(trouble_mark(Trouble::MemoNotSaved)) + "  ";
    EXPECT_EQ(to_utf8(window_text(s.status_label())), mark + errors.lines()[0]);
    EXPECT_TRUE(s.status.status_is_error());

    // A selection message takes precedence while it is shown, after the failure's mark.
    CHARRANGE operand{3, 5};
    SendMessageW(s.memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&operand));
    SendMessageW(window, WM_TIMER, 1, 0);
    auto_save_tick();
    EXPECT_EQ(to_utf8(window_text(s.status_label())), mark + "선택값 12 — 연산 버튼 사용 가능");
    CHARRANGE caret{0, 0};
    SendMessageW(s.memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    SendMessageW(window, WM_TIMER, 1, 0);
    EXPECT_EQ(to_utf8(window_text(s.status_label())), mark + errors.lines()[0]);

    SetFileAttributesW(data("memo.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    auto_save_tick();
    EXPECT_EQ(read("memo.txt"), "둘째 12");
    EXPECT_EQ(window_text(s.status_label()), L"");
    EXPECT_FALSE(s.status.status_is_error());
}

// Undo, redo and text set from outside leave the control's own modify flag alone; each
// change still reaches memo.txt at the next tick, and an idle memo is not even read.
TEST_F(PersistenceTest, EveryChangeOfTheMemoReachesTheFileAtTheNextTick) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = state().memo_edit();
    const auto send = [memo](UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
        SendMessageW(memo, message, wparam, lparam);
    };
    const struct {
        const char* change;
        std::function<void()> act;
        std::string on_disk;
    } rows[] = {
        {"typing", [&] { send(WM_CHAR, 'a'), send(WM_CHAR, 'b'); }, "ab"},
        // Wine's own paste replaced the whole plain text: "12" alone.
        {"paste at the caret",
         [&] {
             EXPECT_TRUE(copy_to_clipboard(window, "12").has_value());
             send(EM_SETSEL, 2, 2);
             send(WM_PASTE);
         },
         "ab12"},
        {"undo", [&] { send(EM_UNDO); }, "ab"},
        {"redo", [&] { send(EM_REDO); }, "ab12"},
        {"result into the memo",
         [&] {
             SetWindowTextW(state().expression_edit(), L"3+4");
             SendMessageW(window, WM_COMMAND, ids::CALCULATE, 0);
             SendMessageW(window, WM_COMMAND, ids::RESULT_TO_MEMO, 0);
         },
         "ab12 7"},  // clear of the digit before it
        {"text set from outside", [&] { send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"밖에서 쓴 글")); },
         "밖에서 쓴 글"},
    };
    for (const auto& row : rows) {
        row.act();
        auto_save_tick();
        EXPECT_EQ(read("memo.txt"), row.on_disk) << row.change;
    }
    fs::remove(data("memo.txt"));
    watch(memo);
    delivered().clear();
    auto_save_tick();
    EXPECT_FALSE(fs::exists(data("memo.txt")));
    for (const Delivered& d : delivered()) {
        EXPECT_NE(d.message, static_cast<UINT>(WM_GETTEXT));
        EXPECT_NE(d.message, static_cast<UINT>(WM_GETTEXTLENGTH));
    }
}

TEST_F(PersistenceTest, CloseWritesMemoAndTheRestoredRectangle) {
    open_window();
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 40, 30, 900, 780, SWP_NOZORDER);
    type_memo(L"닫을 때 저장");
    ShowWindow(window, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window));
    ASSERT_TRUE(close(window));
    EXPECT_EQ(read("memo.txt"), "닫을 때 저장");
    const AppSettings saved = parse_settings(read("settings.txt"));
    EXPECT_EQ(saved.window_x, 40);
    EXPECT_EQ(saved.window_y, 30);
    EXPECT_EQ(saved.window_width, 900);
    EXPECT_EQ(saved.window_height, 780);
    EXPECT_TRUE(run_message_loop());
    window = nullptr;
}

// Without a data folder nothing can be saved: an empty memo closes with a log line,
// typed text is never dropped without asking, and a log-off is held back for it.
TEST_F(PersistenceTest, TypedTextIsNeverDroppedSilently) {
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    open_window();
    ASSERT_NE(window, nullptr);
    {
        CapturedErrors errors;
        EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_EQ(errors.lines(), std::vector<std::string>{"종료 상태 저장 실패: 저장 경로를 사용할 수 없습니다."});
    }
    type_memo(L"잃으면 안 되는 메모");
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE);

    // No keeps the window; a second close meanwhile opens no second box. (Posted before
    // the answer, the close is handled while the box is open.)
    const HWND target = window;
    std::vector<ErrorBox> boxes = answer_boxes([&] { SendMessageW(target, WM_CLOSE, 0, 0); },
                                               {{IDNO, [&](HWND) { PostMessageW(target, WM_CLOSE, 0, 0); }}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"메모 저장 실패");
    EXPECT_NE(boxes[0].text.find(L"저장 경로를 사용할 수 없습니다."), std::wstring::npos);
    pump();
    ASSERT_TRUE(IsWindow(target));
    EXPECT_EQ(window_text(state().memo_edit()), L"잃으면 안 되는 메모");
    EXPECT_FALSE(state().modal->open);

    boxes = answer_boxes([&] { SendMessageW(target, WM_CLOSE, 0, 0); }, {{IDYES, {}}});
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(IsWindow(target));
    EXPECT_TRUE(run_message_loop());
    window = nullptr;

    open_window();  // an empty memo closes without a question
    ASSERT_NE(window, nullptr);
    CapturedErrors errors;
    EXPECT_TRUE(answer_boxes([&] { EXPECT_TRUE(close(window)); }, {{IDYES, {}}}).empty());
    EXPECT_EQ(errors.lines(), std::vector<std::string>{"종료 상태 저장 실패: 저장 경로를 사용할 수 없습니다."});
    EXPECT_TRUE(run_message_loop());
    window = nullptr;
}

// A memo saved in another encoding is moved aside whole, never overwritten, and the
// status line says why the memo is empty.
TEST_F(PersistenceTest, AnUnreadableMemoIsSetAsideAndTheReasonShown) {
    const std::string cp949 = "\xb8\xde\xb8\xf0";
    write_data_file("memo.txt", cp949);
    CapturedErrors errors;
    open_window();
    ASSERT_NE(window, nullptr);
    const auto aside = names_matching(R"(memo\.unreadable-\d{8}-\d{6}\.txt)");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(read(aside[0]), cp949);
    EXPECT_EQ(to_utf8(window_text(state().status_label())),
              "메모 파일을 읽을 수 없어 " + aside[0] + "(으)로 옮겨 두었습니다: stream did not contain valid UTF-8");
    EXPECT_TRUE(state().status.status_is_error());
    SendMessageW(window, WM_TIMER, 1, 0);  // the first selection check keeps the reason up
    EXPECT_TRUE(state().status.status_is_error());
    ASSERT_EQ(errors.lines().size(), 2u);
    EXPECT_EQ(errors.lines()[0], "메모 불러오기 실패: stream did not contain valid UTF-8");
    type_memo(L"새 메모");
    auto_save_tick();
    EXPECT_EQ(read("memo.txt"), "새 메모");
    EXPECT_EQ(read(aside[0]), cp949);
}

// What killed saves left is swept at start; every other file stays.
TEST_F(PersistenceTest, StaleTemporariesAreSweptAtStart) {
    for (const char* name : {"memo.txt.4321-0.tmp", "settings.txt.4321-7.tmp", "memo.txt.bak", "notes.tmp"})
        write_data_file(name, "x");
    open_window();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(fs::exists(data("memo.txt.4321-0.tmp")));
    EXPECT_FALSE(fs::exists(data("settings.txt.4321-7.tmp")));
    EXPECT_TRUE(fs::exists(data("memo.txt.bak")));
    EXPECT_TRUE(fs::exists(data("notes.tmp")));
}

// Two windows share memo.txt: closing the older one last keeps the newer one's text.
TEST_F(PersistenceTest, ASecondWindowNeverOverwritesTheFirstOnesMemo) {
    write_data_file("memo.txt", "처음");
    open_window();
    ASSERT_NE(window, nullptr);
    HWND newer = nullptr;
    {
        const HWND older = std::exchange(window, nullptr);  // two at once, both closed below
        newer = open_window();
        window = older;
    }
    ASSERT_NE(newer, nullptr);
    type_into(app_state_of(newer)->memo_edit(), L"새 창에서 쓴 글");
    ASSERT_TRUE(close(newer));
    EXPECT_EQ(read("memo.txt"), "새 창에서 쓴 글");
    // The older one's next save keeps the other's text aside, and says so until a save
    // finds memo.txt as it left it.
    const std::wstring other = to_wide(trouble_mark(Trouble::OtherWindow));
    for (const auto& [typed, marked] : {std::pair{L"옛 창에서 고친 글", true}, {L"옛 창에서 다시 고친 글", false}}) {
        type_memo(typed);
        SendMessageW(window, WM_TIMER, AUTOSAVE_TIMER_ID, 0);
        EXPECT_EQ(window_text(state().status_label()).rfind(other, 0) == 0, marked);
        EXPECT_EQ(label_tip(state(), state().status_label()).find(L"memo.conflict-") != std::wstring::npos, marked);
    }
    ASSERT_TRUE(close(window));
    EXPECT_EQ(read("memo.txt"), "옛 창에서 다시 고친 글");
    const auto kept = names_matching(R"(memo\.conflict-\d{8}-\d{6}\.txt)");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(read(kept[0]), "새 창에서 쓴 글");
    pump();
    window = nullptr;
}

// portable.txt beside the program: memo, settings, preferences and history live in
// "data" beside it, made at the first save, and LOCALAPPDATA's folder stays untouched.
TEST_F(PersistenceTest, APortableCopyKeepsItsDataBesideTheProgram) {
    const fs::path program = local_app_data / L"USB 메모리";
    fs::create_directories(program);
    std::ofstream(program / "portable.txt").put('\n');
    calls.program_folder = [folder = program.wstring()] { return folder; };
    open_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(to_wide(state().save->paths->folder), (program / "data").wstring());
    EXPECT_FALSE(fs::exists(program / "data"));  // not before the first save
    type_memo(L"들고 다니는 메모");
    SendMessageW(window, WM_COMMAND, ids::MEMO_ZOOM_IN, 0);
    ASSERT_TRUE(close(window));
    EXPECT_TRUE(run_message_loop());
    // No history yet: a first memo has no earlier version to keep.
    for (const char* name : {"memo.txt", "settings.txt", "preferences.txt"}) {
        EXPECT_TRUE(fs::exists(program / "data" / name)) << name;
    }
    EXPECT_TRUE(fs::is_empty(local_app_data / "Numvora"));

    open_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window_text(state().memo_edit()), L"들고 다니는 메모");
    EXPECT_EQ(state().zoom->percent, 110);
    EXPECT_NE(state().zoom->font.get(), nullptr);  // the memo has its font from the start
    ASSERT_TRUE(close(window));
    EXPECT_TRUE(run_message_loop());
    window = nullptr;
}

class FailingLayout : public LayoutCalls {
public:
    BOOL move_window(HWND, int, int, int, int, BOOL) override {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
};

// A failed creation must not leave a quit message behind, which would close the
// start-up error box before anyone saw it.
TEST_F(PersistenceTest, AFailedStartShowsItsBox) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    SystemCalls failing_layout;
    failing_layout.layout = std::make_shared<FailingLayout>();
    int exit_code = 0;
    const auto look = [](HWND) { Sleep(300); };  // a box that a quit message ends would be gone by then
    const std::vector<ErrorBox> boxes =
        answer_boxes([&] { exit_code = run_main_window(instance, failing_layout); }, {{IDOK, look}, {IDOK, look}});
    EXPECT_EQ(exit_code, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"화면 배치 오류");
    EXPECT_EQ(boxes[1].caption, L"Numvora를 시작하지 못했습니다.");
    EXPECT_TRUE(boxes[1].open_when_answered);
    EXPECT_TRUE(IsWindow(window));  // the window that opened before is untouched
}

// Windows sends WM_DESTROY to a window whose WM_CREATE failed (this Wine does not, so
// the handler is called as Windows would call it).
TEST_F(PersistenceTest, AWindowWhoseCreationFailedEndsNoLoop) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState record;  // as a failed WM_CREATE leaves it
    record.main_window = window;
    CapturedErrors errors;  // the timer lines of timers this record never started
    on_destroy(record);
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    record.life->created = true;
    on_destroy(record);
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Each window holds three fonts and five brushes: windows that kept them would add
// eight objects each. Wine's own caches move the count by a few either way.
TEST_F(PersistenceTest, ClosingReleasesEveryGdiObject) {
    std::vector<long> counts;
    for (int i = 0; i < 11; ++i) {
        open_window();
        ASSERT_NE(window, nullptr);
        SendMessageW(window, WM_COMMAND, ids::SIDE, 0);  // a repaint on the other side
        ASSERT_TRUE(close(window));
        EXPECT_TRUE(run_message_loop());
        window = nullptr;
        counts.push_back(gdi_objects_in_use());
    }
    EXPECT_LT(counts.back() - counts[1], 20) << counts[1] << " -> " << counts.back();
}

}  // namespace
}  // namespace numvora::testing
