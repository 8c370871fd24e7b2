#include "platform/windows/painting/app_fonts.h"

#include <cwchar>

#include "ui/layout/dpi_scale.h"

namespace numvora {

std::uint32_t window_dpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi == 0 ? BASE_DPI : dpi;
}

std::uint32_t system_dpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi < 97 ? BASE_DPI : dpi;
}

namespace {

// The system's message font at the DPI: the base of all three fonts.
SystemResult<LOGFONTW> message_font(std::uint32_t dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    static_assert(sizeof(NONCLIENTMETRICSW) == 504);
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0, dpi)) {
        return fail(last_system_error("SystemParametersInfoForDpi"));
    }
    return metrics.lfMessageFont;
}

constexpr std::int32_t UI_FONT_SIZE = 14;

SystemResult<UniqueFont> make_font(LOGFONTW font, std::uint32_t dpi, std::int32_t size, std::int32_t weight,
                                   std::int32_t percent = 100) {
    font.lfHeight = -MulDiv(scale_for_dpi(size, dpi), percent, 100);
    font.lfWeight = weight;
    font.lfQuality = CLEARTYPE_QUALITY;
    std::wmemset(font.lfFaceName, L'\0', LF_FACESIZE);
    std::wcsncpy(font.lfFaceName, L"Segoe UI", LF_FACESIZE - 1);
    UniqueFont made(CreateFontIndirectW(&font));
    if (!made) return fail(last_system_error("CreateFontIndirectW"));
    return made;
}

}  // namespace

// The message font is asked for once: each question costs a trip through the system's
// metrics, which adds up at start.
SystemResult<FontSet> create_font_set(std::uint32_t dpi) {
    auto base = message_font(dpi);
    if (!base) return fail(base.error());
    auto ui = make_font(base.value(), dpi, UI_FONT_SIZE, FW_NORMAL);
    if (!ui) return fail(ui.error());
    auto keypad = make_font(base.value(), dpi, 19, FW_SEMIBOLD);
    if (!keypad) return fail(keypad.error());
    auto display = make_font(base.value(), dpi, 21, FW_SEMIBOLD);
    if (!display) return fail(display.error());
    return FontSet{std::move(ui).value(), std::move(keypad).value(), std::move(display).value()};
}

SystemResult<UniqueFont> create_memo_font(std::uint32_t dpi, std::int32_t zoom) {
    auto base = message_font(dpi);
    if (!base) return fail(base.error());
    return make_font(base.value(), dpi, UI_FONT_SIZE, FW_NORMAL, zoom);
}

}  // namespace numvora
