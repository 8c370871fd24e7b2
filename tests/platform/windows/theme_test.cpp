// The dark-mode switch: what it saves, what the window looks like afterwards, and
// that it never leaks or half-switches.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/windows/painting/theme_brushes.h"
#include "platform/windows/painting/window_look.h"
#include "storage/settings.h"
#include "ui/colors/theme_palette.h"
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
        SendMessageW(window, WM_COMMAND, ids::DARK_MODE, 0);
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

class BrushesRunOut : public LookCalls {
public:
    HBRUSH create_brush(COLORREF color) override {
        if (left-- <= 0) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        return CreateSolidBrush(color);
    }
    int left = 0;
};

// A brush that cannot be made leaves the theme as it was: the flag, the brushes, the
// settings file and the GDI objects.
TEST_F(ThemeTest, AFailedSwitchChangesNothing) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    const HBRUSH panel = s.brushes.panel.get();
    const auto look = std::make_shared<BrushesRunOut>();
    s.calls.look = look;
    // The brushes made before the failure are deleted again: kept, a hundred failures
    // would hold three hundred.
    const long objects = gdi_objects_in_use();
    for (int i = 0; i < 100; ++i) {
        look->left = 3;
        EXPECT_FALSE(make_theme_brushes(make_palette(true), *look));
    }
    EXPECT_LT(gdi_objects_in_use() - objects, 20);
    look->left = 3;
    const ErrorBox box = answer_next_error_box([&] { SendMessageW(window, WM_COMMAND, ids::DARK_MODE, 0); });
    EXPECT_EQ(box.caption, L"명령 처리 오류");
    EXPECT_FALSE(s.settings.dark_mode);
    EXPECT_EQ(s.brushes.panel.get(), panel);
    EXPECT_FALSE(fs::exists(local_app_data / "Numvora" / "settings.txt"));
}

// What the window asked of DWM and the theme library, which Wine answers without
// drawing anything.
class RecordingLook : public LookCalls {
public:
    explicit RecordingLook(bool attribute_20_known) : attribute_20_known_(attribute_20_known) {}
    HRESULT set_window_attribute(HWND, DWORD attribute, LPCVOID value, DWORD) override {
        frame_requests.emplace_back(attribute, *static_cast<const BOOL*>(value));
        return attribute == 20 && !attribute_20_known_ ? E_INVALIDARG : S_OK;
    }
    HRESULT set_window_theme(HWND control, LPCWSTR application, LPCWSTR) override {
        theme_requests.emplace_back(control, application == nullptr ? L"(default)" : application);
        return S_OK;
    }
    std::vector<std::pair<DWORD, BOOL>> frame_requests;
    std::vector<std::pair<HWND, std::wstring>> theme_requests;

private:
    bool attribute_20_known_;
};

TEST_F(ThemeTest, DarkReachesTheTitleBarAndTheStandardControls) {
    const struct {
        bool start_dark;
        bool attribute_20_known;
        std::vector<std::pair<DWORD, BOOL>> at_start, after_switch;
    } rows[] = {
        {false, true, {}, {{20, TRUE}}},  // a light start loads and asks nothing
        {true, true, {{20, TRUE}}, {{20, FALSE}}},
        {true, false, {{20, TRUE}, {19, TRUE}}, {{20, FALSE}, {19, FALSE}}},  // Windows 10 before 19041
    };
    for (const auto& row : rows) {
        reset();
        const auto look = std::make_shared<RecordingLook>(row.attribute_20_known);
        write_data_file("settings.txt", row.start_dark ? "dark_mode=true\n" : "dark_mode=false\n");
        calls.look = look;
        open_window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(look->frame_requests, row.at_start);
        look->frame_requests.clear();
        look->theme_requests.clear();
        switch_theme();
        EXPECT_EQ(look->frame_requests, row.after_switch);
        const AppState& s = state();
        const bool dark = s.settings.dark_mode;
        const std::wstring explorer = dark ? L"DarkMode_Explorer" : L"(default)";
        const decltype(look->theme_requests) expected{
            {s.memo_edit(), explorer},
            {s.history_list(), explorer},
            {s.expression_edit(), explorer},
            {s.control(ControlSlot::FindBox), explorer},
            {s.control(ControlSlot::ReplaceBox), explorer},
            {s.thousands_checkbox(), dark ? L"" : L"(default)"},
            {s.control(ControlSlot::FindMatchCase), dark ? L"" : L"(default)"}};
        EXPECT_EQ(look->theme_requests, expected);
    }
}

class HighContrastLook : public LookCalls {
public:
    BOOL system_parameters(UINT action, UINT, PVOID value, UINT) override {
        if (action != SPI_GETHIGHCONTRAST) return FALSE;
        static_cast<HIGHCONTRASTW*>(value)->dwFlags = on ? HCF_HIGHCONTRASTON : 0;
        return TRUE;
    }
    bool on = true;
};

// Under high contrast the panels, keys and the memo take the system's colours, the
// theme switch changes nothing visible, and turning it off brings the palette back at once.
TEST_F(ThemeTest, HighContrastPaintsWithTheSystemColours) {
    const auto look = std::make_shared<HighContrastLook>();
    calls.look = look;
    open_window();
    ASSERT_NE(window, nullptr);
    set_client_size(window, 1000, 800);
    UpdateWindow(window);
    AppState& s = state();
    const HWND seven = s.keypad_buttons()[4];
    for (int switched = 0; switched < 2; ++switched) {
        EXPECT_EQ(pixel_of(window, 20, 100), GetSysColor(COLOR_WINDOW)) << "panel";
        EXPECT_EQ(pixel_of(seven, 8, 25), GetSysColor(COLOR_BTNFACE)) << "key";
        EXPECT_EQ(pixel_of(seven, 1, 25), GetSysColor(COLOR_BTNTEXT)) << "key border";
        switch_theme();
    }
    EXPECT_FALSE(s.settings.dark_mode);
    look->on = false;
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    UpdateWindow(window);
    EXPECT_FALSE(s.look->high_contrast);
    EXPECT_EQ(pixel_of(window, 20, 100), make_palette(false)[PANEL_BACKGROUND]);
    EXPECT_EQ(pixel_of(seven, 8, 25), 0xFFFFFFu);
}

class AppThemeLook : public LookCalls {
public:
    AppThemeLook(DWORD apps_use_light_theme, LSTATUS read) : theme_(apps_use_light_theme), read_(read) {}
    LSTATUS read_registry_value(HKEY, LPCWSTR subkey, LPCWSTR name, DWORD, LPDWORD, PVOID data, LPDWORD) override {
        EXPECT_STREQ(subkey, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize");
        EXPECT_STREQ(name, L"AppsUseLightTheme");
        if (read_ == ERROR_SUCCESS) *static_cast<DWORD*>(data) = theme_;
        return read_;
    }

private:
    DWORD theme_;
    LSTATUS read_;
};

// The first start follows the user's app theme; once there is a settings file, it rules.
TEST_F(ThemeTest, FirstStartFollowsTheSystemsAppTheme) {
    const struct {
        const char* settings;  // null: no file yet
        DWORD apps_use_light_theme;
        LSTATUS read;
        bool dark;
    } rows[] = {
        {nullptr, 0, ERROR_SUCCESS, true},
        {nullptr, 0, ERROR_FILE_NOT_FOUND, false},  // an older Windows without the value
        {"dark_mode=false\n", 0, ERROR_SUCCESS, false},
    };
    for (const auto& row : rows) {
        reset();
        if (row.settings != nullptr) write_data_file("settings.txt", row.settings);
        calls.look = std::make_shared<AppThemeLook>(row.apps_use_light_theme, row.read);
        open_window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(state().settings.dark_mode, row.dark)
            << (row.settings ? row.settings : "no file") << " " << row.apps_use_light_theme;
    }
}

}  // namespace
}  // namespace numvora::testing
