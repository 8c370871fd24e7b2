// The memo's history from the window: snapshots over a session of simulated time, the
// versions dialog and its restore, a history folder that fails, and odd folders.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/timers/timers.h"
#include "storage/history/memo_history.h"
#include "support/wait_until.h"
#include "ui/commands.h"
#include "ui/control_ids.h"
#include "ui/memo/memo_versions.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

SnapshotTime at(const char* timestamp) { return parse_timestamp(timestamp).value(); }

// A history folder whose files cannot be put in place, as on a read-only folder, while
// refused says so.
WriteCalls refusing_history(const std::shared_ptr<std::atomic<bool>>& refused) {
    const auto into_history = [refused](const std::string& target) {
        return *refused && target.find("\\history\\") != std::string::npos;
    };
    WriteCalls calls;
    calls.replace_file = [into_history](const std::string& source, const std::string& target) {
        if (into_history(target)) return Result<void, StorageError>(fail(make_os_error(ERROR_ACCESS_DENIED)));
        return file_primitives::replace_file(source, target);
    };
    calls.link_file = [into_history](const std::string& source, const std::string& target) {
        if (into_history(target)) return Result<void, StorageError>(fail(make_os_error(ERROR_ACCESS_DENIED)));
        return file_primitives::hard_link(source, target);
    };
    return calls;
}

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
std::wstring preview_of(HWND dialog) { return window_text(GetDlgItem(dialog, VERSIONS_PREVIEW_ID)); }
// Selects a version once the list is there and waits until it is offered for restoring
// or found unreadable (the rest of a long one is checked a piece at a time).
void pick(HWND dialog, int index) {
    EXPECT_TRUE(wait_until([&] { return SendMessageW(list_of(dialog), LB_GETCOUNT, 0, 0) > index; })) << index;
    SendMessageW(list_of(dialog), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(VERSIONS_LIST_ID, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list_of(dialog)));
    EXPECT_TRUE(wait_until([&] {
        return IsWindowEnabled(GetDlgItem(dialog, IDOK)) ||
               preview_of(dialog).starts_with(to_wide(UNREADABLE_VERSION_TEXT));
    })) << index;
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
    // A save, then what the history's worker says of it.
    void tick() const {
        SendMessageW(window, WM_TIMER, AUTOSAVE_TIMER_ID, 0);
        settle();
    }
    // Once a question of the worker's is answered, every task handed over before it is
    // done; then what it said is taken.
    void settle() const {
        const auto answered = std::make_shared<std::promise<void>>();
        state().save->snapshots->keeper().versions(
            {}, [] { return true; }, [answered](auto) { answered->set_value(); });
        answered->get_future().wait();
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
        // Closing saves the memo again, and keeps no copy of what memo.txt holds.
        {"20261207-104000",
         [&] {
             SendMessageW(window, WM_CLOSE, 0, 0);
             EXPECT_TRUE(run_message_loop());
             window = nullptr;
         },
         nullptr},
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
    put_version("20261207-090000", "\xb8\xde");                // not UTF-8
    put_version("20261207-085000", std::string("h\0i\0", 4));  // UTF-16 without its mark
    put_version("20991231-000000", "미래");
    put_version("20261207-070000", "지금");
    put_version("20261207-060000", "12월 모임 정산: 회비 150,000원, 식비 98,500원, 남은 돈은 얼마일까?");
    write_data_file("memo.conflict-20261207-075000.txt", "다른 창의 메모");
    write_data_file("memo.txt", "지금");
    open_window();
    ASSERT_NE(window, nullptr);
    wchar_t item[32] = {};
    GetMenuStringW(GetSystemMenu(window, FALSE), ids::MEMO_VERSIONS, item, 32, MF_BYCOMMAND);
    EXPECT_EQ(to_utf8(item), find_command(ids::MEMO_VERSIONS)->label);

    std::vector<std::wstring> seen;
    const std::vector<ErrorBox> boxes = in_dialog(IDOK, [&](HWND dialog) {
        for (const int index : {0, 1, 2, 4}) pick(dialog, index), seen.push_back(line(dialog, index));
        seen.push_back(line(dialog, 5));  // not read until selected
        pick(dialog, 6);                  // a line the list cuts is whole in its tooltip; one it shows whole needs none
        seen.push_back(tip_over(dialog, 6) == line(dialog, 6).substr(2) ? L"whole in its tip" : tip_over(dialog, 6));
        seen.push_back(L"tip: " + tip_over(dialog, 5));
        pick(dialog, 3);
        seen.push_back(line(dialog, 3));
        seen.push_back(preview_of(dialog));
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"메모 이전 버전");
    EXPECT_EQ(seen,
              (std::vector<std::wstring>{L"+ 2099-12-31 00:00:00 (날짜 이상) · 6 B · 미래",
                                         L"- 2026-12-07 09:00:00 · 2 B · 읽을 수 없는 파일",
                                         L"- 2026-12-07 08:50:00 · 4 B · 읽을 수 없는 파일",
                                         L"+ 2026-12-07 07:50:00 (다른 창) · 20 B · 다른 창의 메모",
                                         L"+ 2026-12-07 07:00:00 (현재 메모와 같음) · 6 B", L"whole in its tip",
                                         L"tip: ", L"+ 2026-12-07 08:00:00 · 19 B · 첫 줄", L"첫 줄\r\n둘째 줄"}));
    EXPECT_EQ(window_text(state().memo_edit()), L"첫 줄\r\n둘째 줄");
    SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);  // the outcome stays
    EXPECT_EQ(status(), L"2026-12-07 08:00:00 버전으로 복원했습니다. Ctrl+Z로 되돌릴 수 있습니다.");
    tick();
    EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "첫 줄\r\n둘째 줄");
    const std::vector<std::string> kept = versions();
    EXPECT_EQ(std::count(kept.begin(), kept.end(), "100000=지금"), 1);
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
// is said once and stays marked whatever the line says next, a restore that would lose
// the memo's text does not happen, and the mark goes once a snapshot is kept again.
TEST_F(MemoHistoryTest, AHistoryThatCannotKeepASnapshotLeavesTheMemoSavedAndRestoresNothing) {
    const auto trouble = std::make_shared<std::atomic<bool>>(true);
    const struct {
        const char* name;
        std::function<void()> arrange;
        const wchar_t* failure;  // after "메모 이전 버전 저장 실패: "
        std::function<void()> mend;
    } rows[] = {
        {"a file named history",
         [&] { fs::remove_all(history()), write_data_file("history", "a file where the folder would be"); }, nullptr,
         [&] { fs::remove(history()); }},
        {"an unwritable folder", [&] { calls.write = refusing_history(trouble); }, nullptr, [&] { *trouble = false; }},
        {"a nearly full disk",
         [&] {
             calls.write.free_space = [trouble](const std::string&) -> StorageResult<std::uint64_t> {
                 return *trouble ? std::uint64_t{1} << 20 : std::uint64_t{1} << 40;
             };
         },
         L"메모 저장에 쓸 디스크 공간을 남기려고 건너뛰었습니다.", [&] { *trouble = false; }},
    };
    const std::wstring mark = to_wide(trouble_mark(Trouble::HistoryNotKept)) + L"  ";
    const std::wstring said = L"메모 이전 버전 저장 실패: ";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        *trouble = true;
        put_version("20261207-090000", "예전");
        row.arrange();
        open_window();
        ASSERT_NE(window, nullptr);
        CapturedErrors errors;
        const auto type_and_save = [&](int i) {
            clock_now = from_seconds(to_seconds(clock_now) + SNAPSHOT_INTERVAL_SECONDS);
            type_memo(L"메모 " + std::to_wstring(i));
            tick();
            EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), "메모 " + std::to_string(i));
        };
        for (int i = 0; i < 3; ++i) type_and_save(i);
        EXPECT_EQ(errors.lines().size(), 1u);
        EXPECT_EQ(status().rfind(mark + said, 0), 0u) << status();
        if (row.failure) {
            EXPECT_EQ(status(), mark + said + row.failure);
        }
        // A caret move takes the failure's text, not its mark or its tooltip.
        SendMessageW(state().memo_edit(), EM_SETSEL, 0, 1);
        SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);
        EXPECT_EQ(status().rfind(mark, 0), 0u) << status();
        EXPECT_NE(status().find(L"선택"), std::wstring::npos) << status();
        EXPECT_EQ(label_tip(state(), state().status_label()).rfind(said, 0), 0u);
        if (fs::is_directory(history())) {
            std::vector<std::wstring> why;
            in_dialog(IDCANCEL, [&](HWND dialog) {
                pick(dialog, 0);
                why.push_back(preview_of(dialog));
                SendMessageW(dialog, WM_COMMAND, IDOK, 0);
                EXPECT_TRUE(wait_until([&] { return preview_of(dialog) != why[0]; }));
                why.push_back(preview_of(dialog));
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
        row.mend();
        type_and_save(3);
        EXPECT_EQ(status().find(mark), std::wstring::npos) << status();
        EXPECT_EQ(label_tip(state(), state().status_label()), L"");
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
    clock_now = at("20261208-000000");
    open_window();
    ASSERT_NE(window, nullptr);
    type_memo(L"그대로");
    LRESULT count = 0;
    std::vector<std::wstring> lines;
    in_dialog(IDCANCEL, [&](HWND dialog) {
        pick(dialog, 0);
        count = SendMessageW(list_of(dialog), LB_GETCOUNT, 0, 0);
        fs::remove(history() / snapshot_name(at("20261207-235800")));
        for (const int index : {4, 0, 3, 1, 2}) pick(dialog, index), lines.push_back(line(dialog, index));
        fs::remove(history() / snapshot_name(at("20261207-235700")));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // gone since it was read: nothing is restored
        EXPECT_TRUE(wait_until([&] { return preview_of(dialog).starts_with(to_wide(UNREADABLE_VERSION_TEXT)); }));
        lines.push_back(line(dialog, 2));
    });
    EXPECT_EQ(count, 2005);
    EXPECT_FALSE(fs::exists(history() / "memo-20261207-235959.txt.12-3.tmp"));  // a killed write's, swept at start
    // Of the huge one only the start is read at once, the rest a piece at a time: NUL
    // bytes or bytes not UTF-8 beyond what the preview shows make a version unreadable
    // before a restore is offered.
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"- 2026-12-07 23:55:00 · 64.0 KB · 읽을 수 없는 파일",
                                                L"+ 2026-12-07 23:59:00 · 0 B",
                                                L"- 2026-12-07 23:56:00 · 100 MB · 읽을 수 없는 파일",
                                                L"- 2026-12-07 23:58:00 · 16 B · 읽을 수 없는 파일",
                                                L"+ 2026-12-07 23:57:00 · 30 B · 읽기 전에 사라질 파일",
                                                L"- 2026-12-07 23:57:00 · 30 B · 읽을 수 없는 파일"}));
    EXPECT_EQ(status(), L"");
    EXPECT_EQ(window_text(state().memo_edit()), L"그대로");
}

// memo.txt's earlier text is kept before memo.txt is replaced: a kill at any moment of
// a save leaves it either in memo.txt or among the versions. The fake notes what the
// disk holds just after each step, which is what a kill there would leave.
TEST_F(MemoHistoryTest, AKillAtEitherStepOfASaveLeavesTheEarlierText) {
    struct Left {
        std::string memo;
        std::vector<std::string> versions;
    };
    // Shared with the fake, which the window still calls as it closes after the test.
    const auto at_kill = std::make_shared<std::map<std::string, Left>>();
    const auto note = [this, at_kill](const std::string& step) {
        (*at_kill)[step] = {read(local_app_data / "Numvora" / "memo.txt"), versions()};
    };
    calls.write.link_file = [note](const std::string& source, const std::string& target) {
        auto linked = file_primitives::hard_link(source, target);
        note("the snapshot made");
        return linked;
    };
    calls.write.replace_file = [note](const std::string& source, const std::string& target) {
        auto replaced = file_primitives::replace_file(source, target);
        if (target.ends_with("\\memo.txt")) note("memo.txt replaced");
        return replaced;
    };
    write_data_file("memo.txt", "처음");
    open_window();
    ASSERT_NE(window, nullptr);
    type_memo(L"새 메모");
    tick();
    const struct {
        const char* step;
        const char* memo;
        std::vector<std::string> versions;
    } rows[] = {
        {"the snapshot made", "처음", {"100000=처음"}},
        {"memo.txt replaced", "새 메모", {"100000=처음"}},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(at_kill->count(row.step)) << row.step;
        EXPECT_EQ(at_kill->at(row.step).memo, row.memo) << row.step;
        EXPECT_EQ(at_kill->at(row.step).versions, row.versions) << row.step;
    }
}

// A save that finds the disk full gives up older versions, oldest first, never the
// earlier text of the memo, and succeeds; only when nothing more can go does it fail.
// The disk is full while the history holds more than a number of files.
TEST_F(MemoHistoryTest, AFullDiskGivesUpOlderVersionsBeforeTheSave) {
    const struct {
        std::size_t room_at;            // the most files the history may hold for the save to fit
        std::vector<std::string> left;  // the versions, oldest first: "HHMMSS"
        const char* memo;
        std::wstring status;
    } rows[] = {
        {4, {"050000", "060000", "070000", "100000"}, "새 메모", L"공간이 부족해 이전 버전 4개를 지웠습니다"},
        {0, {"100000"}, "예전 메모", to_wide(trouble_mark(Trouble::MemoNotSaved))},
    };
    for (const auto& row : rows) {
        reset();
        write_data_file("memo.txt", "예전 메모");
        for (const char* time : {"010000", "020000", "030000", "040000", "050000", "060000", "070000"})
            put_version((std::string("20261207-") + time).c_str(), time);
        const auto full = [this, room_at = row.room_at] {
            return static_cast<std::size_t>(std::distance(fs::directory_iterator(history()), {})) > room_at;
        };
        calls.write.write_some = [full](const file_primitives::OpenFile& file, const char* data, std::size_t size) {
            if (full()) return StorageResult<std::size_t>(fail(make_os_error(ERROR_DISK_FULL)));
            return file_primitives::write_some(file, data, size);
        };
        calls.write.free_space = [full](const std::string&) -> StorageResult<std::uint64_t> {
            return full() ? 0 : std::uint64_t{1} << 30;
        };
        open_window();
        ASSERT_NE(window, nullptr);
        CapturedErrors errors;
        type_memo(L"새 메모");
        tick();
        std::vector<std::string> left;
        for (const std::string& version : versions()) left.push_back(version.substr(0, 6));
        EXPECT_EQ(left, row.left);
        EXPECT_EQ(read(local_app_data / "Numvora" / "memo.txt"), row.memo);
        EXPECT_EQ(status().rfind(row.status, 0), 0u) << status();
        EXPECT_EQ(versions().back(), "100000=예전 메모");  // the earlier text stays
        if (row.room_at == 0) {                            // closing asks whether to lose the memo
            EXPECT_EQ(answer_boxes([&] { SendMessageW(window, WM_CLOSE, 0, 0); }, {{IDYES, nullptr}}).size(), 1u);
            EXPECT_TRUE(run_message_loop());
            window = nullptr;
        }
    }
}

// Every text a control is given, in order.
LRESULT CALLBACK record_texts(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR texts) {
    if (message == WM_SETTEXT && lparam != 0)
        reinterpret_cast<std::vector<std::wstring>*>(texts)->emplace_back(reinterpret_cast<const wchar_t*>(lparam));
    return DefSubclassProc(control, message, wparam, lparam);
}

// A large version is restored only when the user agrees, and the status line says so
// while the restore goes on. (This Wine's memo takes minutes to take 8 MiB, so the memo
// here cannot be kept and the restore stops there; a small one is restored above.)
TEST_F(MemoHistoryTest, ALargeVersionAsksBeforeItIsRestored) {
    std::string large;
    while (large.size() <= LARGE_VERSION_BYTES) large += std::string(62, 'x') + "\r\n";
    put_version("20261207-090000", large);
    write_data_file("memo.txt", "지금");
    calls.write = refusing_history(std::make_shared<std::atomic<bool>>(true));
    open_window();
    ASSERT_NE(window, nullptr);
    type_memo(L"지금 고친 메모");
    std::vector<std::wstring> said;
    SetWindowSubclass(state().status_label(), record_texts, 1, reinterpret_cast<DWORD_PTR>(&said));
    const std::wstring restoring = to_wide(RESTORING_TEXT);
    for (const int answer : {IDCANCEL, IDOK}) {
        said.clear();
        const std::vector<ErrorBox> boxes = answer_boxes(
            [&] { SendMessageW(window, WM_SYSCOMMAND, ids::MEMO_VERSIONS, 0); },
            {{IDOK, [](HWND dialog) { pick(dialog, 0); }},
             {answer, nullptr},
             {IDCANCEL, [&](HWND dialog) {
                  if (answer == IDOK) {
                      EXPECT_TRUE(wait_until([&] { return preview_of(dialog).starts_with(L"현재 메모를 보관하지"); }));
                  }
              }}});
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[1].text, to_wide(large_version_question(large.size())));
        EXPECT_EQ(std::any_of(said.begin(), said.end(),
                              [&](const std::wstring& text) { return text.find(restoring) != std::wstring::npos; }),
                  answer == IDOK);
    }
    RemoveWindowSubclass(state().status_label(), record_texts, 1);
    EXPECT_EQ(window_text(state().memo_edit()), L"지금 고친 메모");
    EXPECT_EQ(status().find(restoring), std::wstring::npos);
}

}  // namespace
}  // namespace numvora::testing
