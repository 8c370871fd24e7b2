#include "platform/windows/painting/memo_colors.h"

#include <richedit.h>

namespace numvora {

void apply_memo_text_color(HWND memo, std::uint32_t color) {
    CHARFORMAT2W format{};
    static_assert(sizeof format == 116);
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = 0;
    format.crTextColor = color;
    SendMessageW(memo, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageW(memo, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void apply_memo_background(HWND memo, std::uint32_t color) {
    SendMessageW(memo, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(color));
}

}  // namespace numvora
