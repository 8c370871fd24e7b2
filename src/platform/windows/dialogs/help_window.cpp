#include "platform/windows/dialogs/help_window.h"

#include <commdlg.h>
#include <richedit.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/dialogs/dialog_frame.h"
#include "platform/windows/painting/painting.h"
#include "ui/colors/theme_palette.h"
#include "ui/help/help_layout.h"
#include "ui/help/help_page.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE.
constexpr DWORD DARK_MODE_ATTRIBUTE = 20;
constexpr int FIND_NEXT_ID = IDOK;  // Enter anywhere in the dialog, as the dialog manager sends it
constexpr LONG TWIPS_PER_INCH = 1440;

struct Dialog {
    const HelpWindowInput& in;
    std::optional<SystemError> failure;
    UniqueBrush panel;
    UniqueBrush box;
};

struct Child {
    const wchar_t* class_name;
    int id;
    DWORD style;
    DWORD ex_style;
    std::string_view text;
    PixelBox HelpLayout::*box;
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr Child CHILDREN[] = {
    {L"STATIC", -1, CHILD | SS_CENTERIMAGE, 0, HELP_FIND_CAPTION, &HelpLayout::find_caption},
    {L"EDIT", HELP_FIND_BOX_ID, CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", &HelpLayout::find_box},
    {L"BUTTON", FIND_NEXT_ID, CHILD | WS_TABSTOP | BS_OWNERDRAW, 0, HELP_FIND_NEXT, &HelpLayout::find_next},
    {L"RICHEDIT50W", HELP_PAGE_ID, CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
     WS_EX_CLIENTEDGE, "", &HelpLayout::page},
    {L"BUTTON", IDCANCEL, CHILD | WS_TABSTOP | BS_OWNERDRAW, 0, HELP_CLOSE, &HelpLayout::close},
};

// How a paragraph of the page looks: size in points, bold, indent and the column of its
// aside in inches.
struct Look {
    int points;
    bool bold;
    double indent;
    double aside_column;  // 0: no aside
    int space_before;     // in points
};

Look look_of(HelpStyle style) {
    switch (style) {
    case HelpStyle::Title: return {15, true, 0, 0, 0};
    case HelpStyle::Heading: return {12, true, 0, 0, 12};
    case HelpStyle::Text: return {10, false, 0, 0, 2};
    case HelpStyle::Example:
    case HelpStyle::Key: return {10, false, 0.3, 3.4, 0};
    }
    return {10, false, 0, 0, 0};
}

void format_range(HWND page, LONG start, LONG end, const CHARFORMAT2W& format) {
    CHARRANGE range{start, end};
    SendMessageW(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SendMessageW(page, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

// The paragraphs as text, then each one's look; the page's colours are the memo's.
void fill_page(HWND page, const ThemePalette& palette) {
    const std::vector<HelpParagraph> paragraphs = help_page();
    std::wstring text;
    std::vector<LONG> starts;
    for (const HelpParagraph& p : paragraphs) {
        if (!starts.empty()) text += L'\r';
        starts.push_back(static_cast<LONG>(text.size()));
        text += to_wide(p.text);
        if (!p.aside.empty()) text += L'\t' + to_wide(p.aside);
    }
    SendMessageW(page, EM_SETBKGNDCOLOR, 0, palette[MEMO_BACKGROUND]);
    SendMessageW(page, EM_SETTARGETDEVICE, 0, 0);  // wraps at the window's edge
    SetWindowTextW(page, text.c_str());
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const HelpParagraph& p = paragraphs[i];
        const Look look = look_of(p.style);
        const LONG start = starts[i];
        const LONG end = start + static_cast<LONG>(to_wide(p.text).size());
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_BOLD | CFM_SIZE | CFM_COLOR | CFM_FACE;
        format.dwEffects = look.bold ? CFE_BOLD : 0;
        format.yHeight = look.points * 20;
        format.crTextColor = palette[MEMO_TEXT];
        std::wstring_view(L"Segoe UI").copy(format.szFaceName, LF_FACESIZE - 1);
        format_range(page, start, end, format);
        if (!p.aside.empty()) {
            format.crTextColor = palette[p.style == HelpStyle::Example ? RESULT_TEXT : CAPTION_TEXT];
            format_range(page, end, end + 1 + static_cast<LONG>(to_wide(p.aside).size()), format);
        }
        PARAFORMAT2 paragraph{};
        paragraph.cbSize = sizeof paragraph;
        paragraph.dwMask = PFM_STARTINDENT | PFM_SPACEBEFORE | PFM_TABSTOPS;
        paragraph.dxStartIndent = static_cast<LONG>(look.indent * TWIPS_PER_INCH);
        paragraph.dySpaceBefore = look.space_before * 20;
        paragraph.cTabCount = look.aside_column > 0 ? 1 : 0;
        paragraph.rgxTabs[0] = static_cast<LONG>((look.aside_column - look.indent) * TWIPS_PER_INCH);
        SendMessageW(page, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
    }
    CHARRANGE top{0, 0};
    SendMessageW(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
}

// The next place the find box's text is, after the page's selection, from the top
// again after the last; a beep when there is none.
void find_next(HWND dialog) {
    const HWND page = GetDlgItem(dialog, HELP_PAGE_ID);
    std::wstring wanted(static_cast<std::size_t>(GetWindowTextLengthW(GetDlgItem(dialog, HELP_FIND_BOX_ID))) + 1,
                        L'\0');
    wanted.resize(static_cast<std::size_t>(
        GetDlgItemTextW(dialog, HELP_FIND_BOX_ID, wanted.data(), static_cast<int>(wanted.size()))));
    if (wanted.empty()) return;
    CHARRANGE selected{};
    SendMessageW(page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selected));
    for (const LONG from : {selected.cpMax, LONG{0}}) {
        FINDTEXTEXW find{{from, -1}, wanted.c_str(), {}};
        if (SendMessageW(page, EM_FINDTEXTEXW, FR_DOWN, reinterpret_cast<LPARAM>(&find)) >= 0) {
            SendMessageW(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
            SendMessageW(page, EM_SCROLLCARET, 0, 0);
            return;
        }
    }
    MessageBeep(MB_OK);
}

INT_PTR init_dialog(HWND dialog, Dialog& d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
    const ThemePalette palette = scheme_palette(d.in.scheme);
    d.panel = UniqueBrush(d.in.look->create_brush(palette[PANEL_BACKGROUND]));
    d.box = UniqueBrush(d.in.look->create_brush(palette[EXPRESSION_BACKGROUND]));
    const HelpLayout layout = help_layout(d.in.dpi);
    for (const Child& child : CHILDREN) {
        const PixelBox& box = layout.*child.box;
        const HWND control = CreateWindowExW(child.ex_style, child.class_name, to_wide(child.text).c_str(), child.style,
                                             box.x, box.y, box.width, box.height, dialog,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(child.id)), nullptr, nullptr);
        if (control == nullptr) {
            d.failure = last_system_error("CreateWindowExW");
            EndDialog(dialog, IDABORT);
            return TRUE;
        }
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(d.in.font), FALSE);
    }
    fill_page(GetDlgItem(dialog, HELP_PAGE_ID), palette);
    if (d.in.scheme.dark_frame()) {
        const BOOL dark = TRUE;
        d.in.look->set_window_attribute(dialog, DARK_MODE_ATTRIBUTE, &dark, sizeof dark);
    }
    place_dialog(dialog, d.in.owner, layout.client, d.in.dpi);
    SetFocus(GetDlgItem(dialog, HELP_FIND_BOX_ID));
    return FALSE;  // the focus is set
}

std::optional<INT_PTR> colors(const Dialog& d, UINT message, HDC dc) {
    const ThemePalette palette = scheme_palette(d.in.scheme);
    const bool box = message == WM_CTLCOLOREDIT;
    const HBRUSH brush = box ? d.box.get() : d.panel.get();
    if (brush == nullptr) return std::nullopt;
    SetTextColor(dc, palette[EXPRESSION_TEXT]);
    SetBkColor(dc, palette[box ? EXPRESSION_BACKGROUND : PANEL_BACKGROUND]);
    return reinterpret_cast<INT_PTR>(brush);
}

INT_PTR CALLBACK dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) return init_dialog(dialog, *reinterpret_cast<Dialog*>(lparam));
    auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (d == nullptr) return FALSE;
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return colors(*d, message, reinterpret_cast<HDC>(wparam)).value_or(FALSE);
    case WM_DRAWITEM:
        paint_push_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), ButtonKind::Neutral, d->in.scheme);
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, IDCANCEL); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == FIND_NEXT_ID) find_next(dialog);
        if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

SystemStatus show_help_page(const HelpWindowInput& input) {
    Dialog d{input, std::nullopt, {}, {}};
    const INT_PTR ended = run_dialog(input.owner, HELP_TITLE, dialog_proc, reinterpret_cast<LPARAM>(&d));
    if (ended == -1) return fail(last_system_error("DialogBoxIndirectParamW"));
    if (d.failure) return fail(*d.failure);
    return {};
}

}  // namespace numvora
