// The memo's history from the window: snapshots over a session of simulated time, the
// versions dialog and its restore, a history folder that fails, and odd folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "storage/history/memo_history.h"
#include "ui/control_ids.h"
#include "ui/memo_versions.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

SnapshotTime at(const char* timestamp) { return parse_timestamp(timestamp).value(); }

// A history folder whose files cannot be put in place, as on a read-only folder.
Result<void, StorageError> refuse_history(const std::string& source, const std::string& target) {
    if (target.find("\\history\\") != std::string::npos) return fail(make_os_error(ERROR_ACCESS_DENIED));
    return file_primitives::replace_file(source, target);
}
// A volume with a megabyte left.
StorageResult<std::uint64_t> nearly_full(const std::string&) { return std::uint64_t{1} << 20; }

// An open dialog that answers document_path.
class AnsweringOpenDialog : public FileDialogCalls {
public:
    BOOL open(OPENFILENAMEW* record) override {
        return wcscpy_s(record->lpstrFile, record->nMaxFile, document_path.c_str()) == 0;
    }
    std::wstring document_path;
};

// Run on the answering thread while the dialog is open.
HWND list_of(HWND dialog) { return GetDlgItem(dialog, VERSIONS_LIST_ID); }
// Selects a version and waits until it is offered for restoring or found unreadable (the
// rest of a long one is checked on another thread).
void pick(HWND dialog, int index) {
    SendMessageW(list_of(dialog), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(VERSIONS_LIST_ID, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list_of(dialog)));
    const std::wstring unreadable = to_wide(UNREADABLE_VERSION_TEXT);
    for (int wait = 0; wait < 1000 && !IsWindowEnabled(GetDlgItem(dialog, IDOK)); ++wait) {
        if (window_text(GetDlgItem(dialog, VERSIONS_PREVIEW_ID)).starts_with(unreadable)) break;
        Sleep(10);
    }
}
// What the list's tooltip says with the pointer over a line.
std::wstring tip_over(HWND dialog, int index) {
    RECT item{};
    SendMessageW(list_of(dialog), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list_of(dialog), WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 8, item.top + 2));
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tips, GW_OWNER) != dialog) {}
    std::wstring text(512, L'\0');
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(list_of(dialog));
    tool.lpszText = text.data();
    SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.c_str();
}
// A list line, after "+ " when the selected version can be restored, "- " when not.
std::wstring line(HWND dialog, int index) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list_of(dialog), LB_GETTEXTLEN, index, 0)), L'\0');
    SendMessageW(list_of(dialog), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return (IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? L"+ " : L"- ") + text;
}

class MemoHistoryTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        calls.now = [this] { return clock_now; };
        calls.dialogs = documents;
        fs::create_directories(history());
    }
    SnapshotTime clock_now = at("20261207-100000");  // the clock the windows keep their snapshots by
    std::shared_ptr<AnsweringOpenDialog> documents = std::make_shared<AnsweringOpenDialog>();
    fs::path history() const { return local_app_data / "Numvora" / "history"; }
    void put_version(const char* timestamp, std::string_view text) const {
        std::ofstream(history() / snapshot_name(at(timestamp)), std::ios::binary) << text;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // "HHMMSS=text" of each snapshot, oldest first.
    std::vector<std::string> versions() const {
        std::vector<std::string> found;
        const std::vector<SnapshotEntry> listed = list_snapshots(history().string()).value();
        for (const SnapshotEntry& entry : listed)
            found.insert(found.begin(), entry.name.substr(14, 6) + "=" + read(history() / entry.name));
        return found;
    }
    void type_memo(const std::wstring& text) const { type_into(state().memo_edit(), text); }
    // A save, then what the history's worker does after it and says of it.
    void tick() const {
        SendMessageW(window, WM_TIMER, AUTOSAVE_TIMER_ID, 0);
        settle();
    }
    void settle() const {
        state().snapshots->settle();
        pump();
    }
    std::wstring status() const { return window_text(state().status_label()); }
    // Opens the dialog from the system menu; inside runs on it, then the button ends it.
    std::vector<ErrorBox> in_dialog(int button, const std::function<void(HWND)>& inside) {
        return answer_boxes([&] { SendMessageW(window, WM_SYSCOMMAND, ids::MEMO_VERSIONS, 0); }, {{button, inside}});
    }
};

TEST_F(MemoHistoryTest, ASessionKeepsItsStartOneVersionInTenMinutesAndWhatIsReplaced) {
    write_data_file("memo.txt", "처음");
    put_version("20261207-090000", "예전");
    documents->document_path = (local_app_data / L"문서.qvx").wstring();
    std::ofstream(local_app_data / L"문서.qvx") << "format=Quorvex\nversion=1\nmemo=646f63\n";
    open_window();
    ASSERT_NE(window, nullptr);
    const struct {
        const char* now;
        std::function<void()> act;
        const char* kept;  // the snapshot the step adds, if any
    } steps[] = {
        {"20261207-100000", [&] { tick(); }, nullptr},  // nothing typed, nothing written
        // What memo.txt held is kept once it is replaced, never a copy of what it holds.
        {"20261207-100005", [&] { type_memo(L"하나"), tick(); }, "100005=처음"},
        {"20261207-100959", [&] { type_memo(L"둘"), tick(); }, nullptr},
        {"20261207-101005", [&] { type_memo(L"셋"), tick(); }, "101005=둘"},
        {"20261207-102000", [&] { tick(); }, nullptr},  // unchanged
        {"20261207-102100", [&] { type_memo(L"넷"), SendMessageW(window, WM_COMMAND, ids::LOAD, 0), settle(); },
         "102100=넷"},
        {"20261207-102200", [&] { in_dialog(IDOK, [](HWND dialog) { pick(dialog, 1); }), tick(); }, "102200=doc"},
        {"20261207-102300", [&] { type_memo(L"다섯"), tick(); }, nullptr},
    };
    std::vector<std::string> expected = {"090000=예전"};
    for (const auto& step : steps) {
        clock_now = at(step.now);
        step.act();
        if (step.kept) expected.emplace_back(step.kept);
        EXPECT_EQ(versions(), expected) << step.now;
        if (step.kept) {
            EXPECT_NE(std::string(step.kept).substr(7), read(local_app_data / "Numvora" / "memo.txt"));
        }
    }
    EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "다섯");
}

TEST_F(MemoHistoryTest, TheDialogRestoresAVersionAsOneUndoStep) {
    put_version("20261207-080000", "첫 줄\r\n둘째 줄");
    put_version("20261207-090000", "\xb8\xde");  // not UTF-8
    put_version("20261207-070000", "지금");
    put_version("20261207-060000", "12월 모임 정산: 회비 150,000원, 식비 98,500원, 남은 돈은 얼마일까?");
    write_data_file("memo.txt", "지금");
    open_window();
    ASSERT_NE(window, nullptr);
    wchar_t item[32] = {};
    GetMenuStringW(GetSystemMenu(window, FALSE), ids::MEMO_VERSIONS, item, 32, MF_BYCOMMAND);
    EXPECT_EQ(to_utf8(item), MEMO_VERSIONS_MENU_TEXT);

    std::vector<std::wstring> seen;
    const std::vector<ErrorBox> boxes = in_dialog(IDOK, [&](HWND dialog) {
        seen.push_back(line(dialog, 0));  // the newest is selected first
        pick(dialog, 1);
        seen.push_back(line(dialog, 1));
        seen.push_back(window_text(GetDlgItem(dialog, VERSIONS_PREVIEW_ID)));
        seen.push_back(line(dialog, 2));  // not read until selected
        pick(dialog, 3);                  // a line the list cuts is whole in its tooltip; one it shows whole needs none
        seen.push_back(tip_over(dialog, 3) == line(dialog, 3).substr(2) ? L"whole in its tip" : tip_over(dialog, 3));
        seen.push_back(L"tip: " + tip_over(dialog, 0));
        pick(dialog, 1);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"메모 이전 버전");
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"- 2026-12-07 09:00:00 · 2 B · 읽을 수 없는 파일",
                                               L"+ 2026-12-07 08:00:00 · 19 B · 첫 줄", L"첫 줄\r\n둘째 줄",
                                               L"+ 2026-12-07 07:00:00 (현재 메모와 같음) · 6 B", L"whole in its tip",
                                               L"tip: "}));
    EXPECT_EQ(window_text(state().memo_edit()), L"첫 줄\r\n둘째 줄");
    SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);  // the outcome stays
    EXPECT_EQ(status(), L"2026-12-07 08:00:00 버전으로 복원했습니다. Ctrl+Z로 되돌릴 수 있습니다.");
    tick();
    EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "첫 줄\r\n둘째 줄");
    EXPECT_EQ(versions().back(), "100000=지금");
    SendMessageW(state().memo_edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(window_text(state().memo_edit()), L"지금");
    EXPECT_EQ(status(), L"");  // the restore it spoke of is undone

    // A close that arrives while the dialog is open is carried out after it.
    in_dialog(IDCANCEL, [&](HWND) { PostMessageW(window, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(run_message_loop());
    EXPECT_FALSE(IsWindow(window));
    window = nullptr;
    EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "지금");
}

// A history that cannot take a snapshot never costs the memo: saves go on, the failure
// is said once, and a restore that would lose the memo's text does not happen.
TEST_F(MemoHistoryTest, AHistoryThatCannotKeepASnapshotLeavesTheMemoSavedAndRestoresNothing) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const wchar_t* failure;  // after "메모 이전 버전 저장 실패: "
    } rows[] = {
        {"a file named history",
         [&] { fs::remove_all(history()), write_data_file("history", "a file where the folder would be"); }, nullptr},
        {"an unwritable folder", [&] { calls.write.replace_file = refuse_history; }, nullptr},
        {"a nearly full disk", [&] { calls.write.free_space = nearly_full; },
         L"메모 저장에 쓸 디스크 공간을 남기려고 건너뛰었습니다."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        put_version("20261207-090000", "예전");
        row.arrange();
        open_window();
        ASSERT_NE(window, nullptr);
        CapturedErrors errors;
        for (int i = 0; i < 3; ++i) {
            clock_now = from_seconds(to_seconds(clock_now) + SNAPSHOT_INTERVAL_SECONDS);
            type_memo(L"메모 " + std::to_wstring(i));
            tick();
            EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "메모 " + std::to_string(i));
        }
        EXPECT_EQ(errors.lines().size(), 1u);
        const std::wstring said = L"메모 이전 버전 저장 실패: ";
        EXPECT_EQ(status().rfind(said, 0), 0u) << status();
        if (row.failure) {
            EXPECT_EQ(status(), said + row.failure);
        }
        if (fs::is_directory(history())) {
            std::vector<std::wstring> why;
            in_dialog(IDCANCEL, [&](HWND dialog) {
                why.push_back(window_text(GetDlgItem(dialog, VERSIONS_PREVIEW_ID)));
                SendMessageW(dialog, WM_COMMAND, IDOK, 0);
                why.push_back(window_text(GetDlgItem(dialog, VERSIONS_PREVIEW_ID)));
            });
            const std::wstring refused = L"현재 메모를 보관하지 못해 복원하지 않았습니다: ";
            ASSERT_EQ(why.size(), 2u);
            EXPECT_EQ(why[0], L"예전");
            EXPECT_EQ(why[1].rfind(refused, 0), 0u) << why[1];
            if (row.failure) {
                EXPECT_EQ(why[1], refused + row.failure);
            }
        }
        EXPECT_EQ(window_text(state().memo_edit()), L"메모 2");
    }
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);  // the system's own commands stay the system's
    EXPECT_TRUE(IsIconic(window));
}

// Thousands of versions, names close to the pattern, an empty and a huge file, and
// files that vanish between the listing and the reading.
TEST_F(MemoHistoryTest, OddHistoriesListWhatCanBeReadAndRestoreNothingThatIsGone) {
    for (std::int64_t i = 0; i < 2000; ++i)
        std::ofstream(history() / snapshot_name(from_seconds(to_seconds(at("20261207-000000")) - i * 60))) << i;
    for (const char* name : {"memo-20261207-235959.txt.tmp", "Memo-20261207-235959.txt", "memo-20261207-2359.txt",
                             "memo-20261307-000000.txt", "memo-20261207-235959.txt.12-3.tmp"})
        std::ofstream(history() / name) << "x";
    put_version("20261207-235900", "");
    put_version("20261207-235800", "사라질 파일");
    put_version("20261207-235700", "읽기 전에 사라질 파일");
    put_version("20261207-235600", "큰 파일\n");
    fs::resize_file(history() / snapshot_name(at("20261207-235600")), 100ull << 20);
    std::string lines_of_text = "앞은 글\n";  // in lines: one long line takes this Wine's edit control seconds
    while (lines_of_text.size() <= VERSION_PREVIEW_BYTES) lines_of_text += std::string(63, 'a') + "\n";
    put_version("20261207-235500", lines_of_text + "\xb8\xde");
    open_window();
    ASSERT_NE(window, nullptr);
    type_memo(L"그대로");
    LRESULT count = 0;
    std::vector<std::wstring> lines;
    in_dialog(IDOK, [&](HWND dialog) {
        count = SendMessageW(list_of(dialog), LB_GETCOUNT, 0, 0);
        fs::remove(history() / snapshot_name(at("20261207-235800")));
        for (const int index : {4, 0, 3, 1, 2}) pick(dialog, index), lines.push_back(line(dialog, index));
        fs::remove(history() / snapshot_name(at("20261207-235700")));
    });
    EXPECT_EQ(count, 2005);
    EXPECT_FALSE(fs::exists(history() / "memo-20261207-235959.txt.12-3.tmp"));  // a killed write's, swept at start
    // Of the huge one only the start is read at once, the rest on another thread.
    // Not UTF-8 beyond what the preview shows: unreadable before a restore is offered.
    EXPECT_EQ(lines,
              (std::vector<std::wstring>{L"- 2026-12-07 23:55:00 · 64.0 KB · 읽을 수 없는 파일",
                                         L"+ 2026-12-07 23:59:00 · 0 B", L"+ 2026-12-07 23:56:00 · 100 MB · 큰 파일",
                                         L"- 2026-12-07 23:58:00 · 16 B · 읽을 수 없는 파일",
                                         L"+ 2026-12-07 23:57:00 · 30 B · 읽기 전에 사라질 파일"}));
    EXPECT_EQ(status().rfind(L"메모 이전 버전을 읽지 못했습니다: ", 0), 0u);
    EXPECT_EQ(window_text(state().memo_edit()), L"그대로");
}

}  // namespace
}  // namespace numvora::testing
