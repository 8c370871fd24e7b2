#include "platform/windows/base/case_fold.h"

#include <windows.h>

#include <limits>

namespace numvora {

std::wstring invariant_case_fold(std::wstring_view text) {
    std::wstring folded(text);
    if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return folded;
    const int size = static_cast<int>(text.size());
    // Upper-casing maps unit for unit, so the result fits the source's length.
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.data(), size, folded.data(), size, nullptr, nullptr,
                      0) != size) {
        return std::wstring(text);
    }
    return folded;
}

}  // namespace numvora
