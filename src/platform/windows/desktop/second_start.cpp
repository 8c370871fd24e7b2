#include "platform/windows/desktop/second_start.h"

#include <cstdint>
#include <cstdio>

#include "common/win32/wide_text.h"
#include "platform/windows/base/case_fold.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/desktop/window_presence.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/timers/timers.h"

namespace numvora {
namespace {

// The longest path a second start hands over, in UTF-16 units.
constexpr DWORD LONGEST_PATH = 32767;

// The folder as the system resolves it, in one case: the same folder named twice gives
// the same names. FNV-1a over its UTF-16 units.
std::wstring folder_key(const std::string& data_folder) {
    const std::wstring wide = to_wide(data_folder);
    std::wstring full(LONGEST_PATH + 1, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    full.resize(length > 0 && length <= LONGEST_PATH ? length : 0);
    if (full.empty()) full = wide;
    while (full.size() > 1 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    std::uint64_t hash = 14695981039346656037ULL;
    for (const wchar_t unit : invariant_case_fold(full)) {
        hash ^= static_cast<std::uint16_t>(unit);
        hash *= 1099511628211ULL;
    }
    wchar_t hex[17] = {};
    std::swprintf(hex, std::size(hex), L"%016llX", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace

InstanceNames instance_names(const std::string& data_folder) {
    const std::wstring key = folder_key(data_folder);
    return {L"Local\\Numvora.DataFolder." + key, L"Numvora.FrontRequest." + key};
}

std::optional<LRESULT> on_registered_message(AppState& state, UINT message) {
    if (message == 0) return std::nullopt;
    if (message == state.tray->taskbar_created) {
        if (state.tray->shown) {
            state.tray->shown = false;  // Explorer has forgotten it
            apply_tray_icon(state, true);
        }
        return 0;
    }
    if (message == state.second_start->front_request) {
        bring_to_front(state, false);
        return FRONT_ANSWER;
    }
    return std::nullopt;
}

// Only a path: whole UTF-16 units without a NUL, within the longest path.
std::optional<LRESULT> on_copy_data(AppState& state, const COPYDATASTRUCT* data) {
    if (data == nullptr || data->dwData != HANDED_DOCUMENT_TAG) return std::nullopt;
    const DWORD units = data->cbData / sizeof(wchar_t);
    if (data->lpData == nullptr || units == 0 || units > LONGEST_PATH || data->cbData % sizeof(wchar_t) != 0)
        return FALSE;
    const std::wstring path(static_cast<const wchar_t*>(data->lpData), units);
    if (path.find(L'\0') != std::wstring::npos) return FALSE;
    state.second_start->handed_document = to_utf8(path);
    // Opened once this message has returned, so that the second start can end.
    start_timer(state.main_window, HANDED_DOCUMENT_TIMER_ID);
    return TRUE;
}

}  // namespace numvora
