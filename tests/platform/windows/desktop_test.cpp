// The window as the rest of the system reaches it: the system-wide key, the tray icon and
// close to tray, a document and --tray on the command line, and the settings dialog with
// the Run entry it writes into Wine's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/command_handlers.h"
#include "platform/windows/desktop/hot_key.h"
#include "platform/windows/desktop/run_entry.h"
#include "platform/windows/desktop/tray_icon.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/state/window_preferences.h"
#include "platform/windows/timers/timers.h"
#include "storage/document.h"
#include "ui/settings_dialog.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

constexpr wchar_t TEST_RUN_KEY[] = L"Software\\Numvora-test\\Run";

// The key's registrations as the window makes them (the calls are real), the icon's
// messages (answered as a shell would), and the Run entry written for real under a key
// of the test's own, so that no test run ever starts anything with Wine.
struct RecordingDesktop : DesktopCalls {
    std::vector<HotKey> registered;
    int hot_key_id = 0;
    std::vector<DWORD> icon_messages;
    std::wstring run_key;
    std::wstring run_value;
    LSTATUS run_entry_answer = ERROR_SUCCESS;  // another: the Run entry cannot be written

    BOOL register_hot_key(HWND window, int id, UINT modifiers, UINT key) override {
        registered.push_back({modifiers & 0xF, key});
        hot_key_id = id;
        return DesktopCalls::register_hot_key(window, id, modifiers, key);
    }
    BOOL notify_icon(DWORD message, NOTIFYICONDATAW*) override {
        icon_messages.push_back(message);
        return TRUE;
    }
    LSTATUS set_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name, DWORD type, const void* data,
                               DWORD size) override {
        run_key = subkey;
        run_value = name;
        if (run_entry_answer != ERROR_SUCCESS) return run_entry_answer;
        return DesktopCalls::set_registry_value(key, TEST_RUN_KEY, name, type, data, size);
    }
    LSTATUS delete_registry_value(HKEY key, LPCWSTR subkey, LPCWSTR name) override {
        run_key = subkey;
        return DesktopCalls::delete_registry_value(key, TEST_RUN_KEY, name);
    }
};

class DesktopTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        desktop = std::make_shared<RecordingDesktop>();
        calls.desktop = desktop;
    }
    // With icon_now, the icon a shown window posts itself comes before the test goes on.
    void open_with(std::string_view preferences, const StartRequest& request = {}, bool icon_now = true) {
        write_data_file("preferences.txt", preferences);
        ASSERT_NE(open_window(request), nullptr);
        if (icon_now) pump();
        SetForegroundWindow(window);
    }
    // The registered key pressed, then let go as the window's check of the key sees it.
    void press_key(bool let_go = true) {
        SendMessageW(window, WM_HOTKEY, static_cast<WPARAM>(desktop->hot_key_id), 0);
        if (let_go) SendMessageW(window, WM_TIMER, HOT_KEY_RELEASE_TIMER_ID, 0);
    }
    std::wstring status() const { return window_text(state().status_label()); }
    // The settings dialog opened, changed and closed with this button.
    void settings(int button, const std::function<void(HWND)>& change) {
        const auto boxes =
            answer_boxes([&] { SendMessageW(window, WM_COMMAND, ids::SETTINGS, 0); }, {{button, change}});
        EXPECT_EQ(boxes.size(), 1u);
        pump();
    }
    static void click(HWND dialog, bool Preferences::*option) {
        for (const SettingRow& row : SETTING_ROWS)
            if (row.option == option) SendMessageW(GetDlgItem(dialog, row.id), BM_CLICK, 0, 0);
    }
    std::string data_file(const char* name) const {
        std::ifstream in(local_app_data / "Numvora" / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The fixture ends the program with a close, which close to tray would turn into a hide.
    void TearDown() override {
        if (window != nullptr && IsWindow(window)) state().tray->close_to_tray = false;
        MainWindowTest::TearDown();
    }
    std::shared_ptr<RecordingDesktop> desktop;
};

TEST_F(DesktopTest, TheKeyShowsFrontsAndHidesOncePerPress) {
    struct Row {
        const char* name;
        std::string_view preferences;
        int show;  // how the window is before the press
        std::vector<bool> let_go;
        bool visible;
        bool minimised;
    };
    const Row rows[] = {
        {"hidden: shown, focus in the box", "", SW_HIDE, {true}, true, false},
        {"minimised: restored", "", SW_MINIMIZE, {true}, true, false},
        {"in front: minimised", "", SW_SHOW, {true}, true, true},
        {"in front with the icon: hidden", "tray_icon=true", SW_SHOW, {true}, false, false},
        {"held down (Wine repeats it): once", "", SW_SHOW, {false, true}, true, true},
        {"pressed twice: back in front, focus in the box", "", SW_SHOW, {true, true}, true, false},
    };
    for (const Row& row : rows) {
        reset();
        open_with(row.preferences);
        SetFocus(state().memo_edit());
        ShowWindow(window, row.show);
        for (const bool let_go : row.let_go) press_key(let_go);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, row.visible) << row.name;
        EXPECT_EQ(IsIconic(window) != FALSE, row.minimised) << row.name;
        if (row.visible && !row.minimised) {
            EXPECT_EQ(GetFocus(), state().expression_edit()) << row.name;
        }
    }
    EXPECT_EQ(desktop->registered, std::vector<HotKey>{DEFAULT_HOT_KEY});
}

TEST_F(DesktopTest, AKeyTakenByAnotherProgramIsSaidOnStartAndInTheDialog) {
    const HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, MOD_CONTROL | MOD_ALT, VK_SPACE));
    open_with("");
    const std::wstring said = L"단축키 Ctrl+Alt+Space를 다른 프로그램이 쓰고 있습니다";
    for (int tick = 0; tick < 2; ++tick) SendMessageW(window, WM_TIMER, SELECTION_TIMER_ID, 0);
    EXPECT_EQ(status(), said);  // the selection checks take back what they do not know
    std::wstring note;
    answer_boxes([&] { SendMessageW(window, WM_COMMAND, ids::SETTINGS, 0); }, {{IDCANCEL, [&](HWND dialog) {
                                                                                    const HWND shown = GetDlgItem(
                                                                                        dialog, SETTING_TAKEN_NOTE_ID);
                                                                                    if (IsWindowVisible(shown))
                                                                                        note = window_text(shown);
                                                                                }}});
    EXPECT_EQ(note, said);
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
}

// Close to tray hides and saves; 종료 and the close without the icon end the program;
// 열기 and a click on the icon show the window again.
TEST_F(DesktopTest, TheIconItsMenuAndCloseToTray) {
    const auto command = [](std::int32_t id) {
        return [id](HWND w) { SendMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0); };
    };
    const auto click_icon = [](HWND w) { SendMessageW(w, WM_TRAY_ICON, 0, NIN_SELECT); };
    const auto close = [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); };
    struct Row {
        const char* name;
        std::string_view preferences;
        int show;
        std::function<void(HWND)> act;
        bool exists;
        bool visible;
        bool saved;  // the memo typed is on disk
    };
    const Row rows[] = {
        {"close to tray: hidden", "tray_icon=true\nclose_to_tray=true", SW_SHOW, close, true, false, true},
        {"close to tray without the icon: ends", "close_to_tray=true", SW_SHOW, close, false, false, true},
        {"the icon alone: close ends", "tray_icon=true", SW_SHOW, close, false, false, true},
        {"종료 with close to tray: ends", "tray_icon=true\nclose_to_tray=true", SW_SHOW, command(ids::TRAY_EXIT), false,
         false, true},
        {"열기: shown", "tray_icon=true", SW_HIDE, command(ids::TRAY_OPEN), true, true, false},
        {"a click on the hidden window's icon: shown", "tray_icon=true", SW_HIDE, click_icon, true, true, false},
        {"a click on the shown window's icon: hidden", "tray_icon=true", SW_SHOW, click_icon, true, false, false},
    };
    for (const Row& row : rows) {
        TearDown();
        SetUp();
        open_with(row.preferences);
        type_into(state().memo_edit(), L"숨겨도 남는 메모");
        ShowWindow(window, row.show);
        row.act(window);
        pump();
        EXPECT_EQ(IsWindow(window) != FALSE, row.exists) << row.name;
        if (!row.exists) window = nullptr;
        if (row.exists) {
            EXPECT_EQ(IsWindowVisible(window) != FALSE, row.visible) << row.name;
        }
        EXPECT_EQ(data_file("memo.txt") == "숨겨도 남는 메모", row.saved) << row.name;
    }
}

TEST_F(DesktopTest, TheIconsMenuAndExplorersRestart) {
    open_with("tray_icon=true", {}, false);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(desktop->icon_messages.empty());  // the icon once the window answers
    pump();
    const auto item = [&](std::int32_t id) {
        const UniqueMenu menu = build_tray_menu(state());
        wchar_t text[64] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 64;
        GetMenuItemInfoW(menu.get(), static_cast<UINT>(id), FALSE, &info);
        return std::wstring(text) + ((info.fState & MFS_CHECKED) != 0 ? L" ✓" : L"");
    };
    EXPECT_EQ(item(ids::TRAY_OPEN) + L"|" + item(ids::ALWAYS_ON_TOP) + L"|" + item(ids::TRAY_EXIT),
              L"열기|항상 위에 표시\tCtrl+Shift+T|종료");
    SendMessageW(window, WM_COMMAND, ids::ALWAYS_ON_TOP, 0);
    EXPECT_EQ(item(ids::ALWAYS_ON_TOP), L"항상 위에 표시\tCtrl+Shift+T ✓");
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(desktop->icon_messages, (std::vector<DWORD>{NIM_ADD, NIM_SETVERSION, NIM_ADD, NIM_SETVERSION}));
    // Without the option the program never touches the notification area.
    reset();
    open_with("");
    SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    SendMessageW(window, WM_CLOSE, 0, 0);
    pump();
    window = nullptr;
    EXPECT_TRUE(desktop->icon_messages.empty());
}

// A document on the command line opens as 불러오기 opens it; --tray starts hidden only
// when the icon is there to bring it back.
TEST_F(DesktopTest, WhatTheCommandLineAsks) {
    struct Row {
        std::string_view preferences;
        bool tray;
        const wchar_t* document;  // in the data folder's parent
        bool visible;
        std::wstring memo;
    };
    const Row rows[] = {
        {"", false, L"가계부.qvx", true, L"문서의 메모 12,000원"},
        {"", false, L"깨진.qvx", true, L""},
        {"tray_icon=true", true, nullptr, false, L""},
        {"", true, nullptr, true, L""},
    };
    for (const Row& row : rows) {
        reset();
        PadDocument pad;
        pad.memo = "문서의 메모 12,000원";
        std::ofstream(local_app_data / L"가계부.qvx", std::ios::binary) << format_document(pad);
        std::ofstream(local_app_data / L"깨진.qvx", std::ios::binary) << "format=Quorvex\nversion=9\n";
        StartRequest request{row.tray, std::nullopt};
        if (row.document != nullptr) request.document = to_utf8((local_app_data / row.document).wstring());
        open_with(row.preferences, request);
        EXPECT_EQ(IsWindowVisible(window) != FALSE, row.visible) << row.preferences;
        EXPECT_EQ(window_text(state().memo_edit()), row.memo) << status();
        if (row.document != nullptr && row.memo.empty()) {
            EXPECT_TRUE(status().starts_with(L"불러오기 오류: ")) << status();
        }
    }
}

// OK applies each option at once and writes preferences.txt; Cancel changes nothing;
// "Windows 시작 시 실행" writes the Run entry and takes it away again.
TEST_F(DesktopTest, TheSettingsDialogsOkAndCancel) {
    RegDeleteKeyW(HKEY_CURRENT_USER, TEST_RUN_KEY);
    const auto change_all = [&](HWND dialog) {
        click(dialog, &Preferences::tray_icon);
        click(dialog, &Preferences::close_to_tray);
        click(dialog, &Preferences::results_margin);
        click(dialog, &Preferences::amounts_in_man);
        click(dialog, &Preferences::start_with_windows);
        SendMessageW(GetDlgItem(dialog, SETTING_HOT_KEY_ID), HKM_SETHOTKEY,
                     (HOTKEYF_CONTROL | HOTKEYF_SHIFT) << 8 | 'K', 0);
        SendMessageW(GetDlgItem(dialog, SETTING_ZOOM_ID), CB_SETCURSEL, (150 - MEMO_ZOOM_MIN) / MEMO_ZOOM_STEP, 0);
    };
    const auto run_entry = [] {
        wchar_t value[1024] = {};
        DWORD size = sizeof value;
        RegGetValueW(HKEY_CURRENT_USER, TEST_RUN_KEY, L"Numvora", RRF_RT_REG_SZ, nullptr, value, &size);
        return std::wstring(value);
    };
    open_with("");
    settings(IDCANCEL, change_all);
    EXPECT_EQ(preferences_of(state()), Preferences{});
    EXPECT_EQ(data_file("preferences.txt"), "");
    EXPECT_TRUE(desktop->icon_messages.empty());
    EXPECT_EQ(run_entry(), L"");

    settings(IDOK, change_all);
    const Preferences chosen{.hot_key = {HOT_KEY_CTRL | HOT_KEY_SHIFT, 'K'},
                             .tray_icon = true,
                             .close_to_tray = true,
                             .start_with_windows = true,
                             .results_margin = true,
                             .amounts_in_man = true,
                             .memo_zoom = 150};
    EXPECT_EQ(preferences_of(state()), chosen);
    EXPECT_EQ(data_file("preferences.txt"), format_preferences(chosen));
    EXPECT_GT(state().margin->width, 0);
    EXPECT_NE(state().zoom->font.get(), nullptr);
    EXPECT_EQ(desktop->registered.back(), chosen.hot_key);
    EXPECT_EQ(desktop->icon_messages.front(), static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(run_entry(), L"\"" + running_program_path() + L"\" --tray");
    EXPECT_EQ(desktop->run_key, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run");

    settings(IDOK, [&](HWND dialog) { click(dialog, &Preferences::start_with_windows); });
    EXPECT_FALSE(state().run_entry->on);
    EXPECT_EQ(run_entry(), L"");
    RegDeleteKeyW(HKEY_CURRENT_USER, TEST_RUN_KEY);
}

// The start applies each preference at its row's moment and the Run entry never (it
// outlives the program); OK applies only what changed, and a step that cannot follow
// puts its preference back and says why.
TEST_F(DesktopTest, PreferencesAreAppliedWhenTheirRowsSayAndPutBackWhenTheyCannotBe) {
    struct Row {
        const char* what;
        std::string_view file;
        std::function<void(HWND)> change;  // in the dialog, then OK; none: no dialog
        LSTATUS run_entry_answer;
        bool run_entry_written;
        bool start_with_windows;
        std::wstring status;
    };
    const Row rows[] = {
        {"the start", "start_with_windows=true\n", nullptr, ERROR_SUCCESS, false, true, L""},
        {"OK without a change", "", [](HWND) {}, ERROR_SUCCESS, false, false, L""},
        {"a Run entry that cannot be written", "", [](HWND dialog) { click(dialog, &Preferences::start_with_windows); },
         ERROR_ACCESS_DENIED, true, false, L"Windows 시작 시 실행 설정 실패: "},
    };
    for (const Row& row : rows) {
        reset();
        desktop->run_entry_answer = row.run_entry_answer;
        open_with(row.file);
        if (row.change) settings(IDOK, row.change);
        EXPECT_EQ(desktop->registered, std::vector<HotKey>{DEFAULT_HOT_KEY}) << row.what;
        EXPECT_EQ(!desktop->run_key.empty(), row.run_entry_written) << row.what;
        EXPECT_EQ(state().run_entry->on, row.start_with_windows) << row.what;
        EXPECT_EQ(parse_preferences(data_file("preferences.txt")).start_with_windows, row.start_with_windows);
        EXPECT_TRUE(status().starts_with(row.status)) << row.what << ": " << to_utf8(status());
    }
}

}  // namespace
}  // namespace numvora::testing
