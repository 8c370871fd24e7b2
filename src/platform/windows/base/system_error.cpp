#include "platform/windows/base/system_error.h"

#include <cstdio>
#include <string_view>

#include "common/win32/hresult.h"
#include "common/win32/system_message.h"

namespace numvora {
namespace {

constexpr DWORD NT_STATUS_BIT = 0x10000000;

// NTSTATUS-based codes have their texts in ntdll, not in the system table.
std::string system_message(std::int32_t hresult) {
    const auto code = static_cast<DWORD>(hresult);
    if ((code & NT_STATUS_BIT) != 0) return system_message_text(code & ~NT_STATUS_BIT, GetModuleHandleW(L"ntdll.dll"));
    return system_message_text(code);
}

}  // namespace

SystemError system_error_from_code(std::int32_t hresult) { return {hresult, system_message(hresult)}; }

SystemError last_system_error(std::string_view failed_call) {
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS) {
        return {UNEXPLAINED_FAILURE,
                std::string(failed_call) + " 호출이 실패했지만 시스템이 원인을 알려 주지 않았습니다."};
    }
    return system_error_from_code(hresult_from_last_error(code));
}

std::string display_text(const SystemError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error.code));
    if (error.message.empty()) return code;
    return error.message + " (" + code + ")";
}

}  // namespace numvora
