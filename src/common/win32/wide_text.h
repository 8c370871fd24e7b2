// The one pair of conversions between the program's UTF-8 and Win32's UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace numvora {

// Invalid UTF-8 becomes U+FFFD. The result's c_str() is the NUL-terminated form Win32 wants.
std::wstring to_wide(std::string_view utf8);

// Unpaired surrogates become U+FFFD.
std::string to_utf8(std::wstring_view utf16);

}  // namespace numvora
