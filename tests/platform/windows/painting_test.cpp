// Drawing with the theme: control colours and owner-drawn buttons into a bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <tuple>

#include "platform/windows/base/win_handle.h"
#include "platform/windows/painting/app_fonts.h"
#include "platform/windows/painting/text_tips.h"
#include "ui/colors/theme_palette.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/layout.h"
#include "ui/layout/placement.h"
#include "ui/layout/text_fit.h"
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

// At 100, 125, 150 and 200 % (fonts made for the DPI in-process, the window at its
// smallest size for that scale, which bounds every larger one) every caption takes one
// line whole (a result button's with some air at its edges), the history list keeps
// three rows, and the long texts of the result label fit at a smaller display size,
// without "…".
TEST_F(MainWindowTest, TextsFitAtEveryScale) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const HWND any = s.result_label();
    for (const std::uint32_t dpi : {96u, 120u, 144u, 192u}) {
        SCOPED_TRACE(dpi);
        auto fonts = create_font_set(dpi);
        ASSERT_TRUE(fonts);
        const auto ui_width = [&](ControlSlot slot) {
            return text_width(any, fonts->ui.get(), window_text(s.control(slot)));
        };
        RECT frame{};
        AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE, 0, dpi);
        LayoutRects rects =
            compute_layout({scale_for_dpi(MIN_WINDOW_WIDTH, dpi) - (frame.right - frame.left),
                            scale_for_dpi(MIN_WINDOW_HEIGHT, dpi) - (frame.bottom - frame.top), dpi, false, 42});
        fit_history_caption(rects, ui_width(ControlSlot::HistoryCaption), ui_width(ControlSlot::ClearHistoryButton),
                            dpi);
        for (const ControlSlot slot : {ControlSlot::ExpressionCaption, ControlSlot::ResultCaption,
                                       ControlSlot::HistoryCaption, ControlSlot::ClearHistoryButton}) {
            EXPECT_LE(ui_width(slot), rects.box(slot).width) << window_text(s.control(slot));
        }
        for (const ControlSlot slot : {ControlSlot::ResultToMemoButton, ControlSlot::ExpressionResultToMemoButton}) {
            EXPECT_LE(ui_width(slot) + scale_for_dpi(12, dpi), rects.box(slot).width) << window_text(s.control(slot));
        }
        const WindowDc dc(any);
        const ScopedSelect in_ui(dc.get(), fonts->ui.get());
        TEXTMETRICW ui{};
        GetTextMetricsW(dc.get(), &ui);
        EXPECT_GE(rects.box(ControlSlot::HistoryList).height, 3 * ui.tmHeight);
        const std::int32_t check_box = GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + scale_for_dpi(6, dpi);
        EXPECT_LE(ui_width(ControlSlot::ThousandsCheckbox) + check_box,
                  rects.box(ControlSlot::ThousandsCheckbox).width);

        LOGFONTW display{};
        GetObjectW(fonts->display.get(), sizeof display, &display);
        for (const wchar_t* text :
             {L"메모에 넣거나 복사할 계산 결과가 없습니다.", L"121,932,631,136,585,880,000,000"}) {
            const TextFit fit = fit_result_text(
                [&](std::int32_t size) {
                    display.lfHeight = -scale_for_dpi(size, dpi);
                    const UniqueFont font(CreateFontIndirectW(&display));
                    return text_width(any, font.get(), text);
                },
                rects.box(ControlSlot::ResultLabel).width);
            EXPECT_FALSE(fit.ellipsis) << text;
            EXPECT_LT(fit.size, RESULT_FONT_LARGEST) << text;  // neither fits at the full size
        }
    }
}

// A text too long for a label (the result even at its smallest size, the status line,
// the find bar's message) ends in "…" on the screen and is whole in the label's tooltip
// and its text, which screen readers read; a text that fits needs none.
TEST_F(MainWindowTest, ACutResultIsWholeInTheTooltip) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    SendMessageW(window, WM_COMMAND, ids::FIND, 0);  // the find bar's message shows
    const std::wstring long_text = L"메모에 넣거나 복사할 계산 결과가 없습니다. " + std::wstring(40, L'9');
    for (const HWND label : {s.result_label(), s.status_label(), s.control(ControlSlot::FindMessage)}) {
        for (const std::wstring& text : {long_text, std::wstring(L"2,468")}) {
            SetWindowTextW(label, text.c_str());
            UpdateWindow(label);
            ASSERT_NE(s.label_tips, nullptr);
            EXPECT_EQ(label_tip(s, label), text == long_text ? text : L"") << GetDlgCtrlID(label);
        }
    }
}

// An empty memo shows its hint in its text area, none of it the memo's text; the first
// character takes it away whole, and it is back once the memo is empty again.
TEST_F(MainWindowTest, AnEmptyMemoShowsItsHintUntilTheFirstCharacter) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = state().memo_edit();
    SetFocus(memo);
    UpdateWindow(window);
    for (const auto& [message, key, hint] :
         {std::tuple{0u, 0u, true}, {WM_CHAR, L'1', false}, {WM_KEYDOWN, VK_BACK, true}}) {
        if (message != 0) PostMessageW(memo, message, key, 1);
        pump();
        UpdateWindow(memo);  // only what the control itself repaints
        // The hint's lines under the first one, where one character never reaches.
        RECT area{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        const WindowDc dc(memo);
        int marked = 0;
        for (LONG y = area.top + 24; y < area.top + 70; ++y) {
            for (LONG x = area.left; x < area.left + 120; ++x)
                marked += GetPixel(dc.get(), x, y) != make_palette(false)[MEMO_BACKGROUND] ? 1 : 0;
        }
        EXPECT_EQ(marked > 0, hint) << key;
    }
    EXPECT_EQ(window_text(memo), L"");
}

}  // namespace
}  // namespace numvora::testing
