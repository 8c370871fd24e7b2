// A seeded run of random user actions against one window: no crash, no unexpected
// box, GDI and USER objects and private bytes flat after warm-up, and memo.txt at every
// moment a complete earlier or current memo. NUMVORA_STRESS_ACTIONS sets the length
// (10,000 by default; the long run uses 100,000), NUMVORA_STRESS_SEED the seed.
#include <windows.h>

#include <gtest/gtest.h>

#include <commdlg.h>
#include <richedit.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "common/win32/wide_text.h"
#include "platform/windows/services/file_dialog.h"
#include "ui/keypad_buttons.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

unsigned long setting(const char* name, unsigned long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtoul(value, nullptr, 10) : fallback;
}

// The stand-in dialogs answer with the next path the run chose, or cancel.
class StandInDialogs : public FileDialogCalls {
public:
    BOOL save(OPENFILENAMEW* record) override { return answer(record); }
    BOOL open(OPENFILENAMEW* record) override { return answer(record); }

    std::wstring next_document;

private:
    BOOL answer(OPENFILENAMEW* record) const {
        if (next_document.empty()) return FALSE;
        next_document.copy(record->lpstrFile, record->nMaxFile - 1);
        record->lpstrFile[next_document.size()] = L'\0';
        return TRUE;
    }
};

// Closes any message box that comes up on the window's thread, and counts it.
class BoxWatch {
public:
    explicit BoxWatch(DWORD thread)
        : watcher_([this, thread] {
              while (!stop_) {
                  EnumThreadWindows(thread, close_box, reinterpret_cast<LPARAM>(this));
                  Sleep(50);
              }
          }) {}
    ~BoxWatch() {
        stop_ = true;
        watcher_.join();
    }
    int boxes() const { return boxes_; }

private:
    static BOOL CALLBACK close_box(HWND candidate, LPARAM self) {
        wchar_t class_name[16] = {};
        GetClassNameW(candidate, class_name, 16);
        if (std::wstring_view(class_name) != L"#32770" || !IsWindowVisible(candidate)) return TRUE;
        ++reinterpret_cast<BoxWatch*>(self)->boxes_;
        PostMessageW(candidate, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    std::atomic<bool> stop_ = false;
    std::atomic<int> boxes_ = 0;
    std::thread watcher_;
};

struct Usage {
    long gdi;
    long windows;
    std::size_t bytes;
};

Usage usage() { return {gdi_objects_in_use(), windows_in_use(), private_bytes()}; }

// Texts a memo selection or a typed line may hold, the awkward ones among them.
const std::wstring PIECES[] = {
    L"1,234.50",
    L"(1 + 2)",
    L"2x3",
    L"   ",
    L"합계: 12,500원\r",
    L"\xD800",
    L"\xDFFF"
    L"5",
    L"\U0001F600",
    L"(((((((((((((((((((1)))))))))))))))))))",
    L"12345678901234567890",
    L"-.5",
    L"1/0",
    L"(8 ÷ 2 − 1)",
    std::wstring(3000, L'('),
    std::wstring(2000, L'9'),
    L"\r\r\r",
    L"가나다 라마바",
};

using StressTest = MainWindowTest;

TEST_F(StressTest, RandomActionsLeaveTheWindowWhole) {
    const unsigned long actions = setting("NUMVORA_STRESS_ACTIONS", 10'000);
    const unsigned long seed = setting("NUMVORA_STRESS_SEED", 20261207);
    const auto dialogs = std::make_shared<StandInDialogs>();
    calls.dialogs = dialogs;
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    const fs::path memo_file = local_app_data / "Numvora" / "memo.txt";
    std::mt19937 rng(seed);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const auto command = [&](int id, int code = 0) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code), 0); };

    // Every memo that may have reached the disk, as a hash.
    std::set<std::size_t> memos{std::hash<std::string>{}("")};
    const auto note_memo = [&] { memos.insert(std::hash<std::string>{}(to_utf8(window_text(s.memo_edit())))); };
    std::size_t files_checked = 0;
    const auto check_memo_file = [&] {
        std::ifstream in(memo_file, std::ios::binary);
        if (!in) return;
        const std::string on_disk{std::istreambuf_iterator<char>(in), {}};
        ++files_checked;
        ASSERT_TRUE(memos.count(std::hash<std::string>{}(on_disk))) << "memo.txt holds no memo the window had";
    };
    const fs::path documents = local_app_data / "documents";
    fs::create_directories(documents);
    std::ofstream(documents / "broken.qvx", std::ios::binary) << "format=Quorvex\nversion=1\nmemo=zz\n";

    const std::vector<std::function<void()>> steps = {
        [&] { command(KEYPAD_BUTTONS[pick(KEYPAD_BUTTONS.size())].control_id); },
        [&] { SendMessageW(s.expression_edit(), WM_CHAR, L"0123456789+-*/%().,x "[pick(21)], 1); },
        [&] { command(ids::CALCULATE); },
        [&] { command(pick(2) == 0 ? ids::CLEAR_EXPRESSION : ids::DELETE_BEFORE_CARET); },
        [&] {
            const std::int32_t carries[] = {ids::RESULT_TO_MEMO, ids::EXPRESSION_RESULT_TO_MEMO, ids::COPY_RESULT,
                                            ids::COPY_EXPRESSION_RESULT};
            command(carries[pick(std::size(carries))]);
        },
        [&] {  // typing into the memo, kept to a size this Wine's rich edit handles briskly
            if (GetWindowTextLengthW(s.memo_edit()) > 20'000) type_into(s.memo_edit(), L"");
            const LONG length = GetWindowTextLengthW(s.memo_edit());
            CHARRANGE at{static_cast<LONG>(pick(length + 1)), static_cast<LONG>(pick(length + 1))};
            SendMessageW(s.memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&at));
            const std::wstring& piece = PIECES[pick(std::size(PIECES))];
            SendMessageW(s.memo_edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(piece.c_str()));
        },
        [&] {  // selecting, huge and malformed selections included
            const LONG length = GetWindowTextLengthW(s.memo_edit());
            CHARRANGE range{static_cast<LONG>(pick(length + 1)), static_cast<LONG>(pick(length + 1))};
            if (pick(4) == 0) range = {0, -1};
            SendMessageW(s.memo_edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
            SendMessageW(window, WM_TIMER, 1, 0);
        },
        [&] {
            command(CONTROL_ROWS[control_row_index(ControlSlot::OperationButton, pick(OPERATION_BUTTON_COUNT))].id);
        },
        [&] {
            SendMessageW(s.history_list(), LB_SETCURSEL, pick(25) - 1, 0);
            command(ids::HISTORY_LIST, LBN_DBLCLK);
        },
        [&] { command(ids::CLEAR_HISTORY); },
        [&] {
            SendMessageW(s.thousands_checkbox(), BM_SETCHECK, pick(2) == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            command(ids::THOUSANDS);
        },
        [&] { command(pick(2) == 0 ? ids::DARK_MODE : ids::SIDE); },
        [&] {  // a document saved, opened, or the dialog cancelled
            const std::size_t choice = pick(4);
            dialogs->next_document = choice == 0   ? std::wstring()
                                     : choice == 3 ? (documents / "broken.qvx").wstring()
                                                   : (documents / ("doc" + std::to_string(pick(3)) + ".qvx")).wstring();
            note_memo();  // a save writes memo.txt too
            command(pick(2) == 0 ? ids::SAVE : ids::LOAD);
        },
        [&] {
            SetWindowPos(window, nullptr, 0, 0, 760 + static_cast<int>(pick(500)), 720 + static_cast<int>(pick(300)),
                         SWP_NOZORDER | SWP_NOMOVE);
        },
        [&] {
            RECT suggested{0, 0, 800 + static_cast<LONG>(pick(400)), 740 + static_cast<LONG>(pick(200))};
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
        },
        [&] {
            note_memo();
            SendMessageW(window, WM_TIMER, 2, 0);
            check_memo_file();
        },
    };

    BoxWatch boxes(GetCurrentThreadId());
    Usage warm{};
    std::vector<Usage> later;
    for (unsigned long i = 0; i < actions; ++i) {
        steps[pick(steps.size())]();
        if (HasFatalFailure()) return;
        if (i % 64 == 0) pump();
        if (i == actions / 5) warm = usage();
        if (i > actions / 5 && i % (actions / 20 + 1) == 0) later.push_back(usage());
    }
    pump();
    const Usage end = usage();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(boxes.boxes(), 0) << "a message box came up";
    EXPECT_GT(files_checked, 0u);
    for (const Usage& u : later) {
        EXPECT_LE(u.gdi, warm.gdi + 20) << "GDI objects grow";  // Wine's caches move a few
        EXPECT_EQ(u.windows, warm.windows) << "windows grow";
    }
    // The history, the clipboard and the rich edit's undo keep some memory; a leak of
    // the window's own would grow with the run.
    EXPECT_LT(end.bytes, warm.bytes + 32u * 1024 * 1024);
    std::printf(
        "%lu actions, seed %lu: GDI objects %ld -> %ld, windows %ld -> %ld, private bytes %.1f -> %.1f MiB, "
        "memo.txt checked %zu times\n",
        actions, seed, warm.gdi, end.gdi, warm.windows, end.windows, warm.bytes / 1048576.0, end.bytes / 1048576.0,
        files_checked);
}

}  // namespace
}  // namespace numvora::testing
