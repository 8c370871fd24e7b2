// Numvora.exe as a user starts it: its own process, its window found by class and
// title, closed with WM_CLOSE. A fresh LOCALAPPDATA keeps the user's data out of it.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "e2e/build_paths.h"
#include "support/wait_until.h"
#include "ui/commands.h"

namespace {

constexpr wchar_t MAIN_CLASS[] = L"Numvora.MainWindow";
constexpr wchar_t MAIN_TITLE[] = L"Quorvex v.0.0.2 — 메모장 + 계산기";
constexpr ULONGLONG WINDOW_TIMEOUT_MS = 30000;
constexpr DWORD EXIT_TIMEOUT_MS = 30000;

using numvora::e2e::program_path;
using numvora::e2e::windows_path;
using numvora::testing::wait_until;

void remove_folder(const std::filesystem::path& folder) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
        if (!error) return;
        Sleep(50);
    }
}

// One folder per test run: under Wine the standard-error file of an ended child can
// stay open in the server for the rest of the session, so removal may give up and a
// folder is not shared between cases.
std::filesystem::path fresh_folder(const std::string& test_name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    std::filesystem::path folder =
        std::filesystem::path(temp) / ("numvora-e2e-" + test_name + "-" + std::to_string(GetCurrentProcessId()));
    remove_folder(folder);  // Wine reuses process ids: a leftover of an earlier run
    std::error_code ignored;
    std::filesystem::create_directories(folder / "appdata", ignored);
    return folder;
}

HANDLE open_inheritable(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// One launched Numvora.exe; a test that fails half-way still ends it.
class Launched {
public:
    Launched(const std::filesystem::path& app_data, const std::filesystem::path& stderr_file,
             const std::wstring& path = program_path(), const std::wstring& arguments = L"") {
        SetEnvironmentVariableW(L"LOCALAPPDATA", app_data.c_str());
        HANDLE null_device = open_inheritable(L"NUL", GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
        HANDLE error_output = open_inheritable(stderr_file, GENERIC_WRITE, CREATE_ALWAYS);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = null_device;
        startup.hStdOutput = null_device;
        startup.hStdError = error_output;
        std::wstring command_line = L"\"" + path + L"\" " + arguments;
        PROCESS_INFORMATION info{};
        if (error_output != INVALID_HANDLE_VALUE && CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr,
                                                                   TRUE, 0, nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
        if (null_device != INVALID_HANDLE_VALUE) CloseHandle(null_device);
        if (error_output != INVALID_HANDLE_VALUE) CloseHandle(error_output);
    }
    ~Launched() {
        if (process_ == nullptr) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, EXIT_TIMEOUT_MS);
        }
        CloseHandle(process_);
    }
    Launched(const Launched&) = delete;
    Launched& operator=(const Launched&) = delete;

    bool started() const { return process_ != nullptr; }

    // Ends the program with no warning, as a crash or a power cut would.
    void kill() const {
        TerminateProcess(process_, 9);
        WaitForSingleObject(process_, EXIT_TIMEOUT_MS);
    }

    // Its main window once it is visible, or null when the process ends or time runs out.
    HWND wait_for_main_window() const {
        const ULONGLONG deadline = GetTickCount64() + WINDOW_TIMEOUT_MS;
        while (GetTickCount64() < deadline) {
            HWND window = own_window(MAIN_CLASS, MAIN_TITLE);
            if (window != nullptr && IsWindowVisible(window)) return window;
            if (WaitForSingleObject(process_, 20) != WAIT_TIMEOUT) return nullptr;
        }
        return nullptr;
    }

    // A top-level window of this process, hidden ones too; null for none.
    HWND own_window(const wchar_t* window_class, const wchar_t* title = nullptr) const {
        for (HWND w = FindWindowExW(nullptr, nullptr, window_class, title); w != nullptr;
             w = FindWindowExW(nullptr, w, window_class, title)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == GetProcessId(process_)) return w;
        }
        return nullptr;
    }

    // Every thread of the process held, or let go again: a window that answers nothing.
    void hold(bool held) const {
        const HANDLE threads = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(threads, &entry); more; more = Thread32Next(threads, &entry)) {
            if (entry.th32OwnerProcessID != GetProcessId(process_)) continue;
            const HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
            if (held) {
                SuspendThread(thread);
            } else {
                ResumeThread(thread);
            }
            CloseHandle(thread);
        }
        CloseHandle(threads);
    }

    // The exit code, or -1 when the process did not end in time.
    long long wait_for_exit() const {
        DWORD code = 0;
        if (WaitForSingleObject(process_, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0 || !GetExitCodeProcess(process_, &code))
            return -1;
        return code;
    }

private:
    HANDLE process_ = nullptr;
};

std::string read_all(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts Numvora.exe, closes its window with WM_CLOSE, and checks a clean, quiet end.
void launch_and_close(const std::filesystem::path& app_data, const std::filesystem::path& stderr_file) {
    Launched program(app_data, stderr_file);
    ASSERT_TRUE(program.started()) << "CreateProcessW failed, error " << GetLastError();
    HWND window = program.wait_for_main_window();
    ASSERT_NE(window, nullptr) << "no visible main window; standard error:\n" << read_all(stderr_file);
    ASSERT_NE(PostMessageW(window, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(program.wait_for_exit(), 0);
    EXPECT_EQ(read_all(stderr_file), "");
}

class LaunchTest : public ::testing::Test {
protected:
    void SetUp() override { folder_ = fresh_folder(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
    void TearDown() override { remove_folder(folder_); }
    std::filesystem::path folder_;
};

TEST_F(LaunchTest, OpensItsWindowAndEndsCleanlyOnClose) {
    launch_and_close(folder_ / "appdata", folder_ / "stderr-1.txt");
}

struct DialogSearch {
    DWORD process_id;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK match_dialog(HWND candidate, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(candidate, &owner);
    wchar_t class_name[16] = {};
    wchar_t title[64] = {};
    GetClassNameW(candidate, class_name, 16);
    GetWindowTextW(candidate, title, 64);
    if (owner == search->process_id && IsWindowVisible(candidate) && std::wstring_view(class_name) == L"#32770" &&
        std::wstring_view(title) == search->title) {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

HWND wait_for_dialog(HWND main_window, const wchar_t* title) {
    DialogSearch search{0, title, nullptr};
    GetWindowThreadProcessId(main_window, &search.process_id);
    wait_until([&] {
        EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

// The file name box of a standard file dialog: the edit inside the file name combo box
// (id 0x47C, nested in a ComboBoxEx under Wine), or the plain edit 0x480.
BOOL CALLBACK match_file_name_box(HWND child, LPARAM found) {
    wchar_t class_name[16] = {};
    GetClassNameW(child, class_name, 16);
    const int id = GetDlgCtrlID(child);
    if (_wcsicmp(class_name, L"Edit") != 0 || (id != 0x47C && id != 0x480)) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Waited for: the dialog can show before its children are all there.
HWND file_name_box(HWND dialog) {
    HWND box = nullptr;
    wait_until([&] {
        EnumChildWindows(dialog, match_file_name_box, reinterpret_cast<LPARAM>(&box));
        return box != nullptr;
    });
    return box;
}

// Types the path into the dialog's file name box and presses its OK button, as a person would.
void answer_dialog(HWND main_window, const wchar_t* title, const std::filesystem::path& path) {
    HWND dialog = wait_for_dialog(main_window, title);
    ASSERT_NE(dialog, nullptr) << "no dialog titled as expected";
    HWND box = file_name_box(dialog);
    ASSERT_NE(box, nullptr);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

std::wstring text_of(HWND control) {
    wchar_t text[256] = {};
    SendMessageW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    return text;
}

// The second start shows what the first one saved at close: the memo typed, and the
// calculator on the side it was moved to.
TEST_F(LaunchTest, StartsAgainOnItsOwnSavedData) {
    const std::wstring memo = L"다시 열 메모\r\n점심 12,000원";
    for (const int run : {1, 2}) {
        const std::filesystem::path error_file = folder_ / ("stderr-" + std::to_string(run) + ".txt");
        Launched program(folder_ / "appdata", error_file);
        ASSERT_TRUE(program.started());
        HWND window = program.wait_for_main_window();
        ASSERT_NE(window, nullptr) << "run " << run << "; standard error:\n" << read_all(error_file);
        HWND memo_edit = GetDlgItem(window, numvora::ids::MEMO_EDIT);
        HWND side = GetDlgItem(window, numvora::ids::SIDE);
        if (run == 1) {
            EXPECT_TRUE(wait_until([&] { return text_of(side) == L"계산기 → 오른쪽"; })) << text_of(side);
            SendMessageW(memo_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(memo.c_str()));
            SendMessageW(window, WM_COMMAND, numvora::ids::SIDE, 0);
        } else {
            EXPECT_TRUE(wait_until([&] { return text_of(memo_edit) == memo; })) << text_of(memo_edit);
            EXPECT_TRUE(wait_until([&] { return text_of(side) == L"계산기 ← 왼쪽"; })) << text_of(side);
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.wait_for_exit(), 0) << "run " << run;
        EXPECT_EQ(read_all(error_file), "") << "run " << run;
    }
}

// The real save and open dialogs, driven from outside the process.
TEST_F(LaunchTest, SavesAndOpensADocumentThroughTheRealDialogs) {
    Launched program(folder_ / "appdata", folder_ / "stderr.txt");
    ASSERT_TRUE(program.started());
    HWND window = program.wait_for_main_window();
    ASSERT_NE(window, nullptr);
    HWND memo = GetDlgItem(window, numvora::ids::MEMO_EDIT);
    HWND status = GetWindow(GetDlgItem(window, numvora::ids::MEMO_EDIT), GW_HWNDNEXT);  // under the memo
    SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"문서에 담을 메모"));
    const std::filesystem::path document = folder_ / "saved.qvx";
    // The first selection check empties the status line: made here, it cannot come after
    // the save and take its line away, however late the timer is.
    SendMessageW(window, WM_TIMER, 1, 0);

    PostMessageW(window, WM_COMMAND, numvora::ids::SAVE, 0);
    answer_dialog(window, L"Quorvex 문서 저장", document);
    ASSERT_TRUE(wait_until([&] { return text_of(status) == L"saved.qvx 파일로 저장했습니다."; }));
    EXPECT_NE(read_all(document).find("memo="), std::string::npos);

    SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"바뀐 메모"));
    PostMessageW(window, WM_COMMAND, numvora::ids::LOAD, 0);
    answer_dialog(window, L"Quorvex 문서 불러오기", document);
    // The load message stays only until the next selection check, so it is not waited for.
    EXPECT_TRUE(wait_until([&] { return text_of(memo) == L"문서에 담을 메모"; }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.wait_for_exit(), 0);
}

// A Msftedit.dll planted beside the program (a downloads folder is the classic place)
// must never be loaded: the window still opens, from the system's library.
TEST_F(LaunchTest, APlantedLibraryBesideTheProgramIsNeverLoaded) {
    const std::filesystem::path downloads = folder_ / "downloads";
    std::filesystem::create_directories(downloads);
    std::filesystem::copy_file(program_path(), downloads / "Numvora.exe");
    std::filesystem::copy_file(windows_path(L"" NUMVORA_PLANTED_DLL_PATH), downloads / "Msftedit.dll");
    Launched program(folder_ / "appdata", folder_ / "stderr.txt", (downloads / "Numvora.exe").wstring());
    ASSERT_TRUE(program.started());
    HWND window = program.wait_for_main_window();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.wait_for_exit(), 0);
    EXPECT_FALSE(std::filesystem::exists(downloads / "Msftedit.dll.loaded"));
}

std::vector<std::string> temporaries(const std::filesystem::path& folder) {
    std::vector<std::string> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        if (entry.path().extension() == ".tmp") found.push_back(entry.path().filename().string());
    return found;
}

// The texts of the history folder's files.
std::set<std::string> history_texts(const std::filesystem::path& data) {
    std::set<std::string> texts;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(data / "history", ignored))
        if (entry.path().extension() == ".txt") texts.insert(read_all(entry.path()));
    return texts;
}

// One window per data folder: a second start fronts the first, hands it its document
// and ends without a window; a copy with a data folder of its own is a program of its own.
TEST_F(LaunchTest, ASecondStartFrontsTheFirstAndHandsItsDocumentOver) {
    const std::filesystem::path document = folder_ / L"두 번째.qvx";
    std::string hex;
    for (const unsigned char c : std::string("넘겨받은 메모 3,000원")) {
        hex += "0123456789ABCDEF"[c >> 4];
        hex += "0123456789ABCDEF"[c & 15];
    }
    std::ofstream(document, std::ios::binary) << "format=Quorvex\nversion=1\nmemo=" << hex << "\n";
    Launched first(folder_ / "appdata", folder_ / "stderr-1.txt");
    const HWND window = first.wait_for_main_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = GetDlgItem(window, numvora::ids::MEMO_EDIT);
    SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"건네기 전 메모"));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(wait_until([&] { return IsIconic(window) != FALSE; }));  // or the restore below would prove nothing
    Launched second(folder_ / "appdata", folder_ / "stderr-2.txt", program_path(), L"\"" + document.wstring() + L"\"");
    EXPECT_EQ(second.wait_for_exit(), 0);
    EXPECT_EQ(second.own_window(MAIN_CLASS), nullptr);
    EXPECT_TRUE(wait_until([&] { return text_of(memo) == L"넘겨받은 메모 3,000원"; }));
    EXPECT_TRUE(wait_until([&] { return !IsIconic(window); }));
    EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == window; })) << GetForegroundWindow();
    // The handed document is one undo step too.
    PostMessageW(window, WM_COMMAND, numvora::ids::MEMO_UNDO, 0);
    EXPECT_TRUE(wait_until([&] { return text_of(memo) == L"건네기 전 메모"; })) << text_of(memo);

    Launched other(folder_ / "other-appdata", folder_ / "stderr-3.txt");
    const HWND own = other.wait_for_main_window();
    EXPECT_NE(own, nullptr);
    for (const HWND w : {window, own}) PostMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.wait_for_exit(), 0);
    EXPECT_EQ(other.wait_for_exit(), 0);
    EXPECT_EQ(read_all(folder_ / "stderr-2.txt"), "");
}

// A running window that does not answer within 5 s: the second start says so in a box
// and opens no second window on the same data.
TEST_F(LaunchTest, ASecondStartSaysSoWhenTheFirstDoesNotAnswer) {
    Launched first(folder_ / "appdata", folder_ / "stderr-1.txt");
    const HWND window = first.wait_for_main_window();
    ASSERT_NE(window, nullptr);
    first.hold(true);
    Launched second(folder_ / "appdata", folder_ / "stderr-2.txt");
    // The box is found as soon as it is made, before its children are made and given
    // their text: the text is waited for.
    HWND box = nullptr;
    std::wstring said;
    EXPECT_TRUE(wait_until([&] {
        box = second.own_window(L"#32770");
        if (box == nullptr) return false;
        said.clear();
        EnumChildWindows(
            box, [](HWND child, LPARAM text) { return *reinterpret_cast<std::wstring*>(text) += text_of(child), TRUE; },
            reinterpret_cast<LPARAM>(&said));
        return said.find(L"5초 안에 응답하지 않았습니다") != std::wstring::npos;
    })) << "the box said: "
        << said;
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.wait_for_exit(), 1);
    EXPECT_EQ(second.own_window(MAIN_CLASS), nullptr);
    first.hold(false);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.wait_for_exit(), 0);
}

// Killed at random moments while it saves a changing memo, the program leaves memo.txt
// as a complete memo it had, never without the text it held before (kept among the
// versions before memo.txt is replaced), and its next start sweeps what the kill left
// behind. NUMVORA_KILL_RUNS sets the number of kills (20 in the test run).
TEST_F(LaunchTest, AKillDuringAutoSavesLeavesACompleteMemo) {
    const char* setting = std::getenv("NUMVORA_KILL_RUNS");
    const int runs = setting != nullptr ? std::atoi(setting) : 20;
    const std::filesystem::path data = folder_ / "appdata" / "Numvora";
    std::set<std::string> memos{""};
    std::mt19937 rng(42);
    int caught_mid_write = 0;
    int replaced = 0;
    for (int run = 0; run < runs; ++run) {
        const std::string before = read_all(data / "memo.txt");
        Launched program(folder_ / "appdata", folder_ / "stderr.txt");
        ASSERT_TRUE(program.started());
        HWND window = program.wait_for_main_window();
        ASSERT_NE(window, nullptr) << "run " << run;
        EXPECT_TRUE(wait_until([&] { return temporaries(data).empty(); }))
            << "the start did not sweep run " << run - 1 << "'s leftovers";
        // 40,000 characters in lines: a write that takes a moment, a text this Wine's rich edit
        // takes quickly.
        std::string memo = "kill run " + std::to_string(run) + "\r\n";
        while (memo.size() < 40000)
            memo += "0123456789 abcdefghijklmnopqrstuvwxyz " + std::to_string(memo.size()) + "\r\n";
        memos.insert(memo);
        const std::wstring wide(memo.begin(), memo.end());
        HWND memo_edit = GetDlgItem(window, numvora::ids::MEMO_EDIT);
        SendMessageW(memo_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        SendMessageW(memo_edit, EM_SETMODIFY, TRUE, 0);
        PostMessageW(window, WM_TIMER, 2, 0);
        Sleep(static_cast<DWORD>(rng() % 25));
        program.kill();
        caught_mid_write += temporaries(data).empty() ? 0 : 1;
        std::ifstream in(data / "memo.txt", std::ios::binary);
        if (in) {
            const std::string on_disk{std::istreambuf_iterator<char>(in), {}};
            ASSERT_TRUE(memos.count(on_disk)) << "run " << run << ": memo.txt is torn (" << on_disk.size() << " bytes)";
            if (on_disk != before) {
                ++replaced;
                EXPECT_TRUE(before.empty() || history_texts(data).count(before))
                    << "run " << run << ": the text memo.txt held before is lost";
            }
        }
    }
    Launched last(folder_ / "appdata", folder_ / "stderr.txt");
    HWND window = last.wait_for_main_window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(wait_until([&] { return temporaries(data).empty(); }));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(last.wait_for_exit(), 0);
    std::printf("%d kills, %d of them during a write (a temporary file left behind), %d after memo.txt was replaced\n",
                runs, caught_mid_write, replaced);
}

}  // namespace
