#include "platform/windows/memo/notes/stale_marks.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "common/win32/wide_text.h"
#include "notes/book/stale_results.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/notes/memo_notes.h"
#include "platform/windows/memo/notes/results_margin.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "ui/colors/color_scheme.h"
#include "ui/commands.h"
#include "ui/layout/line_rows.h"

namespace numvora {
namespace {

POINTL position_of(HWND memo, std::size_t character) {
    POINTL at{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), static_cast<LPARAM>(character));
    return at;
}

// A figure typed in has the caret in it or after it, on the row where it starts when it
// fits there: the system tells where the caret is without a question to the control.
std::optional<POINTL> figure_start_by_caret(HWND memo, HDC dc, std::wstring_view text, std::size_t start,
                                            std::size_t count) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) == FALSE || thread.hwndCaret != memo) return std::nullopt;
    const MemoSelection selection = memo_selection(memo);
    const auto caret = static_cast<std::size_t>(std::max(selection.end, 0));
    if (!selection.empty() || caret < start || caret > start + count) return std::nullopt;
    SIZE before{};
    GetTextExtentPoint32W(dc, &text[start], static_cast<int>(caret - start), &before);
    return POINTL{thread.rcCaret.left - before.cx, thread.rcCaret.top};
}

// The boxes of the rows that the characters [start, start + count) of the memo's text
// take. Under Wine each position asked walks the text from its start: a figure that fits
// on the rest of its first row is measured from there; of one that wraps, the two ends
// are asked, and the characters that halve it where it breaks.
std::vector<PixelRect> rows_of(HWND memo, HDC dc, std::wstring_view text, std::size_t start, std::size_t count,
                               std::int32_t height, const RECT& area) {
    std::map<std::size_t, POINTL> asked;
    const auto at = [&](std::size_t character) {
        const auto known = asked.find(character);
        return known != asked.end() ? known->second
                                    : asked.emplace(character, position_of(memo, character)).first->second;
    };
    SIZE whole{};
    GetTextExtentPoint32W(dc, &text[start], static_cast<int>(count), &whole);
    const std::optional<POINTL> by_caret = figure_start_by_caret(memo, dc, text, start, count);
    if (const POINTL first = by_caret ? *by_caret : at(start); first.x + whole.cx <= area.right)
        return {{first.x, first.y, static_cast<std::int32_t>(first.x + whole.cx), first.y + height}};
    std::vector<PixelRect> rows;
    for (const RowSpan& span :
         rows_of_characters(start, start + count - 1, [&](std::size_t character) { return at(character).y; })) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, &text[span.last], 1, &extent);
        const POINTL left = at(span.first);
        rows.push_back({left.x, left.y, static_cast<std::int32_t>(at(span.last).x + extent.cx), left.y + height});
    }
    return rows;
}

// The value now as F9 would write it over the old one: " = 723,000" is "723,000".
std::string_view now_as_written(std::string_view written) {
    const std::size_t equals = written.find('=');
    written.remove_prefix(equals == std::string_view::npos ? 0 : equals + 1);
    while (written.starts_with(' ')) written.remove_prefix(1);
    return written;
}

std::wstring tip_text(std::string_view now) {
    const Command& recalculate = *find_command(ids::MEMO_RECALCULATE);
    return to_wide("지금 값: " + std::string(now) + "\n" + command_key_text(recalculate.id) + " " +
                   std::string(recalculate.label));
}

// A stale figure on screen: its characters in the memo's text, its line, and its tip.
struct StaleFigure {
    std::size_t start = 0;
    std::size_t count = 0;
    std::size_t offset = 0;     // of start in its line
    std::string_view through;   // its line's text up to its end
    std::int32_t last_row = 0;  // the top of its line's last row, from the text's top
    std::wstring tip;
};

// The stale figures of the lines on screen. A stale result is on a line with a value
// now, so the lines are those of the margin's rows, read by this paint without a
// question more, with the notes it read them from.
std::vector<StaleFigure> stale_on_screen(const AppState& state) {
    const MemoNotes& notes = *state.notes;
    std::vector<StaleFigure> figures;
    for (const MarginRow& row : state.margin->rows) {
        const std::optional<StaleResult> stale = stale_result(notes.book(), row.line);
        if (!stale) continue;
        const std::string_view text = notes.book().text(row.line);
        const std::size_t offset = to_wide(text.substr(0, stale->begin)).size();
        figures.push_back({notes.mirror().line_start(row.line) + offset,
                           to_wide(text.substr(stale->begin, stale->end - stale->begin)).size(), offset,
                           text.substr(0, stale->end), row.box.top - state.margin->layout.text_top,
                           tip_text(now_as_written(stale->written))});
    }
    return figures;
}

// The figure's rows as the last paint found them, or asked of the control.
PlacedFigure place(HWND memo, HDC dc, const std::vector<PlacedFigure>& before, const StaleFigure& figure,
                   const RECT& area, std::int32_t height, std::int32_t text_top, const std::wstring& text) {
    PlacedFigure placed{std::string(figure.through),
                        figure.last_row,
                        figure.offset,
                        figure.count,
                        {area.left, area.top, area.right, area.bottom},
                        height,
                        text_top,
                        {}};
    for (const PlacedFigure& known : before) {
        if (known.last_row != placed.last_row || known.offset != placed.offset || known.count != placed.count ||
            known.area != placed.area || known.row_height != height || known.through != placed.through)
            continue;
        // Found before a scroll: as far from the text's top as then.
        placed.rows = known.rows;
        for (PixelRect& row : placed.rows) {
            row.top += text_top - known.text_top;
            row.bottom += text_top - known.text_top;
        }
        return placed;
    }
    placed.rows = rows_of(memo, dc, text, figure.start, figure.count, height, area);
    return placed;
}

// A line as thin as the text is small, under the figure's baseline and inside its row,
// never in the margin's strip.
void draw_marks(const AppState& state, HWND memo, HDC dc, const std::vector<StaleMark>& marks,
                const TEXTMETRICW& metrics, const RECT& area) {
    if (marks.empty()) return;
    const std::int32_t thickness = std::max<std::int32_t>(1, metrics.tmHeight / 16);
    SetDCBrushColor(dc, scheme_palette(color_scheme(state))[STATUS_ERROR_TEXT]);
    HideCaret(memo);  // its blink would draw over the line otherwise
    for (const StaleMark& mark : marks) {
        const LONG y = std::min<LONG>(mark.box.top + metrics.tmAscent + thickness, mark.box.bottom - thickness);
        const RECT line{std::max<LONG>(mark.box.left, area.left), y, std::min<LONG>(mark.box.right, area.right),
                        y + thickness};
        if (line.left < line.right) FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    ShowCaret(memo);
}

TOOLINFOW tool_of(HWND memo, std::size_t index, const StaleMark* mark) {
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = 0;  // the memo relays the pointer to its tips (stale_marks_before)
    info.hwnd = memo;
    info.uId = index;
    if (mark != nullptr) {
        info.rect = {mark->box.left, mark->box.top, mark->box.right, mark->box.bottom};
        info.lpszText = const_cast<wchar_t*>(mark->tip.c_str());
    }
    return info;
}

// A tool for each mark, in place of the last paint's.
void follow_tips(AppState& state, HWND memo, const std::vector<StaleMark>& marks) {
    StaleMarks& record = *state.stale_marks;
    if (record.tips == nullptr) {
        if (marks.empty()) return;
        record.tips = make_tips(state.main_window, state.fonts.dpi);
        if (record.tips == nullptr) return;
    }
    for (std::size_t i = 0; i < record.marks.size(); ++i) {
        TOOLINFOW gone = tool_of(memo, i, nullptr);
        SendMessageW(record.tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&gone));
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        TOOLINFOW tool = tool_of(memo, i, &marks[i]);
        SendMessageW(record.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

}  // namespace

// The tips follow the pointer through the memo's own procedure: a tooltip's subclass of
// the memo would cost every message to it a look-up of its properties.
std::optional<LRESULT> stale_marks_before(AppState& state, const MemoMessage& message) {
    const HWND tips = state.stale_marks->tips;
    if (tips == nullptr || message.id < WM_MOUSEMOVE || message.id > WM_MBUTTONDBLCLK) return std::nullopt;
    MSG relayed{message.memo, message.id, message.wparam, message.lparam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tips, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    return std::nullopt;
}

void stale_marks_after(AppState& state, const MemoMessage& message) {
    StaleMarks& record = *state.stale_marks;
    if (message.id != WM_PAINT || (!state.margin->on && record.marks.empty())) return;
    std::vector<StaleFigure> figures;
    if (state.margin->on) figures = stale_on_screen(state);
    // Nothing to draw nor to paint over: a keystroke's paint asks the system nothing.
    if (figures.empty() && record.marks.empty()) return;
    const WindowDc dc(message.memo);
    if (dc.get() == nullptr) return;
    const ScopedSelect in_font(dc.get(), memo_font(state));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    // The margin's paint has just asked the text area; without the margin there are no marks.
    RECT area{};
    if (state.margin->layout.text_area)
        area = *state.margin->layout.text_area;
    else
        SendMessageW(message.memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    std::vector<StaleMark> marks;
    std::vector<PlacedFigure> placed;
    for (const StaleFigure& figure : figures) {
        placed.push_back(place(message.memo, dc.get(), record.placed, figure, area, metrics.tmHeight,
                               state.margin->layout.text_top, state.notes->mirror().text()));
        for (const PixelRect& box : placed.back().rows) marks.push_back({box, figure.tip});
    }
    record.placed = std::move(placed);
    draw_marks(state, message.memo, dc.get(), marks, metrics, area);
    if (marks == record.marks) return;
    // A mark that went is painted over: an edit repaints only the rows it changed.
    for (const StaleMark& gone : record.marks) {
        if (std::find(marks.begin(), marks.end(), gone) != marks.end()) continue;
        const RECT box{gone.box.left, gone.box.top, gone.box.right, gone.box.bottom};
        InvalidateRect(message.memo, &box, FALSE);
    }
    follow_tips(state, message.memo, marks);
    record.marks = std::move(marks);
}

}  // namespace numvora
