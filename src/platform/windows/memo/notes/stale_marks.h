// Marks under results written into the memo that no longer hold (notes/book/stale_results.h):
// a thin underline in the theme's warning colour under the old figure, and a tooltip
// with the line's value now. They show while the margin shows the line results, whose
// notes follow every edit, and are drawn after the control has painted its text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/windows/memo/memo_message.h"
#include "ui/layout/pixel_rect.h"

namespace numvora {

// One row of a marked figure: its box in the memo's client area, as tall as the row.
struct StaleMark {
    PixelRect box;
    std::wstring tip;

    bool operator==(const StaleMark&) const = default;
};

struct StaleMarks {
    std::vector<StaleMark> marks;  // as the last paint drew them
    HWND tips = nullptr;           // their tooltips, made with the first mark
};

// The pointer over the memo reaches the marks' tooltips.
std::optional<LRESULT> stale_marks_before(AppState& state, const MemoMessage& message);

// Every paint draws the marks of the lines on screen and paints over those that went.
void stale_marks_after(AppState& state, const MemoMessage& message);

}  // namespace numvora
