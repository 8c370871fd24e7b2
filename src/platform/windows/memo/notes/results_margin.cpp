#include "platform/windows/memo/notes/results_margin.h"

#include <richedit.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "common/win32/wide_text.h"
#include "notes/reading/note_result.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_load.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/memo_notes.h"
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

RECT client_of(HWND memo) {
    RECT client{};
    GetClientRect(memo, &client);
    return client;
}

// The memo's own font (its zoom's, or the ui font at 100%), in which the results read
// as part of the text; the widths measured in another one are forgotten.
HFONT margin_font(AppState& state) {
    const std::wstring key = std::to_wstring(state.fonts.dpi) + L'|' + std::to_wstring(state.zoom->percent);
    MarginWidths& widths = state.margin->widths;
    if (key != widths.font_key) {
        widths.of.clear();
        widths.font_key = key;
    }
    return memo_font(state);
}

std::int32_t row_of(HWND memo, std::int32_t position) {
    POINTL at{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), position);
    return static_cast<std::int32_t>(at.y);
}

// The text from a position to its line's end fits on the rest of the row at x.
bool fits_from(HDC dc, const TextMirror<wchar_t>& mirror, std::size_t position, std::int32_t x, const RECT& area) {
    const std::size_t end = mirror.line_end(mirror.line_of(position));
    const std::wstring_view rest = std::wstring_view(mirror.text()).substr(position, end - position);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE extent{};
    GetTextExtentPoint32W(dc, rest.data(), static_cast<int>(rest.size()), &extent);
    return rest.find(L'\t') == std::wstring_view::npos && x + extent.cx + 2 * metrics.tmMaxCharWidth < area.right;
}

// The control's answers about the memo's lines, in pixels from the text's top at
// text_top in the client area.
RowQuestions questions_of(HWND memo, HDC dc, const MemoNotes& notes, const RECT& area, std::int32_t text_top,
                          std::optional<RECT> painting) {
    const TextMirror<wchar_t>& mirror = notes.mirror();
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return {
        [memo, &notes, area, text_top](std::int32_t y) {
            POINTL at{area.left, y + text_top};
            const auto position = SendMessageW(memo, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&at));
            return notes.line_of(static_cast<std::int32_t>(position));
        },
        [memo, &mirror, text_top](std::size_t line) {
            return row_of(memo, static_cast<std::int32_t>(mirror.line_start(line))) - text_top;
        },
        [memo, &mirror, text_top](std::size_t line) {
            const std::size_t end = std::max(mirror.line_end(line), mirror.line_start(line) + 1);
            return row_of(memo, static_cast<std::int32_t>(end) - 1) - text_top;
        },
        // Well inside the text area and without tabs, a line cannot wrap.
        [dc, &mirror, area, spare = 2 * metrics.tmMaxCharWidth](std::size_t line) {
            const std::size_t start = mirror.line_start(line);
            const std::wstring_view text =
                std::wstring_view(mirror.text()).substr(start, mirror.line_end(line) - start);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
            return text.find(L'\t') == std::wstring_view::npos && extent.cx + spare < area.right - area.left;
        },
        // The caret after a keystroke is where the line typed in stands, told by the
        // system without a question to the control.
        [memo, dc, &mirror, area, text_top](std::size_t line) -> std::optional<std::int32_t> {
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) == FALSE || thread.hwndCaret != memo)
                return std::nullopt;
            const MemoSelection selection = memo_selection(memo);
            const auto position = static_cast<std::size_t>(selection.end);
            if (!selection.empty() || selection.end < 0 || position > mirror.text().size() ||
                mirror.line_of(position) != line || !fits_from(dc, mirror, position, thread.rcCaret.left, area))
                return std::nullopt;
            return thread.rcCaret.top - text_top;
        },
        [memo, text_top, painting](std::int32_t top, std::int32_t bottom) {
            RECT repainted{};
            if (painting)
                repainted = *painting;
            else if (GetUpdateRect(memo, &repainted, FALSE) == FALSE)
                return false;
            return repainted.top >= top + text_top && repainted.bottom <= bottom + text_top;
        },
    };
}

// The lines laid out as the notes now stand: an edit moves the lines it changed, and
// anything else (the memo read anew, edits not seen one by one) forgets them.
void follow_notes(MarginLayout& layout, const MemoNotes& notes) {
    if (notes.changes() == layout.notes_seen) return;
    const MemoNotes::Change& change = notes.last_change();
    if (notes.changes() == layout.notes_seen + 1 && !change.whole)
        replace_lines(layout.lines, change.first, change.count, change.lines);
    else
        layout.lines = {};
    layout.notes_seen = notes.changes();
}

// The results of the lines whose last row shows, each on that row, measured in the
// margin's font (the memo's); the widest of them.
std::vector<MarginRow> read_results(AppState& state, HWND memo, HDC dc, std::int32_t& widest) {
    widest = 0;
    ResultsMarginState& margin = *state.margin;
    // While the memo goes in or is read beside, the strip waits for it: never a figure
    // of a half-read block.
    const MemoNotes* at_hand = memo_loading(state) ? nullptr : memo_notes_at_hand(state);
    if (at_hand == nullptr) return {};
    const MemoNotes& notes = *at_hand;
    MarginLayout& layout = margin.layout;
    follow_notes(layout, notes);
    if (layout.lines.rows.empty() || !layout.text_area) {
        RECT asked{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&asked));
        layout.text_area = asked;
    }
    const RECT area = *layout.text_area;
    const RECT client = client_of(memo);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The first character's row gives the scroll position, exact where the control's
    // own report is scaled to 16 bits, and without a walk of the text.
    const std::int32_t text_top = row_of(memo, 0);
    layout.text_top = text_top;
    const std::vector<LaidLine> laid =
        lay_out_screen(layout.lines, client.top - text_top, client.bottom - text_top, metrics.tmHeight,
                       notes.mirror().lines(), questions_of(memo, dc, notes, area, text_top, margin.drawn.painting));
    std::unordered_map<std::wstring, std::int32_t> widths;
    const auto width_of = [&](const std::wstring& text) {
        auto known = margin.widths.of.find(text);
        if (known == margin.widths.of.end()) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
            known = margin.widths.of.emplace(text, static_cast<std::int32_t>(extent.cx)).first;
        }
        widths.insert(*known);
        return known->second;
    };
    std::vector<MarginRow> rows;
    const ResultView view{margin.in_man};
    for (const LaidLine& line : laid) {
        std::optional<std::string> shown = notes.book().shown(line.line, view);
        if (!shown) continue;
        const std::int32_t top = line.last_row_top + text_top;
        rows.push_back({{0, top, client.right, top + metrics.tmHeight}, std::move(*shown), line.line});
        widest = std::max(widest, width_of(to_wide(rows.back().shown)));
    }
    margin.widths.of = std::move(widths);
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
    state.margin->layout.lines = {};  // the text rewraps
    SendMessageW(memo, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
}

}  // namespace

namespace {

// The notes of the whole memo once read, also while the memo still goes in: they are
// of the text that goes in.
const MemoNotes* whole_notes(AppState& state) {
    if (!memo_loading(state)) return memo_notes_at_hand(state);
    const MemoNotes& notes = *state.notes;
    return notes.in_step() && !notes.changed() ? &notes : nullptr;
}

// The widest of every result in the memo, in the DC's font, each text measured once.
std::int32_t widest_in_book(HDC dc, const NoteBook& book, ResultView view) {
    std::unordered_set<std::string> texts;
    for (std::size_t line = 0; line < book.size(); ++line) {
        if (std::optional<std::string> shown = book.shown(line, view)) texts.insert(std::move(*shown));
    }
    std::int32_t widest = 0;
    for (const std::string& text : texts) {
        const std::wstring wide = to_wide(text);
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &extent);
        widest = std::max(widest, static_cast<std::int32_t>(extent.cx));
    }
    return widest;
}

// The results on screen read and placed beside the text area as it is now; the width
// of strip they need, or with whole_book, that every result of the memo needs once its
// notes are read, so that no scroll meets a wider one.
std::int32_t read_rows(AppState& state, HWND memo, bool whole_book) {
    const WindowDc dc(memo);
    if (dc.get() == nullptr) return state.margin->width;
    const ScopedSelect in_font(dc.get(), margin_font(state));
    const RECT client = client_of(memo);
    std::int32_t widest = 0;
    state.margin->rows = read_results(state, memo, dc.get(), widest);
    for (MarginRow& row : state.margin->rows) row.box.left = client.right - state.margin->width;
    const MemoNotes* notes = whole_book ? whole_notes(state) : nullptr;
    if (notes != nullptr) {
        widest = std::max(widest, widest_in_book(dc.get(), notes->book(), ResultView{state.margin->in_man}));
        state.margin->book_fitted = notes->readings();
    }
    return results_margin_width(widest, client.right - client.left, state.fonts.dpi);
}

// The strip as wide as the memo's results need: the text area set anew, which rewraps
// the text, and the rows read again. Never from a paint: the text area is the control's
// layout, which a paint only shows.
void fit_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    state.margin->fit_posted = false;
    const std::int32_t width = read_rows(state, memo, true);
    if (width == state.margin->width) return;
    state.margin->refreshing = true;
    set_text_area(state, memo, width);
    state.margin->refreshing = false;
    read_rows(state, memo, false);
    // The control may have painted within the change, with the rows of the old width:
    // the strip is drawn again with these.
    state.margin->drawn.width = -1;
    const RECT client = client_of(memo);
    const RECT strip{client.right - width, client.top, client.right, client.bottom};
    InvalidateRect(memo, &strip, FALSE);
}

}  // namespace

// Every change of the width rewraps the whole memo (seconds for megabytes under Wine):
// it follows the results when the text rewraps anyway, grows in between in a memo short
// enough to rewrap at once, and takes in every result of the memo once its notes are
// read whole (at the start while it still goes in, after a change too large to follow),
// right after the paint. A result an edit makes wider meanwhile is cut with "…".
void refresh_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    ResultsMarginState& margin = *state.margin;
    const std::int32_t width = read_rows(state, memo, false);
    const bool wider = width > margin.width && memo_length(memo) <= QUICK_REWRAP_LENGTH;
    const bool read_whole = state.notes->readings() != margin.book_fitted && whole_notes(state) != nullptr;
    if ((wider || read_whole) && !margin.fit_posted)
        margin.fit_posted = PostMessageW(memo, WM_FIT_RESULTS_MARGIN, 0, 0) != FALSE;
}

namespace {

// After the text painted: the strip, its rule and the results, in the memo's colours.
void draw_margin(AppState& state, HWND memo) {
    const WindowDc window_dc(memo);
    const HDC dc = window_dc.get();
    if (dc == nullptr) return;
    const RECT client = client_of(memo);
    RECT strip{client.right - state.margin->width, client.top, client.right, client.bottom};
    if (const std::optional<RECT>& part = state.margin->drawn.to_draw) {
        if (!IntersectRect(&strip, &strip, &*part)) return;
        IntersectClipRect(dc, strip.left, strip.top, strip.right, strip.bottom);
    }
    FillRect(dc, &strip, state.brushes.memo.get());
    const MarginColors colors = margin_colors(color_scheme(state));
    const RECT rule{client.right - state.margin->width, strip.top, client.right - state.margin->width + 1,
                    strip.bottom};
    SetDCBrushColor(dc, colors.rule);
    FillRect(dc, &rule, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const ScopedSelect in_font(dc, margin_font(state));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    const std::int32_t padding = scale_for_dpi(RESULTS_MARGIN_PADDING, state.fonts.dpi);
    for (const MarginRow& row : state.margin->rows) {
        if (row.box.bottom <= strip.top || row.box.top >= strip.bottom) continue;
        RECT box{row.box.left + padding, row.box.top, row.box.right - padding, row.box.bottom};
        std::wstring shown = to_wide(row.shown);
        DrawTextW(dc, shown.data(), static_cast<int>(shown.size()), &box,
                  DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

// The strip's rows whose result or place changed since the last paint are drawn again
// after the text, with what the control repaints, and only they: a keystroke redraws a
// row or two rather than the whole strip. A scroll or a new width redraws it all.
void mark_changed_rows(AppState& state, HWND memo) {
    ResultsMarginState& margin = *state.margin;
    MarginDrawing& drawn = margin.drawn;
    const std::vector<MarginRow>& before = drawn.rows;
    const RECT client = client_of(memo);
    const RECT strip{client.right - margin.width, client.top, client.right, client.bottom};
    // The part drawn after the text: what the control repaints, asked as the paint
    // started, and the rows marked here, which the strip's own fill clears.
    RECT dirty = drawn.painting.value_or(RECT{});
    const auto mark_box = [&](const RECT& box) { UnionRect(&dirty, &dirty, &box); };
    const auto mark = [&](const MarginRow& row) { mark_box({strip.left, row.box.top, strip.right, row.box.bottom}); };
    const auto missing_from = [](const std::vector<MarginRow>& rows, const MarginRow& row) {
        return std::none_of(rows.begin(), rows.end(), [&](const MarginRow& other) {
            return other.box.top == row.box.top && other.shown == row.shown;
        });
    };
    if (margin.width != drawn.width || margin.layout.text_top != drawn.top) {
        mark_box(strip);
    } else {
        for (const MarginRow& row : margin.rows)
            if (missing_from(before, row)) mark(row);
        for (const MarginRow& row : before)
            if (missing_from(margin.rows, row)) mark(row);
    }
    drawn.to_draw = dirty;
}

bool in_strip(const AppState& state, HWND memo, POINT point) {
    const RECT client = client_of(memo);
    return state.margin->width > 0 && PtInRect(&client, point) && point.x >= client.right - state.margin->width;
}

}  // namespace

// While the option is on: the results read before a paint, a strip fitted after the
// text was rewrapped, and the pointer over a result showing that it can be clicked.
std::optional<LRESULT> margin_before(AppState& state, const MemoMessage& message) {
    if (!state.margin->on) return std::nullopt;
    switch (message.id) {
    case WM_PAINT: {
        ResultsMarginState& margin = *state.margin;
        margin.drawn.to_draw.reset();
        if (margin.refreshing) return std::nullopt;
        RECT painting{};
        if (GetUpdateRect(message.memo, &painting, FALSE) != FALSE) margin.drawn.painting = painting;
        refresh_results_margin(state);
        mark_changed_rows(state, message.memo);
        margin.drawn.painting.reset();
        return std::nullopt;
    }
    case WM_FIT_RESULTS_MARGIN: fit_results_margin(state); return 0;
    case WM_SETCURSOR: {
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(message.memo, &point);
        if (LOWORD(message.lparam) != HTCLIENT || !in_strip(state, message.memo, point)) return std::nullopt;
        SetCursor(LoadCursorW(nullptr, margin_row_at(state, point) != nullptr ? IDC_HAND : IDC_ARROW));
        return TRUE;
    }
    default: return std::nullopt;
    }
}

// The strip drawn over the painted text; after a change that rewraps the text anyway,
// the strip fitted to the results at the new size (a new size gives the control its own
// text area back).
void margin_after(AppState& state, const MemoMessage& message) {
    if (!state.margin->on) return;
    switch (message.id) {
    case WM_PAINT: {
        draw_margin(state, message.memo);
        MarginDrawing& drawn = state.margin->drawn;
        drawn.rows = state.margin->rows;
        drawn.width = drawn.to_draw ? state.margin->width : -1;
        drawn.top = state.margin->layout.text_top;
        break;
    }
    case WM_SIZE:
        state.margin->layout.lines = {};
        set_text_area(state, message.memo, state.margin->width);
        fit_results_margin(state);
        break;
    case WM_SETFONT:
    case EM_SETZOOM:
        state.margin->layout.lines = {};
        fit_results_margin(state);
        break;
    default: break;
    }
}

void margin_follows_notes(AppState& state) {
    if (!state.margin->on) return;
    const MemoNotes& notes = *state.notes;
    const bool unseen = notes.changes() != state.margin->layout.notes_seen;
    follow_notes(state.margin->layout, notes);
    // Drawn with the notes before the edit, and no paint to come that would redraw it.
    if (unseen && notes.last_change().shown_early) ask_results_margin_paint(state);
}

void apply_results_margin(AppState& state) {
    const HWND memo = state.memo_edit();
    state.notes->follow_edits(state.margin->on);
    state.margin->rows.clear();
    state.margin->layout.lines = {};
    state.margin->drawn.width = -1;
    if (state.margin->on) {
        // Fitted to the results on screen at once: the text rewraps once.
        fit_results_margin(state);
    } else if (state.margin->width != 0) {
        state.margin->width = 0;
        SendMessageW(memo, EM_SETRECT, 0, 0);  // the control's own text area again
    }
    InvalidateRect(memo, nullptr, TRUE);
}

void ask_results_margin_paint(AppState& state) {
    const HWND memo = state.memo_edit();
    const RECT client = client_of(memo);
    const RECT strip{client.right - state.margin->width, client.top, client.right, client.bottom};
    InvalidateRect(memo, &strip, FALSE);
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
