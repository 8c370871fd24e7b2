#include "platform/windows/system_error.h"

#include <cstdio>
#include <string_view>

#include "platform/windows/hresult.h"
#include "platform/windows/wide_text.h"

namespace numvora {
namespace {

constexpr DWORD NT_STATUS_BIT = 0x10000000;

std::wstring system_message(std::int32_t hresult) {
    const auto code = static_cast<DWORD>(hresult);
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER;
    DWORD message_id = code;
    HMODULE source = nullptr;
    // NTSTATUS-based codes have their texts in ntdll, not in the system table.
    if ((code & NT_STATUS_BIT) != 0) {
        source = GetModuleHandleW(L"ntdll.dll");
        flags = (flags & ~static_cast<DWORD>(FORMAT_MESSAGE_FROM_SYSTEM)) | FORMAT_MESSAGE_FROM_HMODULE;
        message_id = code & ~NT_STATUS_BIT;
    }
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(flags, source, message_id, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? std::wstring_view(buffer, length) : std::wstring_view{});
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L' ' || (text.back() >= L'\t' && text.back() <= L'\r'))) {
        text.pop_back();
    }
    return text;
}

}  // namespace

SystemError system_error_from_code(std::int32_t hresult) {
    return {hresult, to_utf8(system_message(hresult))};
}

SystemError last_system_error() {
    return system_error_from_code(hresult_from_last_error(GetLastError()));
}

std::string display_text(const SystemError& error) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(error.code));
    if (error.message.empty()) return code;
    return error.message + " (" + code + ")";
}

}  // namespace numvora
