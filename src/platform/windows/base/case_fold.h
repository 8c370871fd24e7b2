// The one case fold that find, replace and replace-all share: the system's upper-casing
// in the invariant locale, one UTF-16 unit for one (a/A, é/É, σ/Σ, ａ/Ａ alike; ß and
// SS, ı and I stay apart), whatever language the system speaks.
#pragma once

#include <string>
#include <string_view>

namespace numvora {

// The text itself when the system cannot map it.
std::wstring invariant_case_fold(std::wstring_view text);

}  // namespace numvora
