// The font maker at several DPIs and the display form of system errors.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32/hresult.h"
#include "platform/windows/base/system_error.h"
#include "platform/windows/painting/app_fonts.h"

namespace numvora {
namespace {

LOGFONTW describe(const UniqueFont& font) {
    LOGFONTW info{};
    GetObjectW(font.get(), sizeof info, &info);
    return info;
}

TEST(AppFonts, HeightsWeightsAndFaceAtEachDpi) {
    const struct {
        std::uint32_t dpi;
        LONG ui;
        LONG keypad;
        LONG display;
    } rows[] = {
        {96, -14, -19, -21},
        {120, -17, -23, -26},
        {144, -21, -28, -31},
    };
    for (const auto& row : rows) {
        auto set = create_font_set(row.dpi);
        ASSERT_TRUE(set.has_value()) << row.dpi;
        EXPECT_EQ(describe(set->ui).lfHeight, row.ui);
        EXPECT_EQ(describe(set->keypad).lfHeight, row.keypad);
        EXPECT_EQ(describe(set->display).lfHeight, row.display);
        EXPECT_EQ(describe(set->ui).lfWeight, 400);
        EXPECT_EQ(describe(set->display).lfWeight, 600);
        EXPECT_STREQ(describe(set->keypad).lfFaceName, L"Segoe UI");
        EXPECT_EQ(describe(set->ui).lfQuality, CLEARTYPE_QUALITY);
    }
}

TEST(SystemErrors, DisplayTextEndsWithTheCode) {
    const SystemError denied = system_error_from_code(hresult_from_last_error(ERROR_ACCESS_DENIED));
    ASSERT_FALSE(denied.message.empty());
    EXPECT_EQ(display_text(denied), denied.message + " (0x80070005)");
    const char last = denied.message.back();
    EXPECT_TRUE(last != '\n' && last != '\r' && last != ' ');
    const SystemError success = system_error_from_code(0);
    EXPECT_EQ(display_text(success), success.message.empty() ? "0x00000000" : success.message + " (0x00000000)");
    EXPECT_EQ(display_text(SystemError{static_cast<std::int32_t>(0x8007ABCDu), ""}), "0x8007ABCD");

    SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(static_cast<std::uint32_t>(last_system_error("CreateFileW").code), 0x80070002u);
}

}  // namespace
}  // namespace numvora
