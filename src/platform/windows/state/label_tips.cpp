#include "platform/windows/state/label_tips.h"

#include <commctrl.h>

#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

TOOLINFOW tool_of(const AppState& state, HWND label, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = state.main_window;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

// A tool for each label, with no text yet; several lines of troubles wrap at a width.
bool make_tips(AppState& state) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    state.marks.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       0, 0, 0, 0, state.main_window, nullptr, nullptr, nullptr);
    if (state.marks.tips == nullptr) return false;
    SendMessageW(state.marks.tips, TTM_SETMAXTIPWIDTH, 0, scale_for_dpi(480, state.dpi));
    for (const HWND label : {state.result_label(), state.status_label()}) {
        TOOLINFOW tool = tool_of(state, label, L"");
        SendMessageW(state.marks.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

}  // namespace

void set_label_tip(AppState& state, HWND label, const std::wstring& text) {
    if (state.marks.tips == nullptr && (text.empty() || !make_tips(state))) return;
    TOOLINFOW tool = tool_of(state, label, text.c_str());
    SendMessageW(state.marks.tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace numvora
