// The dark-mode switch: what it saves, what the window looks like afterwards, and
// that it never leaks or half-switches.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>

#include "platform/windows/painting/theme_brushes.h"
#include "storage/settings.h"
#include "ui/theme_palette.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

namespace fs = std::filesystem;

// A pixel of a control as it is on the screen, in the control's client coordinates.
COLORREF pixel_of(HWND control, int x, int y) {
    const HDC dc = GetDC(control);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(control, dc);
    return color;
}

class ThemeTest : public MainWindowTest {
protected:
    void switch_theme() {
        SendMessageW(window, WM_COMMAND, 1030, 0);
        UpdateWindow(window);
    }
    std::string settings_text() const {
        std::ifstream in(local_app_data / "Numvora" / "settings.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(ThemeTest, SwitchingSavesAtOnceAndPaintsTheOtherTheme) {
    open_window();
    ASSERT_NE(window, nullptr);
    set_client_size(window, 1000, 800);
    AppState& s = state();
    switch_theme();
    EXPECT_TRUE(s.settings.dark_mode);
    EXPECT_NE(settings_text().find("dark_mode=true"), std::string::npos);
    EXPECT_FALSE(fs::exists(local_app_data / "Numvora" / "memo.txt"));  // only the settings

    const ThemePalette dark = make_palette(true);
    RECT switch_box{};
    GetClientRect(s.control(ControlSlot::DarkModeButton), &switch_box);
    const int knob_y = switch_box.bottom / 2;
    const struct {
        HWND control;
        int x;
        int y;
        COLORREF expected;
        const char* what;
    } pixels[] = {
        {window, 20, 100, dark[PANEL_BACKGROUND], "calculator panel"},
        {window, 5, 5, dark[WINDOW_BACKGROUND], "window"},
        {s.keypad_buttons()[4], 5, 5, 0x46372D, "digit key"},
        {s.keypad_buttons()[18], 8, 8, 0xE5464F, "equals key"},
        {s.control(ControlSlot::DarkModeButton), switch_box.right - 18, knob_y, 0xFFFFFF, "knob at the right"},
        {s.control(ControlSlot::DarkModeButton), switch_box.right - 38, knob_y, 0xE5464F, "track on the left of it"},
        {s.history_list(), 5, 5, dark[HISTORY_BACKGROUND], "history list"},
    };
    for (const auto& p : pixels) EXPECT_EQ(pixel_of(p.control, p.x, p.y), p.expected) << p.what;

    switch_theme();
    EXPECT_FALSE(s.settings.dark_mode);
    EXPECT_NE(settings_text().find("dark_mode=false"), std::string::npos);
    EXPECT_EQ(pixel_of(window, 20, 100), make_palette(false)[PANEL_BACKGROUND]);
    EXPECT_EQ(pixel_of(s.control(ControlSlot::DarkModeButton), switch_box.right - 38, knob_y), 0xFFFFFFu)
        << "knob at the left";
}

TEST_F(ThemeTest, WithoutADataFolderOnlyTheLookChanges) {
    SetEnvironmentVariableW(L"LOCALAPPDATA", nullptr);
    open_window();
    ASSERT_NE(window, nullptr);
    switch_theme();
    EXPECT_TRUE(state().settings.dark_mode);
    EXPECT_TRUE(fs::is_empty(local_app_data / "Numvora"));
}

TEST_F(ThemeTest, AThousandSwitchesLeakNothing) {
    open_window();
    ASSERT_NE(window, nullptr);
    switch_theme();
    switch_theme();
    const long before = gdi_objects_in_use();
    for (int i = 0; i < 1000; ++i) switch_theme();
    // One object kept per switch would add a thousand; Wine's caches move a few.
    EXPECT_LT(gdi_objects_in_use() - before, 20);
    EXPECT_FALSE(state().settings.dark_mode);
}

int brushes_left = 0;
HBRUSH WINAPI brushes_run_out(COLORREF color) {
    if (brushes_left-- <= 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return CreateSolidBrush(color);
}

// A brush that cannot be made leaves the theme as it was: the flag, the brushes, the
// settings file and the GDI objects.
TEST_F(ThemeTest, AFailedSwitchChangesNothing) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    const HBRUSH panel = s.brushes.panel.get();
    s.calls.create_brush = brushes_run_out;
    // The brushes made before the failure are deleted again: kept, a hundred failures
    // would hold three hundred.
    const long objects = gdi_objects_in_use();
    for (int i = 0; i < 100; ++i) {
        brushes_left = 3;
        EXPECT_FALSE(make_theme_brushes(make_palette(true), brushes_run_out));
    }
    EXPECT_LT(gdi_objects_in_use() - objects, 20);
    brushes_left = 3;
    const ErrorBox box = answer_next_error_box([&] { SendMessageW(window, WM_COMMAND, 1030, 0); });
    EXPECT_EQ(box.caption, L"명령 처리 오류");
    EXPECT_FALSE(s.settings.dark_mode);
    EXPECT_EQ(s.brushes.panel.get(), panel);
    EXPECT_FALSE(fs::exists(local_app_data / "Numvora" / "settings.txt"));
}

}  // namespace
}  // namespace numvora::testing
