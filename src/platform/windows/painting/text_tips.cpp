#include "platform/windows/painting/text_tips.h"

#include <commctrl.h>

#include "platform/windows/base/win_handle.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

// A long text wraps in its tip rather than running off the screen.
constexpr std::int32_t TIP_WIDTH = 480;

TOOLINFOW tool_of(HWND owner, HWND tool, const wchar_t* text) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);
    return info;
}

}  // namespace

HWND make_tips(HWND owner, std::uint32_t dpi) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    const HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    if (tips != nullptr) SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, scale_for_dpi(TIP_WIDTH, dpi));
    return tips;
}

void set_text_tip(HWND& tips, HWND owner, HWND tool, const std::wstring& text, std::uint32_t dpi) {
    if (tips == nullptr) {
        if (text.empty()) return;
        tips = make_tips(owner, dpi);
        if (tips == nullptr) return;
    }
    TOOLINFOW info = tool_of(owner, tool, text.c_str());
    TOOLINFOW known = tool_of(owner, tool, nullptr);
    if (SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&known)) != 0) {
        SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (!text.empty()) {
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

std::int32_t text_width(HWND control, HFONT font, std::wstring_view text) {
    const WindowDc dc(control);
    if (dc.get() == nullptr) return 0;
    const ScopedSelect in_font(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
    return extent.cx;
}

std::wstring text_if_cut(HWND control, const std::wstring& text, std::int32_t box_width) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return text_width(control, font, text) > box_width ? text : std::wstring();
}

}  // namespace numvora
