// Drawing with the theme: control colours and owner-drawn buttons into a bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/windows/base/win_handle.h"
#include "ui/theme_palette.h"
#include "window_test_support.h"

namespace numvora::testing {
namespace {

// A 24-bit memory bitmap to draw into.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

TEST_F(MainWindowTest, ControlColoursFollowTheThemeAndStatus) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    const ThemePalette light = make_palette(false);
    Canvas canvas(4, 4);
    const auto answer = [&](UINT message, HWND control) {
        return reinterpret_cast<HBRUSH>(
            SendMessageW(window, message, reinterpret_cast<WPARAM>(canvas.dc()), reinterpret_cast<LPARAM>(control)));
    };
    EXPECT_EQ(answer(WM_CTLCOLOREDIT, s.expression_edit()), s.brushes.expression.get());
    EXPECT_EQ(GetTextColor(canvas.dc()), light[EXPRESSION_TEXT]);
    EXPECT_EQ(GetBkColor(canvas.dc()), light[EXPRESSION_BACKGROUND]);
    EXPECT_EQ(answer(WM_CTLCOLORLISTBOX, s.history_list()), s.brushes.history.get());
    EXPECT_EQ(answer(WM_CTLCOLORSTATIC, s.status_label()), s.brushes.panel.get());
    EXPECT_EQ(GetTextColor(canvas.dc()), light[CAPTION_TEXT]);
    s.status.show("오류", true);
    answer(WM_CTLCOLORSTATIC, s.status_label());
    EXPECT_EQ(GetTextColor(canvas.dc()), light[STATUS_ERROR_TEXT]);
}

TEST_F(MainWindowTest, DrawsButtonsWithTheirStateColours) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const struct {
        HWND button;
        UINT item_state;
        COLORREF fill;
    } rows[] = {
        {s.keypad_buttons()[4], 0, 0xFFFFFF},  // 7
        {s.keypad_buttons()[4], ODS_SELECTED, 0xF3ECE8},
        {s.keypad_buttons()[4], ODS_HOTLIGHT, 0xFAF6F4},
        {s.keypad_buttons()[18], 0, 0xE5464F},  // =
        {s.operation_buttons()[0], ODS_DISABLED, 0xF7F3F1},
    };
    for (const auto& row : rows) {
        Canvas canvas(89, 50);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(row.button));
        item.itemState = row.item_state;
        item.hwndItem = row.button;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, 89, 50};
        EXPECT_EQ(SendMessageW(window, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);
        EXPECT_EQ(GetPixel(canvas.dc(), 6, 25), row.fill) << item.CtlID << " state " << row.item_state;
        EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), make_palette(false)[PANEL_BACKGROUND]);  // the corner
    }
}

}  // namespace
}  // namespace numvora::testing
