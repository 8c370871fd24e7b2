// Lets a shell script wait for a window of a Wine-run program and close it the way a
// user would, with WM_CLOSE, so the program runs its own shutdown.
//   numvora-window.exe wait CLASS SECONDS   exit 0 once a visible window of CLASS
//                                           exists and its thread answers messages
//   numvora-window.exe close CLASS          post WM_CLOSE to it and to a dialog open
//                                           over it (exit 0 if posted)
//   numvora-window.exe stage CLASS THEME    fill Numvora's window for a picture: a few
//                                           calculations, a memo with a selected
//                                           operand, grouping on, THEME light or dark;
//                                           prints the window's rectangle as
//                                           WIDTHxHEIGHT+X+Y
//   numvora-window.exe margin CLASS THEME [TEXT]
//                                           fill Numvora's window for a picture of the
//                                           margin of line results: notes with names
//                                           and a total (or TEXT), grouping and the
//                                           margin on
//   numvora-window.exe memo CLASS TEXT      type TEXT at the end of Numvora's memo, as
//                                           a paste would (the memo counts as changed)
//   numvora-window.exe find CLASS TEXT      put TEXT in the find bar's box (Hangul
//                                           typed by xdotool under Wine loses syllables)
//   numvora-window.exe found CLASS          print the memo's selection (a line break
//                                           counts as one) and the find bar's message
//   numvora-window.exe state CLASS          print how many windows of CLASS there are
//                                           (hidden ones too), whether the first is
//                                           shown, minimised and in front, the id of
//                                           the control with the focus, and the
//                                           expression box's and the memo's texts
//   numvora-window.exe settings CLASS THEME open Numvora's settings dialog over the
//                                           window, THEME light or dark; prints the
//                                           dialog's rectangle
//   numvora-window.exe help CLASS THEME     the same for the help page (F1)
//   numvora-window.exe print CLASS          인쇄… in numvora-print-window.exe's window,
//                                           which shows the sheet it printed; prints the
//                                           sheet's rectangle
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "ui/commands.h"
#include "ui/control_ids.h"

namespace {

namespace ids = numvora::ids;

HWND find_visible(const wchar_t* window_class) {
    HWND window = FindWindowW(window_class, nullptr);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

int wait_for(const wchar_t* window_class, double seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (GetTickCount64() < deadline) {
        if (HWND window = find_visible(window_class)) {
            // An answered message means the creating thread has reached its message loop.
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored) != 0) return 0;
        }
        Sleep(20);
    }
    std::fwprintf(stderr, L"no visible window of class %ls after %g s\n", window_class, seconds);
    return 1;
}

int close(const wchar_t* window_class) {
    HWND window = FindWindowW(window_class, nullptr);
    // A dialog open over the window goes first; the window closes once it has.
    const HWND popup = window != nullptr ? GetLastActivePopup(window) : nullptr;
    if (popup != window) PostMessageW(popup, WM_CLOSE, 0, 0);
    if (window == nullptr || PostMessageW(window, WM_CLOSE, 0, 0) == 0) {
        std::fwprintf(stderr, L"no window of class %ls to close\n", window_class);
        return 1;
    }
    return 0;
}

void set_text(HWND control, const wchar_t* text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void command(HWND window, int id) { SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

// The visible main window at the size given, with thousands grouping on; null when
// there is none.
HWND staged_window(const wchar_t* window_class, int width, int height) {
    HWND window = find_visible(window_class);
    if (window == nullptr) return nullptr;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOZORDER);
    SendMessageW(GetDlgItem(window, ids::THOUSANDS), BM_SETCHECK, BST_CHECKED, 0);
    command(window, ids::THOUSANDS);
    return window;
}

int stage(const wchar_t* window_class, std::wstring_view theme) {
    // Wide enough for the calculator's share and the memo beside it.
    HWND window = staged_window(window_class, 1100, 760);
    if (window == nullptr) return close(window_class);
    for (const wchar_t* expression : {L"0.1+0.2", L"(250+750)/4", L"98765-4321", L"1234*12"}) {
        set_text(GetDlgItem(window, ids::EXPRESSION_EDIT), expression);
        command(window, ids::CALCULATE);
    }
    HWND memo = GetDlgItem(window, ids::MEMO_EDIT);
    set_text(memo, L"12월 모임 정산\r\n회비: 150,000\r\n식비: 98,500\r\n남은 돈은 얼마일까?");
    command(window, ids::FOCUS_MEMO);       // the memo gets the focus, so the selection shows
    SendMessageW(memo, EM_SETSEL, 26, 32);  // 98,500 (a line break counts as one position)
    if (theme == L"dark") command(window, ids::DARK_MODE);
    Sleep(600);  // the selection timer shows the operand
    RECT rect{};
    GetWindowRect(window, &rect);
    std::wprintf(L"%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return 0;
}

int stage_margin(const wchar_t* window_class, std::wstring_view theme, const wchar_t* text) {
    HWND window = staged_window(window_class, 900, 560);
    if (window == nullptr) return close(window_class);
    command(window, ids::MEMO_RESULTS_MARGIN);  // the margin, off on a fresh data folder
    set_text(GetDlgItem(window, ids::MEMO_EDIT),
             text != nullptr ? text
                             : L"월세 = 55만원\r\n관리비 = 12만 3천원\r\n월세 + 관리비\r\n\r\n고기 186,000\r\n술 "
                               L"54,000\r\n노래방 40,000\r\n합계\r\n합계 / 4명 =");
    command(window, ids::FOCUS_MEMO);
    if (theme == L"dark") command(window, ids::DARK_MODE);
    Sleep(600);
    RECT rect{};
    GetWindowRect(window, &rect);
    std::wprintf(L"%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return 0;
}

int type_into_memo(const wchar_t* window_class, const wchar_t* text) {
    // Grace for a busy machine: the window may be shown before its first message is handled.
    const ULONGLONG deadline = GetTickCount64() + 30000;
    HWND window = nullptr;
    HWND memo = nullptr;
    while (memo == nullptr && GetTickCount64() < deadline) {
        window = find_visible(window_class);
        memo = window != nullptr ? GetDlgItem(window, ids::MEMO_EDIT) : nullptr;
        if (memo == nullptr) Sleep(20);
    }
    if (memo == nullptr) {
        std::fwprintf(stderr,
                      window == nullptr ? L"no visible window of class %ls\n" : L"no memo in the window of class %ls\n",
                      window_class);
        return 1;
    }
    SendMessageW(memo, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    if (SendMessageW(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)) == 0 &&
        GetWindowTextLengthW(memo) == 0) {
        std::fwprintf(stderr, L"the memo took no text\n");
        return 1;
    }
    return 0;
}

int put_in_find_box(const wchar_t* window_class, const wchar_t* text) {
    HWND window = find_visible(window_class);
    if (window == nullptr) return close(window_class);
    set_text(GetDlgItem(window, ids::FIND_BOX), text);
    return 0;
}

int print_found(const wchar_t* window_class) {
    HWND window = find_visible(window_class);
    if (window == nullptr) return close(window_class);
    DWORD start = 0;
    DWORD end = 0;
    HWND memo = GetDlgItem(window, ids::MEMO_EDIT);
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    wchar_t message[256] = {};
    GetWindowTextW(GetDlgItem(window, ids::FIND_MESSAGE), message, 256);
    char message_utf8[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, message, -1, message_utf8, sizeof message_utf8, nullptr, nullptr);
    std::printf("selection %lu-%lu; bar: %s\n", start, end, message_utf8);
    return 0;
}

std::string utf8(const wchar_t* text) {
    char bytes[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

int print_state(const wchar_t* window_class) {
    HWND first = FindWindowW(window_class, nullptr);
    if (first == nullptr) return close(window_class);
    int count = 0;
    for (HWND w = first; w != nullptr; w = FindWindowExW(nullptr, w, window_class, nullptr)) ++count;
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(first, nullptr), &thread);
    // Asked for: GetWindowTextW reads only a caption in another process.
    wchar_t expression[256] = {};
    SendMessageW(GetDlgItem(first, ids::EXPRESSION_EDIT), WM_GETTEXT, std::size(expression),
                 reinterpret_cast<LPARAM>(expression));
    wchar_t memo[1024] = {};
    SendMessageW(GetDlgItem(first, ids::MEMO_EDIT), WM_GETTEXT, std::size(memo), reinterpret_cast<LPARAM>(memo));
    std::printf("windows %d; shown %d; minimised %d; in front %d; focus %d; expression: %s; memo: %s\n", count,
                IsWindowVisible(first) != FALSE, IsIconic(first) != FALSE, GetForegroundWindow() == first,
                thread.hwndFocus != nullptr ? GetDlgCtrlID(thread.hwndFocus) : 0, utf8(expression).c_str(),
                utf8(memo).c_str());
    return 0;
}

void print_rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::wprintf(L"%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
}

// A modal dialog the command opens over the staged window (it runs in the window's own
// loop, so the command is posted); prints the dialog's rectangle.
int open_dialog(const wchar_t* window_class, std::wstring_view theme, int id, const wchar_t* what) {
    HWND window = staged_window(window_class, 900, 560);
    if (window == nullptr) return close(window_class);
    if (theme == L"dark") command(window, ids::DARK_MODE);
    PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
    HWND dialog = nullptr;
    for (int attempt = 0; attempt < 250 && dialog == nullptr; ++attempt, Sleep(20)) {
        HWND popup = GetLastActivePopup(window);
        if (popup != window && IsWindowVisible(popup)) dialog = popup;
    }
    if (dialog == nullptr) {
        std::fwprintf(stderr, L"no %ls over the window of class %ls\n", what, window_class);
        return 1;
    }
    Sleep(600);
    print_rect(dialog);
    return 0;
}

// 인쇄… in a window whose printer shows the sheet it printed (numvora-print-window.exe);
// prints the sheet's rectangle.
int print_sheet(const wchar_t* window_class) {
    HWND window = find_visible(window_class);
    if (window == nullptr) return close(window_class);
    PostMessageW(window, WM_COMMAND, ids::PRINT, 0);
    HWND sheet = nullptr;
    for (int attempt = 0; attempt < 250 && sheet == nullptr; ++attempt, Sleep(20))
        sheet = find_visible(L"Numvora.PrintedPage");
    if (sheet == nullptr) {
        std::fwprintf(stderr, L"no printed sheet shown\n");
        return 1;
    }
    Sleep(600);
    print_rect(sheet);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view verb = argc > 1 ? argv[1] : L"";
    if (verb == L"wait" && argc == 4) return wait_for(argv[2], std::wcstod(argv[3], nullptr));
    if (verb == L"close" && argc == 3) return close(argv[2]);
    if (verb == L"stage" && argc == 4) return stage(argv[2], argv[3]);
    if (verb == L"margin" && (argc == 4 || argc == 5))
        return stage_margin(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    if (verb == L"memo" && argc == 4) return type_into_memo(argv[2], argv[3]);
    if (verb == L"find" && argc == 4) return put_in_find_box(argv[2], argv[3]);
    if (verb == L"found" && argc == 3) return print_found(argv[2]);
    if (verb == L"state" && argc == 3) return print_state(argv[2]);
    if (verb == L"settings" && argc == 4) return open_dialog(argv[2], argv[3], ids::SETTINGS, L"settings dialog");
    if (verb == L"help" && argc == 4) return open_dialog(argv[2], argv[3], ids::HELP, L"help page");
    if (verb == L"print" && argc == 3) return print_sheet(argv[2]);
    std::fwprintf(
        stderr,
        L"usage: numvora-window.exe wait CLASS SECONDS | close CLASS | stage CLASS THEME | margin CLASS "
        L"THEME [TEXT] | memo CLASS TEXT | find CLASS TEXT | found CLASS | state CLASS | settings CLASS THEME | help "
        L"CLASS THEME | print CLASS\n");
    return 2;
}
