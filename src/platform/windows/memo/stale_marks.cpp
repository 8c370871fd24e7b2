#include "platform/windows/memo/stale_marks.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/win32/wide_text.h"
#include "notes/stale_results.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/memo/memo_notes.h"
#include "platform/windows/memo/memo_zoom.h"
#include "platform/windows/memo/results_margin.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/painting/window_look.h"
#include "platform/windows/state/app_state.h"
#include "ui/colors/color_scheme.h"
#include "ui/commands.h"

namespace numvora {
namespace {

POINTL position_of(HWND memo, std::size_t character) {
    POINTL at{};
    SendMessageW(memo, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), static_cast<LPARAM>(character));
    return at;
}

// The boxes of the rows that the characters [start, start + count) of the memo's text
// take. Under Wine each position asked walks the text from its start, so the two ends
// are asked, and every character only of a figure that wraps.
std::vector<PixelRect> rows_of(HWND memo, HDC dc, std::wstring_view text, std::size_t start, std::size_t count,
                               std::int32_t height) {
    const auto right_of = [&](std::size_t character, POINTL at) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, &text[character], 1, &extent);
        return static_cast<std::int32_t>(at.x + extent.cx);
    };
    const std::size_t last = start + count - 1;
    const POINTL first_at = position_of(memo, start);
    const POINTL last_at = position_of(memo, last);
    if (first_at.y == last_at.y) return {{first_at.x, first_at.y, right_of(last, last_at), first_at.y + height}};
    std::vector<PixelRect> rows;
    for (std::size_t character = start; character <= last; ++character) {
        const POINTL at = character == last ? last_at : character == start ? first_at : position_of(memo, character);
        if (rows.empty() || rows.back().top != at.y) rows.push_back({at.x, at.y, at.x, at.y + height});
        rows.back().right = right_of(character, at);
    }
    return rows;
}

std::wstring tip_text(std::string_view now) {
    const Command& recalculate = *find_command(ids::MEMO_RECALCULATE);
    return to_wide("지금 값: " + std::string(now) + "\n" + command_key_text(recalculate.id) + " " +
                   std::string(recalculate.label));
}

// The marks of the lines on screen. A stale result is on a line with a value now, so
// the lines are those of the margin's rows, read by this paint without a question more.
std::vector<StaleMark> marks_on_screen(AppState& state, HWND memo, HDC dc, std::int32_t height) {
    const MemoNotes& notes = memo_notes(state);
    std::vector<StaleMark> marks;
    for (const MarginRow& row : state.margin->rows) {
        const std::optional<StaleResult> stale = stale_result(notes.book, row.line);
        if (!stale) continue;
        const std::string_view text = notes.book.text(row.line);
        const std::size_t start = notes.mirror.line_start(row.line) + to_wide(text.substr(0, stale->begin)).size();
        const std::size_t count = to_wide(text.substr(stale->begin, stale->end - stale->begin)).size();
        const std::wstring tip = tip_text(row.shown);
        for (const PixelRect& box : rows_of(memo, dc, notes.mirror.text(), start, count, height))
            marks.push_back({box, tip});
    }
    return marks;
}

// A line as thin as the text is small, under the figure's baseline and inside its row,
// never in the margin's strip.
void draw_marks(const AppState& state, HWND memo, HDC dc, const std::vector<StaleMark>& marks,
                const TEXTMETRICW& metrics, const RECT& area) {
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
    info.uFlags = TTF_SUBCLASS;
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

void stale_marks_after(AppState& state, const MemoMessage& got) {
    StaleMarks& record = *state.stale_marks;
    if (got.message != WM_PAINT || (!state.margin->on && record.marks.empty())) return;
    const WindowDc dc(got.memo);
    if (dc.get() == nullptr) return;
    const ScopedSelect in_font(dc.get(), memo_font(state));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    // The margin's paint has just asked the text area; without the margin there are no marks.
    RECT area{};
    if (state.margin->text_area)
        area = *state.margin->text_area;
    else
        SendMessageW(got.memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    std::vector<StaleMark> marks;
    if (state.margin->on) marks = marks_on_screen(state, got.memo, dc.get(), metrics.tmHeight);
    draw_marks(state, got.memo, dc.get(), marks, metrics, area);
    if (marks == record.marks) return;
    // A mark that went is painted over: an edit repaints only the rows it changed.
    for (const StaleMark& gone : record.marks) {
        if (std::find(marks.begin(), marks.end(), gone) != marks.end()) continue;
        const RECT box{gone.box.left, gone.box.top, gone.box.right, gone.box.bottom};
        InvalidateRect(got.memo, &box, FALSE);
    }
    follow_tips(state, got.memo, marks);
    record.marks = std::move(marks);
}

}  // namespace numvora
