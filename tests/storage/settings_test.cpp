#include "storage/settings.h"

#include <gtest/gtest.h>

#include <random>

namespace numvora {
namespace {

TEST(FormatSettings, WritesTheTenLinesExactly) {
    EXPECT_EQ(format_settings(AppSettings{}),
              "version=1\nwindow_x=\nwindow_y=\nwindow_width=860\nwindow_height=700\n"
              "calculator_side=left\ncalculator_percent=42\nalways_on_top=false\n"
              "group_thousands=false\ndark_mode=false\n");
    AppSettings s;
    s.window_x = -120;
    s.window_y = 0;
    s.calculator_side = true;
    s.group_thousands = true;
    s.always_on_top = true;
    s.dark_mode = true;
    s.calculator_percent = 70;
    EXPECT_EQ(format_settings(s),
              "version=1\nwindow_x=-120\nwindow_y=0\nwindow_width=860\nwindow_height=700\n"
              "calculator_side=right\ncalculator_percent=70\nalways_on_top=true\n"
              "group_thousands=true\ndark_mode=true\n");
}

TEST(ParseSettings, EachKeyFallsBackOnItsOwn) {
    const auto with = [](auto change) {
        AppSettings s;
        change(s);
        return s;
    };
    const std::pair<std::string_view, AppSettings> cases[] = {
        {"", {}},
        {"colour=blue\nversion=7\nno equals sign\n", {}},
        {" window_width = 1024 ", with([](AppSettings& s) { s.window_width = 1024; })},
        {"WINDOW_WIDTH=1024", {}},
        {"window_width=0\nwindow_height=-5", {}},
        {"window_width=99999", with([](AppSettings& s) { s.window_width = 99999; })},
        {"window_width=500\nwindow_width=x", with([](AppSettings& s) { s.window_width = 500; })},
        {"window_x=100\nwindow_x=abc", {}},
        {"window_x=100\nwindow_y=", with([](AppSettings& s) { s.window_x = 100; })},
        {"window_y=-2147483648", with([](AppSettings& s) { s.window_y = INT32_MIN; })},
        {"calculator_percent=29\ncalculator_percent=71\ncalculator_percent=300", {}},
        {"calculator_percent=30", with([](AppSettings& s) { s.calculator_percent = 30; })},
        {"calculator_percent=55\ncalculator_percent=71", with([](AppSettings& s) { s.calculator_percent = 55; })},
        {"dark_mode=1\ndark_mode=TRUE\nalways_on_top=yes", {}},
        {"dark_mode=true\ngroup_thousands=true\nalways_on_top=true\nalways_on_top=false",
         with([](AppSettings& s) { s.dark_mode = s.group_thousands = true; })},
        {"calculator_side=Right", {}},
        {"calculator_side=right", with([](AppSettings& s) { s.calculator_side = true; })},
        {"window_height=700\r\nwindow_width=900\r\n", with([](AppSettings& s) { s.window_width = 900; })},
        {"\xef\xbb\xbfwindow_width=900\n", {}},
        {"\xef\xbb\xbfversion=1\nwindow_width=900\n", with([](AppSettings& s) { s.window_width = 900; })},
        {"window_width=\xff\xfe\nwindow_height=\xe3\x80\x80" "640\xe3\x80\x80",
         with([](AppSettings& s) { s.window_height = 640; })},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parse_settings(text), expected) << testing::PrintToString(text);
}

TEST(ParseSettings, RandomBytesGiveAValidRecord) {
    std::mt19937 random(20261207);
    const std::string_view pieces[] = {"window_x=", "window_width=", "calculator_percent=", "dark_mode=",
                                       "=", "\n", "\r", "-", "+", "1", "9", "true", " ", "\xef\xbb\xbf"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            if (random() % 2) text += static_cast<char>(random() % 256);
            else text += pieces[random() % std::size(pieces)];
        }
        const AppSettings s = parse_settings(text);
        EXPECT_GT(s.window_width, 0);
        EXPECT_GT(s.window_height, 0);
        EXPECT_GE(s.calculator_percent, 30);
        EXPECT_LE(s.calculator_percent, 70);
    }
}

TEST(ParseSettings, ReadsBackEveryValidRecord) {
    std::mt19937 random(7);
    const auto any_i32 = [&] {
        switch (random() % 4) {
            case 0: return INT32_MIN;
            case 1: return INT32_MAX;
            default: return static_cast<std::int32_t>(random());
        }
    };
    for (int round = 0; round < 2000; ++round) {
        AppSettings s;
        if (random() % 3) s.window_x = any_i32();
        if (random() % 3) s.window_y = any_i32();
        s.window_width = 1 + static_cast<std::int32_t>(random() % INT32_MAX);
        s.window_height = round == 0 ? INT32_MAX : 1 + static_cast<std::int32_t>(random() % 5000);
        s.calculator_side = random() % 2;
        s.always_on_top = random() % 2;
        s.group_thousands = random() % 2;
        s.dark_mode = random() % 2;
        s.calculator_percent = static_cast<std::uint8_t>(30 + random() % 41);
        EXPECT_EQ(parse_settings(format_settings(s)), s) << format_settings(s);
    }
}

}  // namespace
}  // namespace numvora
