#include "platform/windows/state/system_calls.h"

#include <cstddef>

namespace numvora {

std::wstring running_program_path() {
    constexpr std::size_t LONGEST_PATH = 32768;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= LONGEST_PATH) return {};
        path.resize(path.size() * 2);  // cut short: try a longer buffer
    }
}

std::wstring running_program_folder() {
    const std::wstring path = running_program_path();
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace numvora
