// The memo's rich edit alone (RICHEDIT50W in plain text, at the memo's place and font in a
// window of the program's size, shown and painted) taking a large text each way it can:
// into the empty control, and over all of its text (a replacement of the whole memo, a
// deletion), with the undo of that. Each way runs in a process of its own, stopped after
// TIMEOUT seconds: some take minutes under Wine. Another thread sends WM_NULL every 5 ms
// and keeps the longest time the window did not answer.
//   numvora-fill-measure.exe FILE [TIMEOUT_S [WAY...]]
//   numvora-fill-measure.exe --one WAY FILE       (one way, in this process)
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "common/win32/wide_text.h"
#include "support/qpc_clock.h"
#include "ui/control_table.h"
#include "ui/layout/layout.h"
#include "ui/memo/memo_pieces.h"

namespace {

using numvora::bench::now_ms;
using numvora::bench::timed;

// Lines in pieces of this many characters (the memo's own size of a piece unless a way
// names another, "steps-4" for 4 Ki): the stepped ways answer between pieces.
std::size_t step_units = numvora::MEMO_PIECE_UNITS;

struct Way {
    const wchar_t* name;
    const char* what;
};

const Way FILL_WAYS[] = {
    {L"settext", "WM_SETTEXT"},
    {L"settextex", "EM_SETTEXTEX (ST_DEFAULT)"},
    {L"streamin", "EM_STREAMIN (SF_TEXT|SF_UNICODE)"},
    {L"streamin-sel", "EM_STREAMIN (SF_TEXT|SF_UNICODE|SFF_SELECTION)"},
    {L"replacesel", "EM_REPLACESEL into the empty control"},
    {L"replacesel-cr", "  the same, CR breaks instead of CR LF"},
    {L"steps", "EM_REPLACESEL in pieces (memo_pieces.h), answering between"},
    {L"steps-2", "  the same in pieces of 2 Ki units"},
    {L"steps-32", "  the same in pieces of 32 Ki units"},
    {L"steps-128", "  the same in pieces of 128 Ki units"},
};
const Way CHANGE_WAYS[] = {
    {L"r-replacesel", "select all, EM_REPLACESEL (undoable)"},
    {L"r-settextex", "EM_SETTEXTEX (ST_SELECTION|ST_KEEPUNDO)"},
    {L"r-streamin-sel", "select all, EM_STREAMIN (SFF_SELECTION)"},
    {L"r-delete-then-insert", "select all, WM_CLEAR, then EM_REPLACESEL"},
    {L"r-steps", "replacement in pieces from the end"},
    {L"d-clear", "delete: select all, WM_CLEAR"},
    {L"d-replacesel", "delete: select all, EM_REPLACESEL of nothing"},
    {L"d-settextex", "delete: EM_SETTEXTEX of nothing (ST_SELECTION|ST_KEEPUNDO)"},
    {L"d-steps", "delete in pieces from the end"},
    {L"d-front-steps", "delete in pieces from the start"},
};

std::wstring read_text(const wchar_t* path) {
    std::ifstream in(path, std::ios::binary);
    return numvora::to_wide(std::string{std::istreambuf_iterator<char>(in), {}});
}

// Answers messages until none is waiting.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Stream {
    const std::wstring* text;
    std::size_t at = 0;
};

// Whole lines only: the control takes a CR LF pair split between two buffers as two breaks.
DWORD CALLBACK give(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* stream = reinterpret_cast<Stream*>(cookie);
    std::size_t units = std::min(static_cast<std::size_t>(wanted) / sizeof(wchar_t), stream->text->size() - stream->at);
    if (stream->at + units < stream->text->size()) {
        const std::size_t line_end = stream->text->rfind(L'\n', stream->at + units - 1);
        if (line_end != std::wstring::npos && line_end >= stream->at) units = line_end + 1 - stream->at;
    }
    std::memcpy(buffer, stream->text->data() + stream->at, units * sizeof(wchar_t));
    stream->at += units;
    *given = static_cast<LONG>(units * sizeof(wchar_t));
    return 0;
}

void stream_in(HWND memo, const std::wstring& text, bool selection) {
    Stream stream{&text};
    EDITSTREAM request{reinterpret_cast<DWORD_PTR>(&stream), 0, give};
    SendMessageW(memo, EM_STREAMIN, SF_TEXT | SF_UNICODE | (selection ? SFF_SELECTION : 0),
                 reinterpret_cast<LPARAM>(&request));
}

void set_text_ex(HWND memo, const std::wstring& text, DWORD flags) {
    SETTEXTEX how{flags, 1200};
    SendMessageW(memo, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(text.c_str()));
}

void select_all(HWND memo) {
    CHARRANGE all{0, -1};
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
}

void replace_selection(HWND memo, const std::wstring& text, BOOL undoable) {
    SendMessageW(memo, EM_REPLACESEL, undoable, reinterpret_cast<LPARAM>(text.c_str()));
}

std::int32_t length_of(HWND memo) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<std::int32_t>(SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

std::vector<std::wstring> pieces_of(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = numvora::piece_end(text, at, step_units);
        pieces.push_back(text.substr(at, end - at));
        at = end;
    }
    return pieces;
}

void insert_in_steps(HWND memo, const std::wstring& text, BOOL undoable) {
    for (const std::wstring& piece : pieces_of(text)) {
        CHARRANGE end{-1, -1};
        SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
        replace_selection(memo, piece, undoable);
        pump();
    }
}

void delete_in_steps(HWND memo, bool from_start) {
    const auto step = static_cast<std::int32_t>(step_units);
    for (std::int32_t length = length_of(memo); length > 0; length = length_of(memo)) {
        CHARRANGE last = from_start ? CHARRANGE{0, std::min(step, length)}
                                    : CHARRANGE{std::max<std::int32_t>(0, length - step), length};
        SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&last));
        replace_selection(memo, L"", TRUE);
        pump();
    }
}

// The longest time the window took to answer WM_NULL while the probe ran.
class Probe {
public:
    explicit Probe(HWND window)
        : thread_([this, window] {
              while (!done_) {
                  const double start = now_ms();
                  DWORD_PTR answer = 0;
                  SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
                  longest_ = std::max(longest_.load(), now_ms() - start);
                  Sleep(5);
              }
              ended_ = true;
          }) {}
    // Waits for the probe's last message while answering it.
    double stop() {
        done_ = true;
        while (!ended_) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump();
        }
        thread_.join();
        return longest_;
    }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> ended_{false};
    std::atomic<double> longest_{0};
    std::thread thread_;
};

struct Memo {
    HWND window = nullptr;
    HWND edit = nullptr;
};

// A window of the program's default size with the rich edit where the memo is, in its font.
Memo open_memo() {
    LoadLibraryExW(L"Msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"Numvora.FillMeasure";
    RegisterClassExW(&window_class);
    Memo memo;
    memo.window = CreateWindowExW(0, window_class.lpszClassName, L"memo fill", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 860, 760, nullptr, nullptr, nullptr, nullptr);
    RECT client{};
    GetClientRect(memo.window, &client);
    const numvora::LayoutRects rects = numvora::compute_layout({client.right, client.bottom, 96, false, 42});
    const std::size_t row = numvora::control_row_index(numvora::ControlSlot::MemoEdit);
    const numvora::PixelBox box = rects.boxes[row];
    memo.edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", numvora::CONTROL_ROWS[row].style, box.x, box.y, box.width,
                                box.height, memo.window, nullptr, nullptr, nullptr);
    SendMessageW(memo.edit, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
    SendMessageW(memo.edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(memo.edit, EM_SETUNDOLIMIT, 256, 0);
    const HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
    SendMessageW(memo.edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    UpdateWindow(memo.window);
    pump();
    return memo;
}

std::wstring whole_text(HWND memo) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(memo)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(memo, text.data(), static_cast<int>(text.size()))));
    return text;
}

void fill(HWND memo, const std::wstring& way, const std::wstring& text) {
    if (way == L"settext") SetWindowTextW(memo, text.c_str());
    if (way == L"settextex") set_text_ex(memo, text, ST_DEFAULT);
    if (way == L"streamin") stream_in(memo, text, false);
    if (way == L"streamin-sel") stream_in(memo, text, true);
    if (way == L"replacesel") replace_selection(memo, text, FALSE);
    if (way == L"steps") insert_in_steps(memo, text, FALSE);
}

void change(HWND memo, const std::wstring& way, const std::wstring& text) {
    if (way == L"r-replacesel" || way == L"d-replacesel") {
        select_all(memo);
        replace_selection(memo, text, TRUE);
    }
    if (way == L"r-settextex" || way == L"d-settextex") {
        select_all(memo);
        set_text_ex(memo, text, ST_SELECTION | ST_KEEPUNDO);
    }
    if (way == L"r-streamin-sel") {
        select_all(memo);
        stream_in(memo, text, true);
    }
    if (way == L"r-delete-then-insert") {
        select_all(memo);
        SendMessageW(memo, WM_CLEAR, 0, 0);
        replace_selection(memo, text, TRUE);
    }
    if (way == L"d-clear") {
        select_all(memo);
        SendMessageW(memo, WM_CLEAR, 0, 0);
    }
    if (way == L"r-steps") {
        delete_in_steps(memo, false);
        insert_in_steps(memo, text, TRUE);
    }
    if (way == L"d-steps") delete_in_steps(memo, false);
    if (way == L"d-front-steps") delete_in_steps(memo, true);
}

// The line a way prints: its time, the longest time without an answer, the paint after.
int run_one(const std::wstring& way, const wchar_t* file) {
    std::wstring text = read_text(file);
    std::wstring with_cr = text;
    with_cr.erase(std::remove(with_cr.begin(), with_cr.end(), L'\n'), with_cr.end());
    const Memo memo = open_memo();
    const bool changes = way[1] == L'-';
    std::wstring name = way;
    if (way == L"replacesel-cr") {
        text = with_cr;
        name = L"replacesel";
    }
    if (way.starts_with(L"steps-")) {
        step_units = static_cast<std::size_t>(_wtoi(way.c_str() + 6)) * 1024;
        name = L"steps";
    }
    if (changes) {
        replace_selection(memo.edit, text, FALSE);
        UpdateWindow(memo.window);
        pump();
    }
    // The replacement differs in every line's figures, with the same shape and size.
    std::wstring replacement = way[0] == L'd' ? std::wstring() : text;
    std::replace(replacement.begin(), replacement.end(), L'1', L'2');
    Probe probe(memo.window);
    Sleep(20);
    const double took = timed([&] { changes ? change(memo.edit, name, replacement) : fill(memo.edit, name, text); });
    const double painted = timed([&] {
        UpdateWindow(memo.window);
        pump();
    });
    const double longest = probe.stop();
    const auto want = static_cast<std::size_t>(length_of(memo.edit));
    const std::size_t expected =
        changes
            ? replacement.size() - static_cast<std::size_t>(std::count(replacement.begin(), replacement.end(), L'\n'))
            : with_cr.size();
    std::printf("%9.0f ms  paint %7.0f ms  longest without an answer %9.0f ms  length %s", took, painted, longest,
                want == expected ? "right" : "WRONG");
    if (changes) {
        Probe undo_probe(memo.window);
        const double undone = timed([&] { SendMessageW(memo.edit, EM_UNDO, 0, 0); });
        const double undo_longest = undo_probe.stop();
        std::printf("  undo %8.0f ms (longest %8.0f ms) %s", undone, undo_longest,
                    whole_text(memo.edit) == text ? "restores it" : "does NOT restore it");
    }
    std::printf("\n");
    std::fflush(stdout);
    DestroyWindow(memo.window);
    return 0;
}

// Runs one way in a child process; its line, or how long it ran before it was stopped.
void run_apart(const Way& way, const wchar_t* file, DWORD timeout_ms) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --one " + way.name + L" \"" + file + L"\"";
    std::printf("%-62s ", way.what);
    std::fflush(stdout);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("could not start (error %lu)\n", GetLastError());
        return;
    }
    if (WaitForSingleObject(process.hProcess, timeout_ms) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
        std::printf("more than %lu s: stopped\n", timeout_ms / 1000);
    }
    std::fflush(stdout);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 4 && std::wstring(argv[1]) == L"--one") return run_one(argv[2], argv[3]);
    if (argc < 2) {
        std::fprintf(stderr, "usage: numvora-fill-measure.exe FILE [TIMEOUT_S [WAY...]]\n");
        return 2;
    }
    const DWORD timeout_ms = (argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 180) * 1000;
    const std::vector<std::wstring> chosen(argv + std::min(argc, 3), argv + argc);
    const std::wstring text = read_text(argv[1]);
    std::printf("%zu characters, %zu lines; a way that takes longer than %lu s is stopped\n", text.size(),
                static_cast<std::size_t>(std::count(text.begin(), text.end(), L'\n')) + 1, timeout_ms / 1000);
    const auto wanted = [&](const Way& way) {
        return chosen.empty() || std::find(chosen.begin(), chosen.end(), way.name) != chosen.end();
    };
    std::printf("into the empty control:\n");
    for (const Way& way : FILL_WAYS)
        if (wanted(way)) run_apart(way, argv[1], timeout_ms);
    std::printf("over the whole text (filled first with EM_REPLACESEL), then EM_UNDO:\n");
    for (const Way& way : CHANGE_WAYS)
        if (wanted(way)) run_apart(way, argv[1], timeout_ms);
    return 0;
}
