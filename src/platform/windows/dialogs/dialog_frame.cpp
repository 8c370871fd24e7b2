#include "platform/windows/dialogs/dialog_frame.h"

#include <cstring>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_rect.h"
#include "ui/layout/placement.h"

namespace numvora {
namespace {

constexpr DWORD DIALOG_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

std::vector<WORD> dialog_template(std::string_view title) {
    DLGTEMPLATE header{};
    header.style = DIALOG_STYLE;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the system's dialog class
    const std::wstring wide = to_wide(title);
    words.insert(words.end(), wide.begin(), wide.end());
    words.push_back(0);
    return words;
}

}  // namespace

INT_PTR run_dialog(HWND owner, std::string_view title, DLGPROC procedure, LPARAM parameter) {
    const std::vector<WORD> layout = dialog_template(title);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    return DialogBoxIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(layout.data()), owner, procedure,
                                   parameter);
}

void place_dialog(HWND dialog, HWND owner, PixelBox client, std::uint32_t dpi) {
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&frame, DIALOG_STYLE, FALSE, 0, dpi);
    RECT owner_rect{};
    GetWindowRect(owner, &owner_rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) monitor.rcWork = owner_rect;
    const PixelBox placed = center_over(
        pixel_rect(owner_rect), {0, 0, frame.right - frame.left, frame.bottom - frame.top}, pixel_rect(monitor.rcWork));
    SetWindowPos(dialog, nullptr, placed.x, placed.y, placed.width, placed.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace numvora
