// Start-up cost of a GUI program against a floor program, both started the same way,
// on two clocks stopped in the same run: from CreateProcessW until a top-level window of
// the new process is visible and the process idle for input (WaitForInputIdle), and until
// that window, shown, answers a WM_NULL sent to it (what a user or another program
// waits for: its first paint and whatever the program does before its loop runs). Also
// the process's peak working set, and the modules each program has loaded by then.
// With a memo, also the time until the memo's control holds the whole of it and the
// longest time the window took to answer meanwhile (asked every 5 ms).
//   numvora-startup-measure.exe RUNS FLOOR.exe PROGRAM.exe
// Runs alternate between the two programs (after one unrecorded warm-up each) so that
// a slow phase of the machine affects both. Every run gets a fresh, empty LOCALAPPDATA;
// with NUMVORA_MEASURE_MEMO set to a file, that file is its memo.txt, and with
// NUMVORA_MEASURE_DATA set to a folder, its files are copied into the data folder
// (settings.txt, preferences.txt: a start as the user's own).
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/qpc_clock.h"
#include "ui/control_ids.h"

namespace {

constexpr DWORD START_TIMEOUT_MS = 600000;  // a 10 MiB memo takes Wine's rich edit tens of seconds
constexpr DWORD EXIT_TIMEOUT_MS = 30000;

struct Sample {
    double milliseconds = 0;  // visible and idle for input
    double answered_ms = 0;   // shown and answering
    double whole_ms = 0;      // the memo whole in its control
    double longest_ms = 0;    // the longest wait for an answer until then
    double peak_working_set_mib = 0;
};

struct Series {
    std::wstring path;
    std::vector<Sample> samples;
    std::set<std::wstring> modules;  // as its first measured run had them loaded
};

struct WindowSearch {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner_process = 0;
    GetWindowThreadProcessId(window, &owner_process);
    if (owner_process == search->process_id && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND visible_top_window(DWORD process_id) {
    WindowSearch search{process_id, nullptr};
    EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A unique empty folder under the temporary folder; the launched program inherits it
// as LOCALAPPDATA, so every run is a first start with default settings.
std::filesystem::path fresh_app_data(unsigned run) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    std::filesystem::path folder =
        std::filesystem::path(temp) /
        (L"numvora-startup-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(run));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    if (const wchar_t* data = _wgetenv(L"NUMVORA_MEASURE_DATA"); data != nullptr && *data != L'\0') {
        std::filesystem::copy(data, folder / L"Numvora", std::filesystem::copy_options::recursive, ignored);
    }
    if (const wchar_t* memo = _wgetenv(L"NUMVORA_MEASURE_MEMO"); memo != nullptr && *memo != L'\0') {
        std::filesystem::create_directories(folder / L"Numvora", ignored);
        std::filesystem::copy_file(memo, folder / L"Numvora" / L"memo.txt", ignored);
    }
    SetEnvironmentVariableW(L"LOCALAPPDATA", folder.c_str());
    return folder;
}

// The names of the modules a process has loaded, lower case.
std::set<std::wstring> loaded_modules(HANDLE process) {
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    std::set<std::wstring> names;
    if (!EnumProcessModulesEx(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed,
                              LIST_MODULES_ALL))
        return names;
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (const HMODULE module : modules) {
        wchar_t name[MAX_PATH] = {};
        if (GetModuleBaseNameW(process, module, name, MAX_PATH) == 0) continue;
        std::wstring lower(name);
        for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
        names.insert(lower);
    }
    return names;
}

// The memo's length as its control tells it (WM_GETTEXTLENGTH: a line break is two).
std::size_t memo_units() {
    const wchar_t* path = _wgetenv(L"NUMVORA_MEASURE_MEMO");
    if (path == nullptr || *path == L'\0') return 0;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0));
}

// Asks the memo its length every 5 ms until it holds units; the longest answer's wait.
double wait_for_memo(HWND window, std::size_t units, double start) {
    const HWND memo = GetDlgItem(window, numvora::ids::MEMO_EDIT);
    double longest = 0;
    while (memo != nullptr && numvora::bench::now_ms() - start < START_TIMEOUT_MS) {
        const double asked = numvora::bench::now_ms();
        DWORD_PTR length = 0;
        if (SendMessageTimeoutW(memo, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, START_TIMEOUT_MS, &length) == 0) break;
        longest = std::max(longest, numvora::bench::now_ms() - asked);
        if (length >= units) break;
        Sleep(5);
    }
    return longest;
}

bool fail(const wchar_t* what, const std::wstring& path) {
    std::fwprintf(stderr, L"%ls: %ls (error %lu)\n", path.c_str(), what, GetLastError());
    return false;
}

bool measure_once(const std::wstring& path, unsigned run, Sample& sample, std::set<std::wstring>* modules) {
    const std::filesystem::path app_data = fresh_app_data(run);
    std::wstring command_line = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};

    const double start = numvora::bench::now_ms();
    if (!CreateProcessW(path.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return fail(L"CreateProcessW failed", path);
    CloseHandle(process.hThread);

    bool ok = false;
    HWND window = nullptr;
    // Idle for input is waited for apart: it may come before the window shows or after.
    std::atomic<double> idle_at{0};
    std::atomic<bool> idle{false};
    std::thread idle_wait([&] {
        if (WaitForInputIdle(process.hProcess, START_TIMEOUT_MS) == 0) {
            idle_at = numvora::bench::now_ms();
            idle = true;
        }
    });
    double visible_at = 0;
    double answered_at = 0;
    while ((window = visible_top_window(process.dwProcessId)) == nullptr) {
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 ||
            numvora::bench::now_ms() - start > START_TIMEOUT_MS)
            break;
    }
    visible_at = numvora::bench::now_ms();
    DWORD_PTR answer = 0;
    if (window == nullptr) {
        fail(L"no visible top-level window", path);
    } else if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, START_TIMEOUT_MS, &answer) == 0) {
        fail(L"the window did not answer WM_NULL", path);
        window = nullptr;
    }
    answered_at = numvora::bench::now_ms();
    if (const std::size_t units = memo_units(); window != nullptr && units > 0) {
        sample.longest_ms = std::max(answered_at - visible_at, wait_for_memo(window, units, start));
        sample.whole_ms = numvora::bench::now_ms() - start;
    }
    idle_wait.join();
    if (!idle) {
        fail(L"WaitForInputIdle did not return idle", path);
        window = nullptr;
    }
    if (window != nullptr && modules != nullptr) *modules = loaded_modules(process.hProcess);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (window != nullptr && !GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        fail(L"GetProcessMemoryInfo failed", path);
    else if (window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) == 0)
        fail(L"WM_CLOSE not posted", path);
    else if (window != nullptr && WaitForSingleObject(process.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0)
        fail(L"did not exit after WM_CLOSE", path);
    else if (window != nullptr) {
        DWORD exit_code = 1;
        GetExitCodeProcess(process.hProcess, &exit_code);
        if (exit_code != 0) std::fwprintf(stderr, L"%ls: exit code %lu\n", path.c_str(), exit_code);
        ok = exit_code == 0;
    }
    if (!ok) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, EXIT_TIMEOUT_MS);
    CloseHandle(process.hProcess);
    std::error_code ignored;
    std::filesystem::remove_all(app_data, ignored);

    sample.milliseconds = std::max(idle_at.load(), visible_at) - start;
    sample.answered_ms = answered_at - start;
    sample.peak_working_set_mib = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
    return ok;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

struct Summary {
    double median_ms, min_ms, median_answered_ms, min_answered_ms, median_peak_mib, max_peak_mib, median_whole_ms,
        max_longest_ms;
};

Summary summarize(const Series& series) {
    std::vector<double> times, answered, peaks, whole, longest;
    for (const Sample& sample : series.samples) {
        times.push_back(sample.milliseconds);
        answered.push_back(sample.answered_ms);
        peaks.push_back(sample.peak_working_set_mib);
        whole.push_back(sample.whole_ms);
        longest.push_back(sample.longest_ms);
    }
    return {median(times),    *std::min_element(times.begin(), times.end()),
            median(answered), *std::min_element(answered.begin(), answered.end()),
            median(peaks),    *std::max_element(peaks.begin(), peaks.end()),
            median(whole),    *std::max_element(longest.begin(), longest.end())};
}

std::wstring file_name(const std::wstring& path) { return std::filesystem::path(path).filename().wstring(); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const long runs = argc >= 4 ? std::wcstol(argv[1], nullptr, 10) : 0;
    if (runs < 1) {
        std::fwprintf(stderr, L"usage: numvora-startup-measure.exe RUNS FLOOR.exe [FLOOR2.exe ...] PROGRAM.exe\n");
        return 2;
    }
    std::vector<Series> series;
    for (int i = 2; i < argc; ++i) series.push_back({argv[i], {}, {}});
    for (long run = -1; run < runs; ++run) {
        for (Series& one : series) {
            Sample sample;
            if (!measure_once(one.path, static_cast<unsigned>(run + 1), sample, run == 0 ? &one.modules : nullptr))
                return 1;
            if (run >= 0) one.samples.push_back(sample);  // run -1 is the warm-up
            if (run >= 0)
                std::wprintf(L"run %2ld  %-32ls %8.1f ms %8.1f ms %8.2f MiB  whole %9.1f ms  longest %8.1f ms\n",
                             run + 1, file_name(one.path).c_str(), sample.milliseconds, sample.answered_ms,
                             sample.peak_working_set_mib, sample.whole_ms, sample.longest_ms);
        }
    }

    std::vector<Summary> summaries;
    for (const Series& one : series) summaries.push_back(summarize(one));
    std::wprintf(
        L"\n%ld interleaved runs each; visible+idle = process start until a visible top-level window "
        L"and WaitForInputIdle; answered = until that window answers WM_NULL\n",
        runs);
    std::wprintf(L"%-32ls %12ls %10ls %14ls %12ls %16ls %14ls\n", L"", L"visible+idle", L"min ms", L"answered ms",
                 L"min ms", L"median peak MiB", L"max peak MiB");
    for (std::size_t i = 0; i < series.size(); ++i)
        std::wprintf(L"%-32ls %12.1f %10.1f %14.1f %12.1f %16.2f %14.2f\n", file_name(series[i].path).c_str(),
                     summaries[i].median_ms, summaries[i].min_ms, summaries[i].median_answered_ms,
                     summaries[i].min_answered_ms, summaries[i].median_peak_mib, summaries[i].max_peak_mib);
    if (memo_units() > 0) {
        std::wprintf(L"\nthe memo whole in its control (median) and the longest wait for an answer until then (max)\n");
        for (std::size_t i = 0; i < series.size(); ++i)
            std::wprintf(L"%-32ls %12.1f ms %12.1f ms\n", file_name(series[i].path).c_str(),
                         summaries[i].median_whole_ms, summaries[i].max_longest_ms);
    }
    // The last program against each floor.
    const Summary& program = summaries.back();
    for (std::size_t i = 0; i + 1 < series.size(); ++i) {
        const std::wstring label = L"difference to " + file_name(series[i].path);
        std::wprintf(L"%-32ls %+12.1f %+10.1f %+14.1f %+12.1f %+16.2f %+14.2f\n", label.c_str(),
                     program.median_ms - summaries[i].median_ms, program.min_ms - summaries[i].min_ms,
                     program.median_answered_ms - summaries[i].median_answered_ms,
                     program.min_answered_ms - summaries[i].min_answered_ms,
                     program.median_peak_mib - summaries[i].median_peak_mib,
                     program.max_peak_mib - summaries[i].max_peak_mib);
        std::wstring only_program;
        std::wstring only_floor;
        for (const std::wstring& name : series.back().modules)
            if (series[i].modules.count(name) == 0) only_program += L" " + name;
        for (const std::wstring& name : series[i].modules)
            if (series.back().modules.count(name) == 0) only_floor += L" " + name;
        std::wprintf(L"  modules only %ls loads:%ls\n  modules only %ls loads:%ls\n",
                     file_name(series.back().path).c_str(), only_program.c_str(), file_name(series[i].path).c_str(),
                     only_floor.c_str());
    }
    return 0;
}
