// The second floor of the start-up measurement: a window with the same 41 controls as
// Numvora's (the rich edit among them, in the same places and fonts) but no logic and
// no owner drawing. What Wine spends on the controls alone shows against it. A memo.txt
// in LOCALAPPDATA\Numvora goes into the rich edit once it has its size and font: the
// floor of starting with that memo.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <richedit.h>

#include "floor_window.h"
#include "ui/control_ids.h"
#include "ui/control_table.h"
#include "ui/layout/layout.h"

namespace {

HFONT font(int size, int weight) {
    return CreateFontW(-size, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
}

void fill_memo(HWND memo) {
    const wchar_t* app_data = _wgetenv(L"LOCALAPPDATA");
    if (app_data == nullptr) return;
    std::ifstream in(std::filesystem::path(app_data) / L"Numvora" / L"memo.txt", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.empty()) return;
    std::wstring text(static_cast<std::size_t>(
                          MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        static_cast<int>(text.size()));
    SendMessageW(memo, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO, 0);
    SendMessageW(memo, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SetWindowTextW(memo, text.c_str());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (LoadLibraryW(L"Msftedit.dll") == nullptr) return 1;
    const HWND window =
        floor_window::open(instance, L"Numvora.ControlsFloor", L"Numvora controls floor", WS_OVERLAPPEDWINDOW);
    if (window == nullptr) return 1;
    RECT client{};
    GetClientRect(window, &client);
    const numvora::LayoutRects rects = numvora::compute_layout({client.right, client.bottom, 96, false, 42});
    const HFONT fonts[] = {font(14, FW_NORMAL), font(21, FW_SEMIBOLD), font(19, FW_SEMIBOLD)};
    for (std::size_t i = 0; i < numvora::CONTROL_ROWS.size(); ++i) {
        const numvora::ControlRow& row = numvora::CONTROL_ROWS[i];
        // Plain push buttons: the floor has no painting of its own.
        DWORD style = row.style;
        if ((style & 0xF) == numvora::style::BUTTON_OWNERDRAW) style &= ~0xFu;
        const numvora::PixelBox box = rects.boxes[i];
        const std::wstring text(row.text);
        HWND control = CreateWindowExW(0, numvora::control_class_name(row.class_kind), text.c_str(), style, box.x,
                                       box.y, box.width, box.height, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), nullptr, nullptr);
        if (control == nullptr) return 1;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[static_cast<int>(row.font)]), FALSE);
    }
    if (HWND memo = GetDlgItem(window, numvora::ids::MEMO_EDIT)) fill_memo(memo);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return floor_window::run_loop();
}
