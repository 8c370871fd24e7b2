// Paths the build hands to the end-to-end tests.
#pragma once

#include <string>

namespace numvora::e2e {

// The build passes Unix paths under Wine; drive Z: is the Unix root there.
inline std::wstring windows_path(std::wstring path) {
    if (!path.empty() && path[0] == L'/') {
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        path.insert(0, L"Z:");
    }
    return path;
}

inline std::wstring program_path() { return windows_path(L"" NUMVORA_EXE_PATH); }

}  // namespace numvora::e2e
