#include "ui/text_search.h"

namespace numvora {

wchar_t fold_case(wchar_t u) {
    const bool ascii_capital = u >= L'A' && u <= L'Z';
    const bool latin1_capital = u >= 0xC0 && u <= 0xDE && u != 0xD7;
    const bool greek_capital = u >= 0x391 && u <= 0x3AB && u != 0x3A2;
    const bool cyrillic_capital = u >= 0x410 && u <= 0x42F;
    if (ascii_capital || latin1_capital || greek_capital || cyrillic_capital) return static_cast<wchar_t>(u + 0x20);
    if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 0x50);  // Ѐ to Џ
    return u;
}

bool same_text(std::wstring_view a, std::wstring_view b, bool match_case) {
    if (a.size() != b.size()) return false;
    if (match_case) return a == b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold_case(a[i]) != fold_case(b[i])) return false;
    }
    return true;
}

Replacement replace_all(std::wstring_view text, std::wstring_view find, std::wstring_view replacement,
                        bool match_case) {
    Replacement result;
    if (find.empty() || find.size() > text.size()) return result;
    std::size_t copied = 0;  // text before this is in the stretch already
    for (std::size_t at = 0; at + find.size() <= text.size();) {
        if (!same_text(text.substr(at, find.size()), find, match_case)) {
            ++at;
            continue;
        }
        if (result.count++ == 0) {
            result.first = at;
        } else {
            result.stretch.append(text.substr(copied, at - copied));
        }
        result.stretch.append(replacement);
        at += find.size();
        copied = at;
        result.last = at;
    }
    return result;
}

}  // namespace numvora
