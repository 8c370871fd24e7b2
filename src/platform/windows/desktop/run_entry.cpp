#include "platform/windows/desktop/run_entry.h"

#include "common/win32/hresult.h"
#include "common/win32/wide_text.h"
#include "platform/windows/base/system_error.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/status_view.h"
#include "ui/command_line.h"

namespace numvora {
namespace {

constexpr wchar_t RUN_KEY[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t RUN_VALUE[] = L"Numvora";

SystemStatus set_start_with_windows(const AppState& state, bool on) {
    DesktopCalls& calls = *state.calls.desktop;
    if (!on) {
        const LSTATUS removed = calls.delete_registry_value(HKEY_CURRENT_USER, RUN_KEY, RUN_VALUE);
        if (removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND) return {};
        return fail(system_error_from_code(hresult_from_last_error(static_cast<std::uint32_t>(removed))));
    }
    const std::wstring program = running_program_path();
    if (program.empty()) return fail(last_system_error("GetModuleFileNameW"));
    const std::wstring command = L"\"" + program + L"\" " + to_wide(TRAY_START_OPTION);
    const LSTATUS written = calls.set_registry_value(HKEY_CURRENT_USER, RUN_KEY, RUN_VALUE, REG_SZ, command.c_str(),
                                                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    if (written == ERROR_SUCCESS) return {};
    return fail(system_error_from_code(hresult_from_last_error(static_cast<std::uint32_t>(written))));
}

}  // namespace

bool write_run_entry(AppState& state) {
    auto status = set_start_with_windows(state, state.run_entry->on);
    if (!status) show_command_outcome(state, "Windows 시작 시 실행 설정 실패: " + display_text(status.error()), true);
    return static_cast<bool>(status);
}

}  // namespace numvora
