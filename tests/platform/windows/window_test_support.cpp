#include "window_test_support.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include <fstream>
#include <map>
#include <thread>

#include "platform/windows/app/app_entry.h"
#include "platform/windows/app/message_loop.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "support/wait_until.h"

namespace numvora::testing {
namespace {

HINSTANCE prepared_instance() {
    static const HINSTANCE instance = [] {
        auto prepared = prepare_process();
        return prepared ? prepared.value() : nullptr;
    }();
    return instance;
}

std::map<HWND, WNDPROC>& original_procs() {
    static std::map<HWND, WNDPROC> procs;
    return procs;
}

LRESULT CALLBACK recording_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND || message == WM_KEYDOWN || message == WM_CHAR) {
        delivered().push_back({hwnd, message, wparam});
    }
    return CallWindowProcW(original_procs()[hwnd], hwnd, message, wparam, lparam);
}

struct BoxSearch {
    HWND box = nullptr;
    HWND answered = nullptr;  // the last one answered, which may still be closing or stay open under a new one
};

BOOL CALLBACK find_box(HWND candidate, LPARAM search) {
    wchar_t class_name[16] = {};
    GetClassNameW(candidate, class_name, 16);
    auto* found = reinterpret_cast<BoxSearch*>(search);
    if (std::wstring_view(class_name) != L"#32770" || !IsWindowVisible(candidate) || candidate == found->answered)
        return TRUE;
    found->box = candidate;
    return FALSE;
}

BOOL CALLBACK collect_static_text(HWND child, LPARAM text) {
    wchar_t class_name[16] = {};
    GetClassNameW(child, class_name, 16);
    if (_wcsicmp(class_name, L"Static") == 0) *reinterpret_cast<std::wstring*>(text) += window_text(child);
    return TRUE;
}

}  // namespace

std::vector<ErrorBox> answer_boxes(const std::function<void()>& action, std::vector<BoxAnswer> answers) {
    std::vector<ErrorBox> seen;
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> acted = false;
    std::thread answerer([&] {
        HWND previous = nullptr;
        for (const BoxAnswer& answer : answers) {
            BoxSearch search{nullptr, previous};
            // Boxes are modal: once the action has returned, none is open and none will come.
            // Read before the search, so that a box shown just before the return is found.
            wait_until([&] {
                const bool over = acted;
                EnumThreadWindows(thread, find_box, reinterpret_cast<LPARAM>(&search));
                return search.box != nullptr || over;
            });
            if (search.box == nullptr) return;
            ErrorBox box{window_text(search.box), {}};
            EnumChildWindows(search.box, collect_static_text, reinterpret_cast<LPARAM>(&box.text));
            if (answer.while_open) answer.while_open(search.box);
            box.open_when_answered = IsWindow(search.box) != FALSE;
            seen.push_back(std::move(box));
            PostMessageW(search.box, WM_COMMAND, static_cast<WPARAM>(answer.button), 0);
            previous = search.box;
        }
    });
    action();
    acted = true;
    answerer.join();
    return seen;
}

ErrorBox answer_next_error_box(const std::function<void()>& action) {
    std::vector<ErrorBox> boxes = answer_boxes(action, {BoxAnswer{}});
    return boxes.empty() ? ErrorBox{} : boxes.front();
}

long gdi_objects_in_use() {
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); reported != 0) return reported;
    // A handle's low 16 bits are its slot in the table. New objects take every free slot
    // before a fresh one, so once PROBES of them exist the highest slot is the number in
    // use plus PROBES plus a constant.
    constexpr int PROBES = 2048;
    std::vector<HBRUSH> probes;
    long highest = 0;
    for (int i = 0; i < PROBES; ++i) {
        const HBRUSH probe = CreateSolidBrush(static_cast<COLORREF>(i));
        highest = std::max(highest, static_cast<long>(reinterpret_cast<std::uintptr_t>(probe) & 0xFFFF));
        probes.push_back(probe);
    }
    for (const HBRUSH probe : probes) DeleteObject(probe);
    return highest - PROBES;
}

namespace {

BOOL CALLBACK count_window(HWND window, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(
        window, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<long*>(n) > 0; }, count);
    return TRUE;
}

}  // namespace

long windows_in_use() {
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_window, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::size_t private_bytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    return memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.WorkingSetSize;
}

CapturedErrors::CapturedErrors() {
    static int counter = 0;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::filesystem::path(temp) /
            (L"numvora-stderr-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    file_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    previous_ = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, file_);
}

CapturedErrors::~CapturedErrors() {
    SetStdHandle(STD_ERROR_HANDLE, previous_);
    CloseHandle(file_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

std::vector<std::string> CapturedErrors::lines() const {
    std::ifstream in(path_, std::ios::binary);
    std::vector<std::string> found;
    for (std::string line; std::getline(in, line);) found.push_back(line);
    return found;
}

void MainWindowTest::SetUp() {
    ASSERT_NE(prepared_instance(), nullptr);
    static int counter = 0;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    local_app_data = std::filesystem::path(temp) /
                     (L"numvora-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::remove_all(local_app_data);
    std::filesystem::create_directories(local_app_data / "Numvora");
    // Wine rebuilds LOCALAPPDATA from its registry, so it is set here, in-process.
    SetEnvironmentVariableW(L"LOCALAPPDATA", local_app_data.c_str());
    delivered().clear();
}

void MainWindowTest::TearDown() { close_window_and_folder(); }

void MainWindowTest::reset() {
    close_window_and_folder();
    SetUp();
}

void MainWindowTest::close_window_and_folder() {
    if (window != nullptr && IsWindow(window)) {
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_TRUE(run_message_loop());  // until the quit message of WM_DESTROY
    }
    window = nullptr;
    calls = {};
    original_procs().clear();
    delivered().clear();
    std::error_code ignored;
    std::filesystem::remove_all(local_app_data, ignored);
}

void MainWindowTest::write_data_file(const std::string& name, std::string_view content) const {
    std::ofstream out(local_app_data / "Numvora" / name, std::ios::binary);
    out << content;
}

HWND MainWindowTest::open_window(const StartRequest& request, Memo memo) {
    // One window at a time: one left open would hold the system-wide key for the next test.
    EXPECT_TRUE(window == nullptr || !IsWindow(window));
    auto opened = open_main_window(prepared_instance(), calls, request);
    EXPECT_TRUE(opened.has_value());
    window = opened ? opened.value() : nullptr;
    if (window != nullptr && memo == Memo::Whole) {
        finish_memo_load(state());
        catch_up_memo_notes(state());  // read beside since the start: taken now
    }
    return window;
}

AppState& MainWindowTest::state() const {
    AppState* record = app_state_of(window);
    EXPECT_NE(record, nullptr);
    return *record;
}

void MainWindowTest::pump() {
    // The quit flag is only seen once no posted message is left.
    PostQuitMessage(0);
    EXPECT_TRUE(run_message_loop());
}

std::wstring window_text(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring label_tip(const AppState& state, HWND label) {
    if (state.label_tips == nullptr) return {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = state.main_window;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    std::wstring text(1024, L'\0');
    tool.lpszText = text.data();
    SendMessageW(state.label_tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return text.c_str();
}

void type_into(HWND control, const std::wstring& text) {
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

PixelBox child_box(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void set_client_size(HWND window, int width, int height) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
}

void watch(HWND window) {
    original_procs()[window] =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recording_proc)));
}

std::vector<Delivered>& delivered() {
    static std::vector<Delivered> messages;
    return messages;
}

}  // namespace numvora::testing
