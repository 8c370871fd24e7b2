#include "storage/settings.h"

#include <gtest/gtest.h>

#include <random>

namespace numvora {
namespace {

TEST(FormatSettings, WritesTheTenLinesExactly) {
    AppSettings s;
    s.window_y = -120;
    s.calculator_side = s.dark_mode = true;
    EXPECT_EQ(format_settings(s),
              "version=1\nwindow_x=\nwindow_y=-120\nwindow_width=860\nwindow_height=700\n"
              "calculator_side=right\ncalculator_percent=42\nalways_on_top=false\n"
              "group_thousands=false\ndark_mode=true\n");
}

TEST(ParseSettings, EachKeyFallsBackOnItsOwn) {
    const auto with = [](auto change) {
        AppSettings s;
        change(s);
        return s;
    };
    const std::pair<std::string_view, AppSettings> cases[] = {
        {"", {}},
        {"colour=blue\nversion=7\nno equals sign\nWINDOW_WIDTH=1024", {}},
        {" window_width = 1024 ", with([](AppSettings& s) { s.window_width = 1024; })},
        {"window_width=0\nwindow_height=-5", {}},
        {"window_width=99999\nwindow_width=x", with([](AppSettings& s) { s.window_width = 99999; })},
        {"window_x=100\nwindow_x=abc\nwindow_y=5\nwindow_y=", {}},
        {"calculator_percent=29\ncalculator_percent=71\ncalculator_percent=300", {}},
        {"calculator_percent=30\ncalculator_percent=71", with([](AppSettings& s) { s.calculator_percent = 30; })},
        {"dark_mode=1\ndark_mode=TRUE\ncalculator_side=Right", {}},
        {"always_on_top=true\ngroup_thousands=true\nalways_on_top=false\ncalculator_side=right",
         with([](AppSettings& s) { s.group_thousands = s.calculator_side = true; })},
        {"window_height=701\r\n", with([](AppSettings& s) { s.window_height = 701; })},
        {"\xef\xbb\xbfwindow_width=900\n", {}},
        {"\xef\xbb\xbfversion=1\nwindow_width=900\n", with([](AppSettings& s) { s.window_width = 900; })},
        {"window_width=\xff\xfe\nwindow_height=\xe3\x80\x80"
         "640\xe3\x80\x80",
         with([](AppSettings& s) { s.window_height = 640; })},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_settings(text), expected) << testing::PrintToString(text);
}

TEST(ParseSettings, RandomBytesGiveAValidRecord) {
    std::mt19937 random(20261207);
    const std::string_view pieces[] = {"window_x=", "window_width=", "calculator_percent=", "=", "\n", "-", "9", " "};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 200); i > 0; --i) {
            if (random() % 2) {
                text += static_cast<char>(random() % 256);
            } else {
                text += pieces[random() % std::size(pieces)];
            }
        }
        const AppSettings s = parse_settings(text);
        EXPECT_TRUE(s.window_width > 0 && s.window_height > 0 && s.calculator_percent >= 30 &&
                    s.calculator_percent <= 70);
    }
}

TEST(ParseSettings, ReadsBackEveryValidRecord) {
    std::mt19937 random(7);
    const auto any_i32 = [&] {
        const std::int32_t picks[] = {INT32_MIN, INT32_MAX, 0, static_cast<std::int32_t>(random())};
        return picks[random() % 4];
    };
    for (int round = 0; round < 2000; ++round) {
        AppSettings s;
        if (random() % 3) s.window_x = any_i32();
        if (random() % 3) s.window_y = any_i32();
        s.window_width = std::max(1, any_i32());
        s.window_height = 1 + static_cast<std::int32_t>(random() % 5000);
        s.calculator_side = random() % 2;
        s.always_on_top = random() % 2;
        s.group_thousands = random() % 2;
        s.dark_mode = random() % 2;
        s.calculator_percent = static_cast<std::uint8_t>(30 + random() % 41);
        EXPECT_EQ(parse_settings(format_settings(s)), s) << format_settings(s);
    }
}

// preferences.txt is read as tolerantly, and what it writes it reads back.
TEST(ParsePreferences, EachKeyFallsBackOnItsOwn) {
    const auto key = [](std::uint32_t modifiers, std::uint32_t virtual_key) {
        Preferences p;
        p.hot_key = {modifiers, virtual_key};
        return p;
    };
    Preferences tray;
    tray.tray_icon = tray.close_to_tray = tray.start_with_windows = true;
    Preferences in_man;
    in_man.amounts_in_man = true;
    const std::pair<std::string_view, Preferences> cases[] = {
        {"", {}},
        {"results_margin=true\nmemo_zoom=150\nfuture_key=1", {.results_margin = true, .memo_zoom = 150}},
        {"results_margin=1\nmemo_zoom=155\nmemo_zoom=40\nmemo_zoom=410", {}},
        {" memo_zoom = 400 \r\nresults_margin=yes", {.memo_zoom = 400}},
        {"\xff\xfe=\nmemo_zoom=\xe3\x80\x80"
         "50",
         {.memo_zoom = 50}},
        {"tray_icon=true\nclose_to_tray=true\nstart_with_windows=true\ntray_icon=on", tray},
        {"amounts_in_man=true\namounts_in_man=만", in_man},
        {"hot_key=", key(0, 0)},  // no key at all
        {"hot_key=shift+ctrl+k", key(HOT_KEY_CTRL | HOT_KEY_SHIFT, 'K')},
        {"hot_key=Win+Alt+F12", key(HOT_KEY_WIN | HOT_KEY_ALT, 0x7B)},
        {"hot_key=Ctrl+Alt+Num+", key(HOT_KEY_CTRL | HOT_KEY_ALT, 0x6B)},
        {"hot_key=Alt+0xE2", key(HOT_KEY_ALT, 0xE2)},
        // A plain or shifted key would be taken from every program; a modifier is no key.
        {"hot_key=F8\nhot_key=Shift+F8\nhot_key=Ctrl+Alt+Shift\nhot_key=Ctrl+Alt+\nhot_key=Ctrl+Alt+Spacebar", {}},
        {"hot_key=Ctrl+Alt+0x10\nhot_key=Ctrl+Alt+0xFF", {}},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_preferences(text), expected) << testing::PrintToString(text);
    for (const Preferences p :
         {Preferences{}, Preferences{.results_margin = true, .memo_zoom = 50}, Preferences{.memo_zoom = 400}, tray,
          key(HOT_KEY_CTRL | HOT_KEY_SHIFT | HOT_KEY_ALT | HOT_KEY_WIN, 0xBA), key(0, 0)})
        EXPECT_EQ(parse_preferences(format_preferences(p)), p) << format_preferences(p);
}

}  // namespace
}  // namespace numvora
