#include "platform/windows/memo/results_margin.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/win32/wide_text.h"
#include "notes/note_blocks.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/colors/color_scheme.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/results_margin.h"

namespace numvora {
namespace {

constexpr std::int32_t QUICK_REWRAP_LENGTH = 20'000;
// Posted to the memo by a paint that found a result wider than the strip.
constexpr UINT WM_FIT_RESULTS_MARGIN = WM_APP + 2;

// A line that ends on screen: its number in the notebook, its last character (-1 when
// it is empty) and its text.
struct ScreenLine {
    std::size_t line = 0;
    std::int32_t last = -1;
    std::wstring_view wide;
};

// A result read, before its row is placed: its line's last character, and how many rows
// lie between the previous result's row and its own when each line between is known
// to take one row (-1: not known).
struct ReadResult {
    MarginRow row;
    std::int32_t last = 0;
    std::int32_t rows_after_previous = -1;
};

RECT client_of(HWND memo) {
    RECT client{};
    GetClientRect(memo, &client);
    return client;
}

// The lines that end on the rows on screen, from the one the first row belongs to, as
// the memo's copy holds them.
std::vector<ScreenLine> lines_on_screen(HWND memo, const MemoNotes& notes, const RECT& area) {
    // Under Wine each position question walks the text from its start: two corners of
    // the text area answer for the whole screen.
    const RECT client = client_of(memo);
    POINTL top{area.left, std::max(area.top, client.top)};
    POINTL bottom{area.right - 1, client.bottom - 1};
    const auto first = static_cast<std::int32_t>(SendMessageW(memo, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&top)));
    const auto last =
        static_cast<std::int32_t>(SendMessageW(memo, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottom)));
    const TextMirror<wchar_t>& mirror = notes.mirror;
    std::vector<ScreenLine> lines;
    for (std::size_t line = memo_line_of(notes, first); line <= memo_line_of(notes, last); ++line) {
        const std::size_t start = mirror.line_start(line);
        const std::size_t end = mirror.line_end(line);
        // A line running on below the screen ends off it: no result of it shows.
        if (end > static_cast<std::size_t>(std::max(last, 0)) + 1 && line + 1 < mirror.lines()) break;
        lines.push_back({line, end > start ? static_cast<std::int32_t>(end) - 1 : -1,
                         std::wstring_view(mirror.text()).substr(start, end - start)});
    }
    return lines;
}

// The memo's own font (its zoom's, or the ui font at 100%), in which the results read
// as part of the text; the widths measured in another one are forgotten.
HFONT margin_font(AppState& state) {
    const std::wstring key = std::to_wstring(state.fonts.dpi) + L'|' + std::to_wstring(state.zoom->percent);
    if (key != state.margin->font_key) {
        state.margin->widths.clear();
        state.margin->font_key = key;
    }
    return memo_font(state);
}

// The results of the lines that end on screen, measured in the margin's font (the
// memo's); their rows are placed once the strip's width is known.
std::vector<ReadResult> read_results(AppState& state, HWND memo, HDC dc, std::int32_t& widest) {
    widest = 0;
    // The first paint shows the text at once; the notes of a large memo follow it.
    if (!state.notes->after_first_paint && !state.notes->in_step) return {};
    const MemoNotes& notes = memo_notes(state);
    // Every question costs a fraction of a millisecond under Wine, so the text area is asked once.
    RECT area{};
    SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    const std::vector<ScreenLine> screen = lines_on_screen(memo, notes, area);
    ResultsMarginState& margin = *state.margin;

    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::unordered_map<std::wstring, std::int32_t> widths;
    const auto width_of = [&](std::wstring_view text) {
        auto known = margin.widths.find(std::wstring(text));
        if (known == margin.widths.end()) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
            known = margin.widths.emplace(std::wstring(text), static_cast<std::int32_t>(extent.cx)).first;
        }
        widths.insert(*known);
        return known->second;
    };
    // Well inside the text area and without tabs, a line cannot wrap.
    const auto one_row = [&](const ScreenLine& line) {
        return line.wide.find(L'\t') == std::wstring::npos &&
               width_of(line.wide) + 2 * metrics.tmMaxCharWidth < area.right - area.left;
    };
    std::vector<ReadResult> read;
    std::int32_t rows_since = -1;  // since the previous result's row
    for (std::size_t i = 0; i < screen.size(); ++i) {
        rows_since = rows_since >= 0 && one_row(screen[i]) ? rows_since + 1 : -1;
        const std::optional<std::string>& value = notes.book.result(screen[i].line);
        if (!value) continue;
        ReadResult result;
        result.row.value = *value;
        result.row.shown = *notes.book.shown(screen[i].line, {state.calculator.group_thousands, margin.in_man});
        result.last = screen[i].last;
        result.rows_after_previous = rows_since;
        widest = std::max(widest, width_of(to_wide(result.row.shown)));
        read.push_back(std::move(result));
        rows_since = 0;
    }
    margin.widths = std::move(widths);
    return read;
}

// Each result on the row of its line's last character. Under Wine every position asked
// walks the text from its start, so a row below a known one is counted down from it
// when the lines between take one row each; the last row is asked all the same, and when
// the count went wrong, every row is.
std::vector<MarginRow> place_results(std::vector<ReadResult> read, HWND memo, std::int32_t height) {
    const auto ask = [&](std::int32_t position) {
        POINTL at{};
        SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
        return static_cast<std::int32_t>(at.y);
    };
    std::vector<std::int32_t> tops;
    for (std::size_t i = 0; i < read.size(); ++i) {
        const bool counted = i > 0 && read[i].rows_after_previous > 0;
        tops.push_back(counted ? tops.back() + read[i].rows_after_previous * height : ask(read[i].last));
    }
    if (!read.empty() && read.back().rows_after_previous > 0 && ask(read.back().last) != tops.back()) {
        for (std::size_t i = 0; i < read.size(); ++i) tops[i] = ask(read[i].last);
    }
    const RECT client = client_of(memo);
    std::vector<MarginRow> rows;
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (tops[i] >= client.bottom || tops[i] + height <= client.top) continue;
        MarginRow& row = read[i].row;
        row.box = {0, tops[i], client.right, tops[i] + height};
        rows.push_back(std::move(row));
    }
    return rows;
}

void set_text_area(AppState& state, HWND memo, std::int32_t width) {
    const RECT client = client_of(memo);
    if (!state.margin->text_area_insets) {
        RECT own{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&own));
        state.margin->text_area_insets = PixelRect{own.left - client.left, own.top - client.top,
                                                   client.right - own.right, client.bottom - own.bottom};
    }
    const PixelRect& in = *state.margin->text_area_insets;
    RECT area{client.left + in.left, client.top + in.top, client.right - in.right - width, client.bottom - in.bottom};
    area.right = std::max(area.right, area.left + 1);
    state.margin->width = width;
    SendMessageW(memo, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
}

}  // namespace

namespace {

// The results on screen read and placed beside the text area as it is now; the width
// of strip they need.
std::int32_t read_rows(AppState& state, HWND memo) {
    const WindowDc dc(memo);
    if (dc.get() == nullptr) return state.margin->width;
    const ScopedSelect in_font(dc.get(), margin_font(state));
    const RECT client = client_of(memo);
    std::int32_t widest = 0;
    std::vector<ReadResult> read = read_results(state, memo, dc.get(), widest);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    state.margin->rows = place_results(std::move(read), memo, metrics.tmHeight);
    for (MarginRow& row : state.margin->rows) row.box.left = client.right - state.margin->width;
    return results_margin_width(widest, client.right - client.left, state.fonts.dpi);
}

// The strip as wide as the results on screen need: the text area set anew, which
// rewraps the text, and the rows read again. Never from a paint: the text area is the
// control's layout, which a paint only shows.
void fit_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    state.margin->fit_posted = false;
    const std::int32_t width = read_rows(state, memo);
    if (width == state.margin->width) return;
    state.margin->refreshing = true;
    set_text_area(state, memo, width);
    state.margin->refreshing = false;
    read_rows(state, memo);
}

}  // namespace

// Every change of the width rewraps the whole memo (seconds for megabytes under Wine):
// it follows the results when the text rewraps anyway, and grows in between only in a
// memo short enough to rewrap at once, right after the paint. A result wider meanwhile
// is cut with "…".
void refresh_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    const std::int32_t width = read_rows(state, memo);
    if (width > state.margin->width && memo_length(memo) <= QUICK_REWRAP_LENGTH && !state.margin->fit_posted)
        state.margin->fit_posted = PostMessageW(memo, WM_FIT_RESULTS_MARGIN, 0, 0) != FALSE;
}

namespace {

// After the text painted: the strip, its rule and the results, in the memo's colours.
void draw_margin(AppState& state, HWND memo) {
    const WindowDc window_dc(memo);
    const HDC dc = window_dc.get();
    if (dc == nullptr) return;
    const RECT client = client_of(memo);
    const RECT strip{client.right - state.margin->width, client.top, client.right, client.bottom};
    FillRect(dc, &strip, state.brushes.memo.get());
    const MarginColors colors = margin_colors(color_scheme(state));
    const RECT rule{strip.left, strip.top, strip.left + 1, strip.bottom};
    SetDCBrushColor(dc, colors.rule);
    FillRect(dc, &rule, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const ScopedSelect in_font(dc, margin_font(state));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    const std::int32_t padding = scale_for_dpi(RESULTS_MARGIN_PADDING, state.fonts.dpi);
    for (const MarginRow& row : state.margin->rows) {
        RECT box{row.box.left + padding, row.box.top, row.box.right - padding, row.box.bottom};
        std::wstring shown = to_wide(row.shown);
        DrawTextW(dc, shown.data(), static_cast<int>(shown.size()), &box,
                  DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

bool in_strip(const AppState& state, HWND memo, POINT point) {
    const RECT client = client_of(memo);
    return state.margin->width > 0 && PtInRect(&client, point) && point.x >= client.right - state.margin->width;
}

}  // namespace

// While the option is on: the results read before a paint, a strip fitted after the
// text was rewrapped, and the pointer over a result showing that it can be clicked.
std::optional<LRESULT> margin_before(AppState& state, const MemoMessage& got) {
    if (!state.margin->on) return std::nullopt;
    switch (got.message) {
    case WM_PAINT:
        if (!state.margin->refreshing) refresh_results_margin(state);
        return std::nullopt;
    case WM_FIT_RESULTS_MARGIN: fit_results_margin(state); return 0;
    case WM_SETCURSOR: {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(got.memo, &point);
        if (LOWORD(got.lparam) != HTCLIENT || !in_strip(state, got.memo, point)) return std::nullopt;
        SetCursor(LoadCursorW(nullptr, margin_row_at(state, point) != nullptr ? IDC_HAND : IDC_ARROW));
        return TRUE;
    }
    default: return std::nullopt;
    }
}

// The strip drawn over the painted text; after a change that rewraps the text anyway,
// the strip fitted to the results at the new size (a new size gives the control its own
// text area back).
void margin_after(AppState& state, const MemoMessage& got) {
    if (!state.margin->on) return;
    switch (got.message) {
    case WM_PAINT: draw_margin(state, got.memo); break;
    case WM_SIZE:
        set_text_area(state, got.memo, state.margin->width);
        fit_results_margin(state);
        break;
    case WM_SETFONT:
    case EM_SETZOOM: fit_results_margin(state); break;
    default: break;
    }
}

void apply_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    state.margin->rows.clear();
    if (state.margin->on) {
        // Fitted to the results on screen at once: the text rewraps once.
        fit_results_margin(state);
    } else if (state.margin->width != 0) {
        state.margin->width = 0;
        SendMessageW(memo, EM_SETRECT, 0, 0);  // the control's own text area again
    }
    InvalidateRect(memo, nullptr, TRUE);
}

const MarginRow* margin_row_at(const AppState& state, POINT point) {
    if (!state.margin->on) return nullptr;
    for (const MarginRow& row : state.margin->rows) {
        if (point.x >= row.box.left && point.x < row.box.right && point.y >= row.box.top && point.y < row.box.bottom)
            return &row;
    }
    return nullptr;
}

}  // namespace numvora
