// Drawing with the theme: control colours and owner-drawn buttons into a bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <utility>

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

// At 100, 125, 150 and 200 % (fonts made for the DPI in-process), at the window's default
// size and at its smallest for that scale, every caption takes one line whole (a result
// button's with some air at its edges), the history list keeps three rows, and the long
// texts of the result label fit at a smaller display size, without "…".
TEST_F(MainWindowTest, TextsFitAtEveryScale) {
    open_window();
    ASSERT_NE(window, nullptr);
    const AppState& s = state();
    const HWND any = s.result_label();
    const DWORD frame_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    for (const std::uint32_t dpi : {96u, 120u, 144u, 192u}) {
        auto fonts = create_font_set(dpi);
        ASSERT_TRUE(fonts);
        const auto sc = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
        const auto ui_width = [&](ControlSlot slot) {
            return text_width(any, fonts->ui.get(), window_text(s.control(slot)));
        };
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectExForDpi(&frame, frame_style, FALSE, 0, dpi);
        for (const auto& [width, height] : {std::pair{sc(844), sc(721)},
                                            {sc(MIN_WINDOW_WIDTH) - (frame.right - frame.left),
                                             sc(MIN_WINDOW_HEIGHT) - (frame.bottom - frame.top)}}) {
            SCOPED_TRACE(std::to_string(dpi) + " " + std::to_string(width));
            LayoutRects rects = compute_layout({width, height, dpi, false, 42});
            fit_history_caption(rects, ui_width(ControlSlot::HistoryCaption), ui_width(ControlSlot::ClearHistoryButton),
                                dpi);
            for (const ControlSlot slot : {ControlSlot::ExpressionCaption, ControlSlot::ResultCaption,
                                           ControlSlot::HistoryCaption, ControlSlot::ClearHistoryButton}) {
                EXPECT_LE(ui_width(slot), rects.box(slot).width) << window_text(s.control(slot));
            }
            for (const ControlSlot slot : {ControlSlot::ResultToMemoButton, ControlSlot::ExpressionResultToMemoButton,
                                           ControlSlot::CopyResultButton}) {
                EXPECT_LE(ui_width(slot) + 2 * sc(6), rects.box(slot).width) << window_text(s.control(slot));
            }
            const std::int32_t check_box = GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) + sc(6);
            EXPECT_LE(ui_width(ControlSlot::ThousandsCheckbox) + check_box,
                      rects.box(ControlSlot::ThousandsCheckbox).width);
            TEXTMETRICW metrics{};
            {
                const WindowDc dc(any);
                const ScopedSelect in_font(dc.get(), fonts->ui.get());
                GetTextMetricsW(dc.get(), &metrics);
            }
            EXPECT_GE(rects.box(ControlSlot::HistoryList).height, 3 * metrics.tmHeight);

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
}

// A text too long for its label ends in "…" on the screen and is whole in the label's
// tooltip, as in what a screen reader reads (the label's text); a text that fits needs
// none. The result label tries smaller sizes first.
TEST_F(MainWindowTest, ACutLabelIsWholeInItsTooltip) {
    open_window();
    ASSERT_NE(window, nullptr);
    AppState& s = state();
    SendMessageW(window, WM_COMMAND, ids::FIND, 0);  // the find bar's message shows
    const auto tip = [&](HWND label) {
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(label);
        std::wstring text(1024, L'\0');
        tool.lpszText = text.data();
        SendMessageW(s.label_tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text.c_str());
    };
    const std::wstring long_text = L"메모에 넣거나 복사할 계산 결과가 없습니다. " + std::wstring(60, L'9');
    for (const HWND label : {s.result_label(), s.status_label(), s.control(ControlSlot::FindMessage)}) {
        for (const std::wstring& text : {long_text, std::wstring(L"2,468")}) {
            SetWindowTextW(label, text.c_str());
            UpdateWindow(label);
            ASSERT_NE(s.label_tips, nullptr);
            EXPECT_EQ(tip(label), text == long_text ? text : L"") << GetDlgCtrlID(label);
            EXPECT_EQ(window_text(label), text);
        }
    }
}

// An empty memo shows its hint inside its text area, in grey, and the first character
// takes it away whole; emptied again, the memo shows it again. None of it is the memo's
// text.
TEST_F(MainWindowTest, AnEmptyMemoShowsItsHintUntilTheFirstCharacter) {
    open_window();
    ASSERT_NE(window, nullptr);
    const HWND memo = state().memo_edit();
    // Pixels off the memo's background under its first line, where one typed character
    // never reaches: the hint's further lines.
    const auto marked_pixels = [&] {
        RECT area{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        const WindowDc dc(memo);
        const COLORREF background = make_palette(false)[MEMO_BACKGROUND];
        int marked = 0;
        for (LONG y = area.top + 24; y < area.top + 70; ++y) {
            for (LONG x = area.left; x < area.left + 120; ++x) marked += GetPixel(dc.get(), x, y) != background ? 1 : 0;
        }
        return marked;
    };
    const struct {
        UINT message;  // a key typed, or none
        WPARAM key;
        bool hint;
    } rows[] = {{0, 0, true}, {WM_CHAR, L'1', false}, {WM_KEYDOWN, VK_BACK, true}};
    SetFocus(memo);
    UpdateWindow(window);
    for (const auto& row : rows) {
        if (row.message != 0) {
            PostMessageW(memo, row.message, row.key, 1);
            pump();
        }
        UpdateWindow(memo);  // only what the control itself repaints
        EXPECT_EQ(marked_pixels() > 0, row.hint) << row.key;
    }
    EXPECT_EQ(window_text(memo), L"");
}
}  // namespace
}  // namespace numvora::testing
