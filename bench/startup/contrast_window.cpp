// The program's window as Windows' high contrast shows it, for the guide's picture:
// this Wine cannot switch high contrast on, so the window is opened in-process with the
// system's answer replaced and the "High Contrast Black" system colours set, which are
// put back at the end.
#include <windows.h>

#include <array>
#include <memory>

#include "platform/windows/app/app_entry.h"
#include "platform/windows/window/main_window.h"

namespace {

class HighContrastOn : public numvora::LookCalls {
public:
    BOOL system_parameters(UINT action, UINT size, PVOID value, UINT ini) override {
        if (action != SPI_GETHIGHCONTRAST) return LookCalls::system_parameters(action, size, value, ini);
        static_cast<HIGHCONTRASTW*>(value)->dwFlags = HCF_HIGHCONTRASTON;
        return TRUE;
    }
};

}  // namespace

int wmain() {
    constexpr std::array<int, 7> elements{COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE, COLOR_BTNTEXT,
                                          COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};
    constexpr std::array<COLORREF, 7> black{0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFEB1A, 0x000000, 0x00FF3F};
    std::array<COLORREF, 7> before{};
    for (std::size_t i = 0; i < elements.size(); ++i) before[i] = GetSysColor(elements[i]);
    SetSysColors(static_cast<int>(elements.size()), elements.data(), black.data());
    auto instance = numvora::prepare_process();
    numvora::SystemCalls calls;
    calls.look = std::make_shared<HighContrastOn>();
    const int exit_code = instance ? numvora::run_main_window(instance.value(), calls) : 1;
    SetSysColors(static_cast<int>(elements.size()), elements.data(), before.data());
    return exit_code;
}
