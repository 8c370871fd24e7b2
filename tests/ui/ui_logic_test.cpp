// The shell's decisions that need no window: scaling, placement, layout, keyboard
// tables, routing, palette, keypad table, error codes, the memo versions dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/win32/hresult.h"
#include "ui/colors/button_colors.h"
#include "ui/colors/theme_palette.h"
#include "ui/command_line.h"
#include "ui/commands.h"
#include "ui/control_table.h"
#include "ui/key_chord.h"
#include "ui/keypad_buttons.h"
#include "ui/layout/dpi_scale.h"
#include "ui/layout/layout.h"
#include "ui/layout/placement.h"
#include "ui/layout/results_margin.h"
#include "ui/layout/text_fit.h"
#include "ui/memo/memo_menu.h"
#include "ui/memo/memo_versions.h"
#include "ui/memo/memo_zoom.h"
#include "ui/memo/text_search.h"
#include "ui/menu_item.h"
#include "ui/part_order.h"
#include "ui/settings_dialog.h"
#include "ui/shortcuts.h"
#include "ui/tab_order.h"

namespace numvora {
namespace {

TEST(ScaleForDpi, TruncatesAndSaturates) {
    constexpr std::int32_t MAX = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t MIN = std::numeric_limits<std::int32_t>::min();
    struct Row {
        std::int32_t n;
        std::uint32_t dpi;
        std::int32_t expected;
    };
    const Row rows[] = {
        {14, 96, 14},         {14, 120, 17},        {740, 144, 1110},    {21, 120, 26}, {-14, 120, -17},
        {MAX, 192, MAX / 96}, {MIN, 192, MIN / 96}, {MAX, 96, MAX / 96}, {0, 0, 0},  // the product saturates before the
                                                                                     // division
    };
    for (const Row& row : rows) {
        EXPECT_EQ(scale_for_dpi(row.n, row.dpi), row.expected) << row.n << " at " << row.dpi;
    }
}

TEST(Placement, DefaultSizeIsScaled) {
    EXPECT_EQ(default_placement(96), (PixelBox{SYSTEM_DEFAULT_POSITION, SYSTEM_DEFAULT_POSITION, 860, 760}));
    EXPECT_EQ(default_placement(144), (PixelBox{SYSTEM_DEFAULT_POSITION, SYSTEM_DEFAULT_POSITION, 1290, 1140}));
}

TEST(Placement, ClampsIntoTheWorkArea) {
    const PixelRect work{0, 0, 1920, 1040};
    struct Row {
        SavedGeometry saved;
        PixelRect work;
        std::uint32_t dpi;
        PixelBox expected;
    };
    const Row rows[] = {
        {{100, 50, 900, 780}, work, 96, {100, 50, 900, 780}},
        {{100, 50, 500, 400}, work, 96, {100, 50, 740, 750}},     // grown to the smallest size
        {{100, 50, 500, 400}, work, 144, {100, 0, 1110, 1040}},   // scaled minimum, cut to the area
        {{0, 0, 5000, 3000}, work, 96, {0, 0, 1920, 1040}},       // cut to the work area
        {{3000, -400, 900, 780}, work, 96, {1020, 0, 900, 780}},  // moved back inside
        {{-3000, 2000, 900, 780}, {-1920, 0, 0, 1080}, 96, {-1920, 300, 900, 780}},
        {{10, 10, 900, 720}, {50, 60, 50, 60}, 96, {50, 60, 1, 1}},  // empty area: lower bound wins
    };
    for (const Row& row : rows) EXPECT_EQ(clamp_placement(row.saved, row.work, row.dpi), row.expected);
}

// At a high DPI on a small screen the smallest size still fits on the screen.
TEST(Placement, MinTrackSizeFitsTheWorkArea) {
    const struct {
        std::uint32_t dpi;
        PixelRect work;
        PixelBox expected;
    } rows[] = {
        {96, {0, 0, 1920, 1040}, {0, 0, 740, 750}},  {144, {0, 0, 1920, 1040}, {0, 0, 1110, 1040}},
        {144, {0, 0, 1280, 984}, {0, 0, 1110, 984}}, {192, {-1280, 0, 0, 984}, {0, 0, 1280, 984}},
        {96, {10, 10, 10, 10}, {0, 0, 1, 1}},
    };
    for (const auto& row : rows) EXPECT_EQ(min_track_size(row.dpi, row.work), row.expected) << row.dpi;
}

// A taskbar at the top or left offsets workspace coordinates from screen coordinates.
TEST(Placement, WorkspaceToScreen) {
    const PixelRect restored{100, 50, 900, 750};
    const struct {
        PixelRect monitor;
        PixelRect work;
        PixelRect expected;
    } rows[] = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, restored},                // taskbar at the bottom
        {{0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {100, 90, 900, 790}},    // at the top
        {{0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {160, 50, 960, 750}},    // at the left
        {{-1920, 0, 0, 1080}, {-1860, 30, 0, 1080}, {160, 80, 960, 780}},  // a second monitor
    };
    for (const auto& row : rows) EXPECT_EQ(workspace_to_screen(restored, row.monitor, row.work), row.expected);
}

TEST(Placement, SavedRectSaturates) {
    const SavedGeometry saved{std::numeric_limits<std::int32_t>::max() - 5, 10, 900, 720};
    const PixelRect rect = saved_window_rect(saved);
    EXPECT_EQ(rect.right, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(rect.bottom, 730);
}

// The worked example: 1000 × 800 client at 96 DPI, 42 %.
TEST(Layout, CalculatorOnTheLeft) {
    using enum ControlSlot;
    const LayoutRects r = compute_layout({1000, 800, 96, false, 42});
    EXPECT_EQ(r.top_bar, (PixelRect{14, 14, 986, 60}));
    EXPECT_EQ(r.calculator_panel, (PixelRect{14, 74, 416, 786}));
    EXPECT_EQ(r.memo_panel, (PixelRect{430, 74, 986, 786}));
    EXPECT_EQ(r.box(SaveButton), (PixelBox{28, 20, 106, 34}));
    EXPECT_EQ(r.box(DarkModeButton), (PixelBox{830, 20, 142, 34}));
    EXPECT_EQ(r.box(SideButton), (PixelBox{252, 88, 150, 30}));
    EXPECT_EQ(r.box(ExpressionCaption), (PixelBox{28, 124, 252, 18}));
    EXPECT_EQ(r.box(ThousandsCheckbox), (PixelBox{286, 122, 116, 22}));
    EXPECT_EQ(r.box(ExpressionEdit), (PixelBox{28, 148, 374, 34}));
    const std::int32_t result_x[] = {28, 154, 280};
    const ControlSlot result_buttons[] = {ResultToMemoButton, ExpressionResultToMemoButton, CopyResultButton};
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(r.box(result_buttons[i]), (PixelBox{result_x[i], 268, 120, 34}));
    EXPECT_EQ(r.box(HistoryCaption), (PixelBox{28, 600, 286, 18}));
    EXPECT_EQ(r.box(ClearHistoryButton), (PixelBox{320, 600, 82, 22}));
    EXPECT_EQ(r.box(HistoryList), (PixelBox{28, 624, 374, 148}));
    const std::int32_t operation_x[] = {718, 770, 822, 874, 926};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(r.box(OperationButton, i), (PixelBox{operation_x[i], 88, 46, 30}));
    EXPECT_EQ(r.box(MemoEdit), (PixelBox{444, 124, 528, 618}));
    EXPECT_EQ(r.box(StatusLabel), (PixelBox{444, 748, 528, 24}));  // under the memo, as wide
}

// The keys fill the calculator's inside in the keypad table's grid: columns of one
// width and rows of one height, a gap apart, and a key as wide as the columns it spans.
TEST(Layout, KeypadFillsItsGridAcrossTheCalculator) {
    using enum ControlSlot;
    for (const LayoutInput input : {LayoutInput{1000, 800, 96, false, 42}, LayoutInput{1300, 1000, 144, true, 60}}) {
        const LayoutRects r = compute_layout(input);
        const PixelBox inside = r.box(ExpressionEdit);
        std::int32_t left = std::numeric_limits<std::int32_t>::max(), top = left, pitch_x = 0, pitch_y = 0;
        for (std::size_t i = 0; i < KEYPAD_BUTTON_COUNT; ++i) {
            left = std::min(left, r.box(KeypadKey, i).x);
            top = std::min(top, r.box(KeypadKey, i).y);
        }
        for (std::size_t i = 0; i < KEYPAD_BUTTON_COUNT; ++i) {
            const KeypadButton& key = KEYPAD_BUTTONS[i];
            if (key.column > 0) pitch_x = (r.box(KeypadKey, i).x - left) / static_cast<std::int32_t>(key.column);
            if (key.row > 0) pitch_y = (r.box(KeypadKey, i).y - top) / static_cast<std::int32_t>(key.row);
        }
        const PixelBox& one = r.box(KeypadKey, 0);
        const std::int32_t gap = pitch_y - one.height;  // between rows as between columns
        for (std::size_t i = 0; i < KEYPAD_BUTTON_COUNT; ++i) {
            const KeypadButton& key = KEYPAD_BUTTONS[i];
            const auto span = static_cast<std::int32_t>(key.column_span);
            EXPECT_EQ(r.box(KeypadKey, i),
                      (PixelBox{left + static_cast<std::int32_t>(key.column) * pitch_x,
                                top + static_cast<std::int32_t>(key.row) * pitch_y, span * pitch_x - gap, one.height}))
                << i;
        }
        const std::int32_t right = left + static_cast<std::int32_t>(KEYPAD_COLUMNS) * pitch_x - gap;
        EXPECT_EQ(left, inside.x);
        const std::int32_t columns = static_cast<std::int32_t>(KEYPAD_COLUMNS);
        EXPECT_TRUE(right <= inside.x + inside.width && right > inside.x + inside.width - columns) << right;
        const PixelBox above = r.box(CopyResultButton);
        EXPECT_EQ(top - (above.y + above.height), 2 * gap);
        EXPECT_EQ(r.box(HistoryCaption).y - (top + static_cast<std::int32_t>(KEYPAD_ROWS) * pitch_y - gap), 2 * gap);
    }
}

// Above 96 DPI each part of a row's place scales on its own, so that sums of scaled
// parts round as the row writes them: a fixed width, and a nudge against a box of the
// same band without one (a check box's s(18) + s(4), the find box's two insets).
TEST(Layout, ScaledBoxesRoundPartByPart) {
    for (const std::uint32_t dpi : {120u, 144u, 168u}) {
        SCOPED_TRACE(dpi);
        const auto s = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
        const LayoutRects r = compute_layout({1300, 1000, dpi, false, 42, FindBar::Replace});
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
            const Place& place = CONTROL_ROWS[i].place;
            if (place.width > 0 && !place.gives_way) {
                EXPECT_EQ(r.boxes[i].width, s(place.width) - s(place.narrower)) << i;
            }
            const bool nudged = place.top != 0 || place.taller != 0 || place.inset != 0;
            for (std::size_t j = 0; nudged && j < CONTROL_COUNT; ++j) {
                const Place& plain = CONTROL_ROWS[j].place;
                if (plain.band != place.band || plain.top != 0 || plain.taller != 0 || plain.inset != 0) continue;
                EXPECT_EQ(r.boxes[i].y, r.boxes[j].y + s(place.top) + s(place.inset)) << i;
                EXPECT_EQ(r.boxes[i].height, r.boxes[j].height + s(place.taller) - 2 * s(place.inset)) << i;
            }
        }
    }
    // A worked example at 144 DPI, 1300 pixels wide: the calculator panel's inside starts
    // at 42 and is 477 wide; the memo's starts at 582 and is 676 wide.
    using enum ControlSlot;
    const LayoutRects r = compute_layout({1300, 1000, 144, false, 42, FindBar::Replace});
    EXPECT_EQ(r.box(ThousandsCheckbox), (PixelBox{345, 183, 174, 33}));  // 42 + 477 - 174; 27 + 6 high
    EXPECT_EQ(r.box(FindBox), (PixelBox{582, 190, 388, 37}));            // 676 - 114 - 156 - 2 × 9; 45 - 2 × 4 high
    EXPECT_EQ(r.box(ReplaceBox).width, 388);
    EXPECT_EQ(r.box(OperationButton, 1), (PixelBox{955, 132, 69, 45}));
}

// No box comes out negative, and at a usable size every box lies inside the client
// area without overlapping another.
TEST(Layout, BoxesStayInsideAndApart) {
    for (const LayoutInput input : {LayoutInput{20, 30, 96, false, 42}, LayoutInput{-5, -5, 120, true, 100}}) {
        for (const PixelBox& box : compute_layout(input).boxes) EXPECT_TRUE(box.width >= 0 && box.height >= 0);
    }
    EXPECT_EQ(compute_layout({1000, 800, 120, false, 42}).top_bar.left, 17);
    // Every control gets a box of its own; the find bar's only while the bar is open.
    for (const LayoutInput input : {LayoutInput{1000, 800, 96, false, 42}, LayoutInput{1300, 1000, 120, true, 60},
                                    LayoutInput{1000, 800, 96, true, 42, FindBar::Replace}}) {
        const LayoutRects r = compute_layout(input);
        for (std::size_t i = 0; i < CONTROL_COUNT; ++i) {
            const PixelBox& a = r.boxes[i];
            if (input.find_bar == FindBar::Replace || find_bar_row(CONTROL_ROWS[i]) == FindBar::Hidden) {
                EXPECT_TRUE(a.width > 0 && a.height > 0) << i;
            }
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.width <= input.client_width &&
                        a.y + a.height <= input.client_height)
                << i;
            for (std::size_t j = i + 1; j < CONTROL_COUNT; ++j) {
                const PixelBox& b = r.boxes[j];
                const bool apart =
                    a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
                EXPECT_TRUE(apart) << i << " overlaps " << j;
            }
        }
    }
}

// The find bar takes the top of the memo's area, one row or two and its message's line,
// inside the memo's width; the memo moves down by its height and keeps its bottom.
TEST(Layout, FindBarPushesTheMemoDown) {
    using enum ControlSlot;
    for (const auto& [bar, memo_top] :
         {std::pair{FindBar::Hidden, 124}, {FindBar::Find, 190}, {FindBar::Replace, 226}}) {
        const LayoutRects r = compute_layout({1000, 800, 96, false, 42, bar});
        EXPECT_EQ(r.box(MemoEdit), (PixelBox{444, memo_top, 528, 742 - memo_top}));
        if (bar != FindBar::Hidden) {
            EXPECT_EQ(r.box(FindMessage).y + r.box(FindMessage).height + 6, memo_top);  // the message's line
        }
        EXPECT_EQ(r.box(ReplaceAllButton).width > 0, bar == FindBar::Replace);
        const PixelBox close = r.box(FindCloseButton);
        EXPECT_EQ(close.x + close.width, bar == FindBar::Hidden ? 0 : 972);
    }
    // The boxes leave what the replace row's buttons need in either row.
    EXPECT_EQ(compute_layout({1000, 800, 96, false, 42, FindBar::Find}).box(FindBox), (PixelBox{444, 127, 336, 24}));
    // A narrow memo: the replace box still lines up with the find box, and the last
    // button ends at the memo's edge.
    const LayoutRects narrow = compute_layout({740, 700, 96, false, 70, FindBar::Replace});
    EXPECT_EQ(narrow.box(ReplaceBox).width, narrow.box(FindBox).width);
    const PixelBox all = narrow.box(ReplaceAllButton);
    EXPECT_EQ(all.x + all.width, narrow.memo_panel.right - 14);
}

// A key of the focused control comes before the window's; the memo keeps its edit keys.
TEST(Shortcuts, Table) {
    using namespace ids;
    using namespace keys;
    const auto post = [](std::int32_t id) { return ShortcutAction{ShortcutAction::Kind::PostCommand, id}; };
    const ShortcutAction own{ShortcutAction::Kind::PassThrough, 0};
    const ShortcutAction press{ShortcutAction::Kind::Press, 0};
    struct Row {
        std::uint32_t key;
        bool ctrl;
        bool shift;
        std::int32_t control;
        std::optional<ShortcutAction> expected;
    };
    const Row rows[] = {
        {ENTER, false, false, EXPRESSION_EDIT, post(CALCULATE)},
        {ENTER, false, true, EXPRESSION_EDIT, post(CALCULATE)},
        {ESCAPE, false, false, EXPRESSION_EDIT, post(CLEAR_EXPRESSION)},
        {ESCAPE, true, false, EXPRESSION_EDIT, std::nullopt},  // Ctrl+Esc is not ours
        {ESCAPE, false, false, MEMO_EDIT, std::nullopt},       // Esc in the memo
        {ENTER, false, false, MEMO_EDIT, std::nullopt},        // Enter in the memo is a line break
        {ENTER, true, false, MEMO_EDIT, post(EXPRESSION_RESULT_TO_MEMO)},
        {ENTER, true, false, EXPRESSION_EDIT, post(EXPRESSION_RESULT_TO_MEMO)},
        {'K', true, false, 0, post(CLEAR_HISTORY)},
        {'L', true, false, HISTORY_LIST, post(FOCUS_EXPRESSION)},
        {'M', true, false, EXPRESSION_EDIT, post(FOCUS_MEMO)},
        {'S', true, false, MEMO_EDIT, post(SAVE)},
        {'S', false, false, MEMO_EDIT, std::nullopt},
        {'C', true, true, MEMO_EDIT, post(COPY_EXPRESSION_RESULT)},
        {'C', true, false, MEMO_EDIT, own},  // plain copy
        {'Y', true, false, MEMO_EDIT, post(MEMO_REDO)},
        {'Y', true, false, EXPRESSION_EDIT, std::nullopt},
        {'Z', true, true, MEMO_EDIT, post(MEMO_REDO)},
        {'Z', true, false, MEMO_EDIT, own},               // plain undo
        {'O', true, false, EXPRESSION_EDIT, post(LOAD)},  // as the open button
        {'H', true, false, MEMO_EDIT, post(REPLACE)},
        {F3, false, true, HISTORY_LIST, post(FIND_PREVIOUS)},
        {'T', true, true, EXPRESSION_EDIT, post(ALWAYS_ON_TOP)},
        {'T', true, false, EXPRESSION_EDIT, std::nullopt},
        {'R', true, true, MEMO_EDIT, post(MEMO_RESULTS_MARGIN)},
        {'R', true, false, MEMO_EDIT, std::nullopt},
        {F9, false, false, MEMO_EDIT, post(MEMO_EVALUATE)},
        {F9, false, false, EXPRESSION_EDIT, std::nullopt},
        {F9, true, true, EXPRESSION_EDIT, post(MEMO_RECALCULATE)},
        {F10, false, true, MEMO_EDIT, post(MEMO_MENU)},
        {F10, false, false, MEMO_EDIT, std::nullopt},  // F10 is the menu bar's
        {TAB, false, false, MEMO_EDIT, own},           // the memo's own tab
        {TAB, false, true, MEMO_EDIT, own},
        {TAB, true, false, MEMO_EDIT, post(FOCUS_NEXT)},
        {TAB, true, true, MEMO_EDIT, post(FOCUS_PREVIOUS)},
        {TAB, false, true, HISTORY_LIST, post(FOCUS_PREVIOUS)},
        {ENTER, false, false, KEY_DIVIDE, press},
        {ENTER, false, false, HISTORY_LIST, std::nullopt},  // the history list is no button
        {ENTER, false, false, FIND_BOX, post(FIND_NEXT)},
        {ENTER, false, true, FIND_BOX, post(FIND_PREVIOUS)},
        {ENTER, false, false, REPLACE_BOX, post(REPLACE_ONE)},
        {ESCAPE, false, false, FIND_MATCH_CASE, post(FIND_CLOSE)},     // Esc anywhere in the bar closes it
        {OEM_PLUS, true, false, EXPRESSION_EDIT, post(MEMO_ZOOM_IN)},  // Ctrl+= zooms the memo from anywhere
        {OEM_PLUS, true, true, MEMO_EDIT, post(MEMO_ZOOM_IN)},         // Ctrl++ on the main keys
        {ADD, true, false, MEMO_EDIT, post(MEMO_ZOOM_IN)},             // Ctrl++ on the numeric keypad
        {SUBTRACT, true, false, MEMO_EDIT, post(MEMO_ZOOM_OUT)},
        {'0', true, false, MEMO_EDIT, post(MEMO_ZOOM_RESET)},
        {OEM_COMMA, true, false, HISTORY_LIST, post(SETTINGS)},
        {OEM_COMMA, false, false, EXPRESSION_EDIT, std::nullopt},  // a comma typed
    };
    for (const Row& row : rows) {
        EXPECT_EQ(find_shortcut(row.key, row.ctrl, row.shift, row.control), row.expected)
            << row.key << " ctrl " << row.ctrl << " shift " << row.shift << " in " << row.control;
    }
}

// The build's guard against two rows wanting one key-down rests on this rule.
TEST(Shortcuts, ChordsOverlapWhenOneKeyDownMatchesBoth) {
    const struct {
        KeyChord a;
        KeyChord b;
        bool overlap;
    } rows[] = {
        {chord(keys::F3, Need::No, Need::No), chord(keys::F3, Need::No, Need::Any), true},
        {chord(keys::F3, Need::No, Need::No), chord(keys::F3, Need::No, Need::Yes), false},
        {chord(keys::ENTER, Need::Yes, Need::Any), chord(keys::ENTER, Need::No, Need::Any), false},
        {chord('K', Need::Yes, Need::Any), chord('K', Need::Any, Need::Yes), true},
        {chord('K', Need::Yes, Need::Any), chord('L', Need::Yes, Need::Any), false},
        {NO_KEY, NO_KEY, false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(overlap(row.a, row.b), row.overlap) << row.a.virtual_key;
        EXPECT_EQ(overlap(row.b, row.a), row.overlap) << row.a.virtual_key;
    }
}

TEST(Shortcuts, UndoGroupBreaks) {
    struct KeyRow {
        std::uint32_t key;
        bool ctrl;
        bool shift;
        bool breaks;
        bool pastes = false;
    };
    const KeyRow keys[] = {
        {0x08, false, false, true},      {0x2E, true, true, true},      {'X', true, false, true},
        {'V', true, false, true, true},  {'V', true, true, true, true}, {'V', false, false, false},
        {0x2D, false, true, true, true}, {0x2D, true, false, false},    {0x2D, false, false, false},
        {'A', true, false, false},
    };
    for (const KeyRow& row : keys) {
        EXPECT_EQ(key_breaks_undo_group(row.key, row.ctrl, row.shift), row.breaks) << row.key;
        EXPECT_EQ(is_paste_key(row.key, row.ctrl, row.shift), row.pastes) << row.key;
    }

    for (std::uint32_t c : std::initializer_list<std::uint32_t>{U' ', U'\t', U'\r', 0x3000u, 0x2028u, U'%', U'(', U')',
                                                                U'*', U'+', U'-', U'/', U'=', 0xD7u, 0xF7u}) {
        EXPECT_TRUE(char_breaks_undo_group(c)) << c;
    }
    for (std::uint32_t c :
         std::initializer_list<std::uint32_t>{U'1', U'a', U'.', U',', 0x2212u, 0xD800u, 0xDFFFu, 0x110000u}) {
        EXPECT_FALSE(char_breaks_undo_group(c)) << c;
    }
}

// A menu shows the first key of the command's row, the memo's own edit keys included.
TEST(Shortcuts, KeyTextsOfTheMenu) {
    const std::pair<std::int32_t, std::string_view> keys[] = {
        {ids::FIND, "Ctrl+F"},
        {ids::MEMO_EVALUATE, "F9"},
        {ids::ALWAYS_ON_TOP, "Ctrl+Shift+T"},
        {ids::FIND_NEXT, "F3"},
        {ids::MEMO_ZOOM_RESET, "Ctrl+0"},
        {ids::FOCUS_NEXT, ""},
        {ids::MEMO_TOTAL, ""},
        {ids::MEMO_ZOOM_IN, ""},
        {ids::MEMO_DELETE, "Del"},
        {ids::MEMO_REDO, "Ctrl+Y"},
        {ids::KEY_7, ""},
    };
    for (const auto& [id, text] : keys) EXPECT_EQ(command_key_text(id), text) << id;
    std::string shown;
    for (const std::int32_t id : {ids::MEMO_UNDO, ids::MEMO_TOTAL, ids::REPLACE})
        shown += menu_item(*find_command(id), {}).text() + "|";
    EXPECT_EQ(shown, "실행 취소\tCtrl+Z|선택 영역 합계 계산|바꾸기…\tCtrl+H|");
}

// What a menu offers follows from the window alone: a total line calculates when its
// block has something to add, whatever F9 would read in it otherwise, and an option's
// item shows its tick on any line, in any menu.
TEST(MenuItem, StatesFollowTheWindow) {
    using namespace ids;
    const auto state = [](std::int32_t id, const MenuFacts& facts) {
        const MenuItem item = menu_item(*find_command(id), facts);
        return std::pair{item.enabled, item.checked};
    };
    MenuFacts margin_on_total_line;
    margin_on_total_line.total_line = true;
    margin_on_total_line.block_has_amount = true;
    margin_on_total_line.results_margin = true;
    MenuFacts total_line_without_block = margin_on_total_line;
    total_line_without_block.block_has_amount = false;
    total_line_without_block.expression_calculates = true;  // "합계 = 1+1"
    MenuFacts caret_on_text;
    caret_on_text.text_has_amount = true;  // no selection: nothing to total
    caret_on_text.always_on_top = true;
    MenuFacts selection;
    selection.has_selection = true;
    selection.text_has_amount = true;
    selection.expression_calculates = true;
    const struct {
        const char* window;
        const MenuFacts& facts;
        std::int32_t id;
        std::pair<bool, bool> enabled_checked;
    } rows[] = {
        {"a 합계 line, the margin on", margin_on_total_line, MEMO_RESULTS_MARGIN, {true, true}},
        {"a 합계 line, the margin on", margin_on_total_line, MEMO_EVALUATE, {true, false}},
        {"a 합계 line, the margin on", margin_on_total_line, ALWAYS_ON_TOP, {true, false}},
        {"a 합계 line with nothing above", total_line_without_block, MEMO_EVALUATE, {false, false}},
        {"a line of notes, always on top", caret_on_text, MEMO_TOTAL, {false, false}},
        {"a line of notes, always on top", caret_on_text, MEMO_RESULTS_MARGIN, {true, false}},
        {"a line of notes, always on top", caret_on_text, ALWAYS_ON_TOP, {true, true}},
        {"a selected expression", selection, MEMO_TOTAL, {true, false}},
        {"a selected expression", selection, MEMO_EVALUATE, {true, false}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(state(row.id, row.facts), row.enabled_checked) << row.window << ", item " << row.id;
    }
}

// A table of parts is in order when each part stands below every part it needs.
TEST(PartOrder, APartStandsBelowWhatItNeeds) {
    struct Part {
        char id = 0;
        std::array<char, 2> needs{};
    };
    const struct {
        const char* table;
        std::vector<Part> parts;
        bool in_order;
    } rows[] = {
        {"each below what it needs", {{'a'}, {'b', {'a'}}, {'c', {'b', 'a'}}}, true},
        {"two dependent parts swapped", {{'b', {'a'}}, {'a'}}, false},
        {"the first need above it, the second below", {{'b'}, {'c', {'b', 'a'}}, {'a'}}, false},
        {"a part that needs itself", {{'a', {'a'}}}, false},
        {"a need that no part is", {{'a', {'z'}}}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(parts_follow_their_needs(std::span<const Part>(row.parts)), row.in_order) << row.table;
}

TEST(MemoZoom, KeysAndWheelStepWithinTheBounds) {
    const struct {
        std::int32_t zoom;
        std::int32_t steps;
        std::int32_t expected;
    } keys[] = {
        {100, 1, 110}, {100, -1, 90},
        {400, 1, 400}, {50, -1, 50},
        {60, -3, 50},  {155, 1, 170},  // off the steps: the nearest step first
        {0, 0, 50},    {100, std::numeric_limits<std::int32_t>::max(), 400},
    };
    for (const auto& row : keys) EXPECT_EQ(stepped_memo_zoom(row.zoom, row.steps), row.expected) << row.zoom;

    const struct {
        std::int32_t zoom;
        std::int32_t carry;
        std::int32_t delta;
        WheelZoom expected;
    } wheel[] = {
        {100, 0, 120, {110, 0}}, {100, 0, -240, {80, 0}},     {100, 0, 60, {100, 60}},  // half a notch waits
        {100, 60, 60, {110, 0}}, {100, 60, -30, {100, -30}},                            // a turn back starts afresh
        {400, 0, 360, {400, 0}}, {100, -100, -50, {90, -30}},
    };
    for (const auto& row : wheel) {
        EXPECT_EQ(wheel_memo_zoom(row.zoom, row.carry, row.delta), row.expected) << row.zoom << " " << row.delta;
    }
    EXPECT_EQ(memo_zoom_text(150), "메모 확대 150%");
}

TEST(Keypad, Lookup) {
    ASSERT_NE(find_keypad_button(ids::KEY_PERCENT), nullptr);
    EXPECT_EQ(find_keypad_button(ids::KEY_PERCENT)->insert_text, "%");
    EXPECT_EQ(find_keypad_button(ids::KEY_MULTIPLY)->insert_text, "*");
    EXPECT_EQ(find_keypad_button(ids::CALCULATE)->label, L"=");
    EXPECT_FALSE(find_keypad_button(ids::CALCULATE)->insert_text);
    for (std::int32_t id : {ids::MEMO_EDIT, ids::OPERATION_ADD, 0}) EXPECT_EQ(find_keypad_button(id), nullptr) << id;
}

TEST(Palette, SharedColours) {
    for (const ThemePalette palette : {make_palette(false), make_palette(true)}) {
        EXPECT_EQ(palette[EXPRESSION_TEXT], palette[MEMO_TEXT]);
    }
    EXPECT_EQ(make_palette(false)[WINDOW_BACKGROUND], 0xF4EDE9u);  // the class brush
    EXPECT_EQ(make_palette(true)[WINDOW_BACKGROUND], make_palette(true)[EXPRESSION_BACKGROUND]);
}

// The keypad rows follow the keypad table, and ids name at most one row.
TEST(ControlTable, KeypadRowsFollowTheKeypadTable) {
    for (std::size_t i = 0; i < KEYPAD_BUTTON_COUNT; ++i) {
        EXPECT_EQ(CONTROL_ROWS[control_row_index(ControlSlot::KeypadKey, i)].id, KEYPAD_BUTTONS[i].control_id);
    }
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.id != 0) {
            EXPECT_EQ(find_control_row(row.id), &row) << row.id;
        }
    }
    EXPECT_EQ(find_control_row(ids::FOCUS_MEMO), nullptr);
}

TEST(PixelRect, PrintsAsItsBracesWriteIt) {
    EXPECT_EQ(::testing::PrintToString(PixelBox{28, 538, 184, 50}), "PixelBox{28, 538, 184, 50}");
    EXPECT_EQ(::testing::PrintToString(PixelRect{14, 74, 416, -786}), "PixelRect{14, 74, 416, -786}");
}

// A button captioned only with symbols has a name a screen reader can say; digits and
// the point say themselves.
TEST(ControlTable, SymbolButtonsHaveNames) {
    for (const ControlRow& row : CONTROL_ROWS) {
        if (row.class_kind != ControlClass::Button) continue;
        const bool says_itself = std::any_of(row.text.begin(), row.text.end(), [](wchar_t c) {
            return (c >= L'\uAC00' && c <= L'\uD7A3') || (c >= L'0' && c <= L'9') || c == L'.';
        });
        EXPECT_TRUE(says_itself || !row.accessible_name.empty()) << row.id;
    }
}

TEST(ButtonColors, KindsStatesAndThemes) {
    using K = ButtonKind;
    using V = ButtonVisualState;
    using namespace ids;
    const std::pair<std::int32_t, K> kinds[] = {{KEY_POINT, K::Digit},
                                                {KEY_0, K::Digit},
                                                {KEY_PERCENT, K::Function},
                                                {CLEAR_HISTORY, K::Function},
                                                {KEY_DIVIDE, K::Operator},
                                                {KEY_SUBTRACT, K::Operator},
                                                {OPERATION_SUBTRACT, K::Operator},
                                                {CALCULATE, K::Equals},
                                                {DELETE_BEFORE_CARET, K::Function},
                                                {EXPRESSION_RESULT_TO_MEMO, K::ResultAction},
                                                {LOAD, K::Neutral},
                                                {FOCUS_MEMO, K::Neutral},
                                                {0, K::Neutral}};
    for (const auto& [id, kind] : kinds) EXPECT_EQ(button_kind(id), kind) << id;

    EXPECT_EQ(button_visual_state(true, true, true), V::Disabled);
    EXPECT_EQ(button_visual_state(false, true, true), V::Pressed);
    EXPECT_EQ(button_visual_state(false, false, true), V::Hot);
    EXPECT_EQ(button_visual_state(false, false, false), V::Normal);

    const struct {
        K kind;
        V state;
        bool dark;
        ButtonColors expected;
    } colors[] = {
        {K::Digit, V::Normal, false, {0x30241F, 0xE9DFD9, 0xFFFFFF}},
        {K::Digit, V::Pressed, false, {0x30241F, 0xE9DFD9, 0xF3ECE8}},
        {K::Digit, V::Hot, false, {0x30241F, 0xE9DFD9, 0xFAF6F4}},
        {K::Equals, V::Pressed, true, {0xF1EDEB, 0xF88C81, 0xCA3843}},
        {K::ResultAction, V::Hot, true, {0xD3E0A6, 0x7C842D, 0x595E11}},
        {K::Operator, V::Disabled, false, {0xBBAEA6, 0xEEE7E3, 0xF7F3F1}},
        {K::Neutral, V::Disabled, true, {0x80726B, 0x514137, 0x40322A}},
    };
    for (const auto& row : colors) EXPECT_EQ(button_colors(row.kind, row.state, row.dark), row.expected);
}

// Reading order: top bar, then the left panel, then the right one; disabled controls
// are passed over and the order wraps.
TEST(TabOrder, FollowsTheReadingOrderAndTheSide) {
    using namespace ids;
    UsableControls bar_open;  // the find bar, between the operation buttons and the memo
    bar_open.fill(true);
    UsableControls all = bar_open;  // the find bar hidden, as at the start
    for (std::size_t i = 0; i < CONTROL_COUNT; ++i) all[i] = find_bar_row(CONTROL_ROWS[i]) == FindBar::Hidden;
    UsableControls no_operations = all;
    for (std::size_t i = 0; i < OPERATION_BUTTON_COUNT; ++i)
        no_operations[control_row_index(ControlSlot::OperationButton, i)] = false;
    const struct {
        std::int32_t from;  // 0: no control has the focus
        bool forward;
        bool right;
        const UsableControls& usable;
        std::int32_t expected;
    } rows[] = {
        {0, true, false, all, SAVE},
        {0, false, false, all, MEMO_EDIT},
        {DARK_MODE, true, false, all, SIDE},
        {DARK_MODE, true, true, all, OPERATION_ALONE},
        {HISTORY_LIST, true, false, all, OPERATION_ALONE},
        {HISTORY_LIST, true, false, no_operations, MEMO_EDIT},
        {MEMO_EDIT, true, true, all, SIDE},
        {MEMO_EDIT, true, false, all, SAVE},
        {SAVE, false, false, all, MEMO_EDIT},
        {EXPRESSION_EDIT, false, false, all, THOUSANDS},
        {COPY_RESULT, true, false, all, CLEAR_EXPRESSION},
        {SIDE, false, true, all, MEMO_EDIT},
        {OPERATION_MULTIPLY, true, false, bar_open, FIND_BOX},
        {FIND_BOX, true, false, bar_open, FIND_PREVIOUS},
        {FIND_CLOSE, true, false, bar_open, REPLACE_BOX},
        {REPLACE_ALL, true, false, bar_open, FIND_MATCH_CASE},  // the option under the boxes
        {FIND_MATCH_CASE, true, false, bar_open, MEMO_EDIT},
        {MEMO_EDIT, false, false, bar_open, FIND_MATCH_CASE},
    };
    for (const auto& row : rows) {
        const ControlRow* from = find_control_row(row.from);
        const std::optional<std::size_t> current =
            from != nullptr ? std::optional<std::size_t>(static_cast<std::size_t>(from - CONTROL_ROWS.data()))
                            : std::nullopt;
        const std::optional<std::size_t> next = next_tab_stop(current, row.forward, row.right, row.usable);
        ASSERT_TRUE(next) << row.from;
        EXPECT_EQ(CONTROL_ROWS[*next].id, row.expected) << row.from << (row.forward ? " forward" : " back");
    }
    EXPECT_FALSE(next_tab_stop(std::nullopt, true, false, UsableControls{}));
}

// Widths of a text at each size (21 down to 14), 10 pixels apart.
TEST(TextFit, ResultSizeStepsDownThenEllipsis) {
    const auto width_at = [](std::int32_t size) { return 10 * size; };
    const struct {
        std::int32_t available;
        TextFit expected;
    } rows[] = {{300, {21, false}}, {210, {21, false}}, {209, {20, false}}, {150, {15, false}},
                {140, {14, false}}, {139, {14, true}},  {0, {14, true}}};
    for (const auto& row : rows) EXPECT_EQ(fit_result_text(width_at, row.available), row.expected) << row.available;
}

// At 96 DPI nothing moves; above it the caption takes the clear button's spare width
// (down to its caption and padding) and then most of the gap.
TEST(TextFit, HistoryCaptionTakesTheFreeWidthAboveNinetySixDpi) {
    const struct {
        std::uint32_t dpi;
        std::int32_t caption_text, clear_text;
        std::int32_t caption_width, clear_x, clear_width;
    } rows[] = {
        {96, 400, 60, 286, 320, 82},     // 1000 × 800 at 96 DPI: as laid out
        {144, 429, 100, 429, 480, 123},  // 1500 × 1200 at 144 DPI: fits as laid out
        {144, 440, 100, 440, 491, 112},  // from the button: down to 100 + 2 × 6
        {144, 460, 100, 446, 491, 112},  // and from the gap, leaving 3 of its 9
    };
    for (const auto& row : rows) {
        LayoutRects r = compute_layout({row.dpi == 96 ? 1000 : 1500, 1200, row.dpi, false, 42});
        fit_history_caption(r, row.caption_text, row.clear_text, row.dpi);
        EXPECT_EQ(r.box(ControlSlot::HistoryCaption).width, row.caption_width) << row.caption_text;
        EXPECT_EQ(r.box(ControlSlot::ClearHistoryButton).x, row.clear_x) << row.caption_text;
        EXPECT_EQ(r.box(ControlSlot::ClearHistoryButton).width, row.clear_width) << row.caption_text;
    }
}

TEST(ResultsMargin, WidthFollowsTheWidestResultWithinItsBounds) {
    const struct {
        std::int32_t widest;
        std::int32_t memo_width;
        std::uint32_t dpi;
        std::int32_t width;
    } rows[] = {
        {0, 600, 96, 64},     // no result: the narrowest strip
        {70, 600, 96, 96},    // 70 and the padding, up to the next step
        {84, 600, 96, 96},    // the same step: no rewrap for a few pixels
        {0, 600, 144, 96},    // the narrowest strip scaled
        {900, 600, 96, 240},  // at most 40% of the memo
        {0, 100, 96, 40},     // a memo too narrow for 64 px keeps its 60%
        {0, -5, 96, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(results_margin_width(row.widest, row.memo_width, row.dpi), row.width)
            << row.widest << " in " << row.memo_width << " at " << row.dpi;
    }
}

TEST(Hresult, FromLastError) {
    EXPECT_EQ(static_cast<std::uint32_t>(hresult_from_last_error(5)), 0x80070005u);
    EXPECT_EQ(static_cast<std::uint32_t>(hresult_from_last_error(0x12345)), 0x80072345u);
    EXPECT_EQ(hresult_from_last_error(0), 0);
    EXPECT_EQ(static_cast<std::uint32_t>(hresult_from_last_error(0xC0000005u)), 0xC0000005u);
}

// A stand-in for the system's fold: Latin letters up to Latin-1 upper-cased.
std::wstring upper_latin(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = static_cast<wchar_t>(c - 0x20);
    }
    return folded;
}
// A fold that changes the length cannot give positions: the texts compare as they are.
std::wstring lengthening(std::wstring_view text) { return std::wstring(text) + L"!"; }

// Find next and previous from a selection, wrapping once, with "k/n"; replace-all
// counts the same matches, so every path agrees on what a match is.
TEST(TextSearch, FindAndReplaceAllShareOneRule) {
    const SearchRule folded{false, upper_latin};
    const SearchRule exact{true, upper_latin};
    const struct {
        const wchar_t* text;
        const wchar_t* pattern;
        SearchRule rule;
        std::size_t selection_start, selection_end;
        bool forward;
        std::optional<FoundMatch> found;
    } rows[] = {
        {L"메모 12 메모 34", L"메모", folded, 3, 3, true, FoundMatch{6, 2, 2, false}},
        {L"메모 12 메모 34", L"메모", folded, 6, 8, true, FoundMatch{0, 1, 2, true}},   // around the end
        {L"메모 12 메모 34", L"메모", folded, 0, 2, false, FoundMatch{6, 2, 2, true}},  // around the start
        {L"메모 12 메모 34", L"메모", folded, 6, 8, false, FoundMatch{0, 1, 2, false}},
        {L"é É e", L"É", folded, 0, 0, true, FoundMatch{0, 1, 2, false}},
        {L"é É e", L"É", exact, 0, 0, true, FoundMatch{2, 1, 1, false}},
        {L"abc ABC", L"abc", SearchRule{false, lengthening}, 1, 1, true, FoundMatch{0, 1, 1, true}},
        {L"aaa", L"aa", exact, 1, 1, true, FoundMatch{1, 1, 1, false}},  // overlapping: k of the listed ones
        {L"aaa", L"aa", exact, 3, 3, false, FoundMatch{1, 1, 1, false}},
        {L"점심 김밥", L"저녁", folded, 0, 0, true, std::nullopt},
        {L"x", L"", folded, 0, 0, true, std::nullopt},
    };
    for (const auto& row : rows) {
        const auto found =
            find_match(row.text, row.pattern, row.selection_start, row.selection_end, row.forward, row.rule);
        EXPECT_EQ(found, row.found) << row.text;
        EXPECT_EQ(replace_all(row.text, row.pattern, L"#", row.rule).count, found ? found->count : 0) << row.text;
        // The same with the fold kept beside the text.
        const FoldedText kept(row.text, row.rule.fold);
        EXPECT_EQ(
            find_match(TextMatcher(kept, row.pattern, row.rule), row.selection_start, row.selection_end, row.forward),
            row.found)
            << row.text;
    }
}

// The stand-in with a case pair outside the Basic Multilingual Plane, as the system
// folds it: Deseret's small letters (D801 DC28..DC4F) to its capitals, as whole pairs only.
std::wstring upper_with_pairs(std::wstring_view text) {
    std::wstring folded = upper_latin(text);
    for (std::size_t i = 0; i + 1 < folded.size(); ++i) {
        if (folded[i] == 0xD801 && folded[i + 1] >= 0xDC28 && folded[i + 1] <= 0xDC4F) folded[++i] -= 0x28;
    }
    return folded;
}

// The fold kept through edits is the fold of the whole text: edits that join and part
// the halves of a pair, then random edits over letters of every kind.
TEST(TextSearch, FoldKeptThroughEditsIsTheFoldOfTheWholeText) {
    const struct {
        const wchar_t* text;
        std::size_t start, removed;
        const wchar_t* inserted;
    } rows[] = {
        {L"abc", 1, 1, L"éX가"},
        {L"a\xD801", 2, 0,
         L"\xDC28"
         L"b"},                                    // the inserted low half ends a pair
        {L"\xD801x\xDC28", 1, 1, L""},             // a removal joins a pair
        {L"\xD801\xDC28", 1, 0, L"x"},             // an insertion parts one
        {L"\xD801\xDC28\xD801", 3, 0, L"\xDC29"},  // a pair before the one made
        {L"ÿ\r\xD801\xDC28", 0, 5, L"\xDC28\xD801"},
    };
    for (const auto& row : rows) {
        FoldedText text(row.text, upper_with_pairs);
        text.replace(row.start, row.removed, row.inserted);
        EXPECT_EQ(text.folded(), upper_with_pairs(text.text())) << row.start;
    }
    const wchar_t letters[] = {L'a', L'A', L'é', L'가', 0xD801, 0xDC28, 0xDC00, L'\r', L'ÿ'};
    std::uint32_t seed = 12345;
    const auto next = [&seed](std::uint32_t below) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % below;
    };
    std::wstring start;
    for (int i = 0; i < 40; ++i) start += letters[next(std::size(letters))];
    FoldedText text(start, upper_with_pairs);
    for (int edit = 0; edit < 2000; ++edit) {
        const std::size_t at = next(static_cast<std::uint32_t>(text.text().size()) + 1);
        const std::size_t removed = std::min<std::size_t>(next(4), text.text().size() - at);
        std::wstring inserted;
        for (std::uint32_t n = next(4); n > 0; --n) inserted += letters[next(std::size(letters))];
        text.replace(at, removed, inserted);
        ASSERT_EQ(text.folded(), upper_with_pairs(text.text())) << edit;
    }
    EXPECT_FALSE(FoldedText(L"abc", lengthening).folded());  // compared as it is
}

// Replace all changes one stretch, from the first match to the last, left to right
// without overlaps.
TEST(TextSearch, ReplaceAllTable) {
    const struct {
        const wchar_t* text;
        const wchar_t* find;
        bool match_case;
        std::size_t count, first, last;
        const wchar_t* stretch;
    } rows[] = {
        {L"abc ABC abd", L"abc", false, 2, 0, 7, L"# #"}, {L"abc ABC abd", L"abc", true, 1, 0, 3, L"#"},
        {L"aaaa", L"aa", true, 2, 0, 4, L"##"},           {L"ÀÉ àé", L"àé", false, 2, 0, 5, L"# #"},
        {L"nothing here", L"zz", false, 0, 0, 0, L""},    {L"x", L"", false, 0, 0, 0, L""},
    };
    for (const auto& row : rows) {
        const Replacement r = replace_all(row.text, row.find, L"#", {row.match_case, upper_latin});
        EXPECT_EQ(r.count, row.count) << row.text;
        EXPECT_EQ(r.first, row.first) << row.text;
        EXPECT_EQ(r.last, row.last) << row.text;
        EXPECT_EQ(r.stretch, row.stretch) << row.text;
    }
}

// A caret outside the changed places keeps its place in the text; one inside a removed
// text goes to the end of what took its place.
TEST(TextSearch, PositionsAfterChangesOfManyPlaces) {
    const std::wstring_view text = L"a = 1\rb = 22\rc";
    const TextSplice splices[] = {{3, 2, L" 10"}, {9, 3, L" 3"}};
    EXPECT_EQ(replace_each(text, splices).stretch, L" 10\rb = 3");
    const std::size_t rows[][2] = {{0, 0}, {3, 3}, {4, 6}, {5, 6}, {9, 10}, {10, 12}, {13, 13}};
    for (const auto& [before, after] : rows) EXPECT_EQ(position_after(before, splices), after) << before;
}

TEST(MemoVersions, ListLinesAndPreviews) {
    const struct {
        std::uint64_t size;
        std::optional<std::string> first_line;  // absent: not read yet, or "!" unreadable
        const char* after_time;
        bool same_as_memo = false;
    } lines[] = {
        {0, "", " · 0 B"},
        {1023, "!", " · 1023 B · 읽을 수 없는 파일"},
        {5, std::nullopt, " · 5 B"},
        {5, "같은 글", " (현재 메모와 같음) · 5 B · 같은 글", true},
        {3277, "회의\t메모\x01", " · 3.2 KB · 회의 메모 "},
        {102349, std::string(40, 'a'), " · 100 KB · aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"},
        {1048575, std::string(39, 'a') + "가나", " · 1.0 MB · aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa가…"},
        {150ull << 20, "x", " · 150 MB · x"},
        {UINT64_MAX, "x", " · 16777216 TB · x"},
    };
    for (const auto& row : lines) {
        const bool unreadable = row.first_line == "!";
        EXPECT_EQ(version_line({{2026, 12, 7, 9, 5, 9},
                                row.size,
                                row.same_as_memo,
                                unreadable ? std::nullopt : row.first_line,
                                unreadable}),
                  "2026-12-07 09:05:09" + std::string(row.after_time));
    }
    EXPECT_EQ(version_preview_text("a\nb\r\nc\rd\n", false), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(version_preview_text("a", true), "a\r\n…");
}

// Nothing overlaps or leaves the client at the opening size, at any DPI; the dialog
// stays on its monitor.
TEST(MemoVersions, LayoutAndPlacement) {
    for (const std::uint32_t dpi : {96u, 144u, 192u}) {
        const PixelBox c = versions_client_size(dpi);
        const VersionsLayout l = versions_layout(c.width, c.height, dpi);
        EXPECT_LT(l.list.x + l.list.width, l.preview.x);
        EXPECT_LT(l.restore.x + l.restore.width, l.close.x);
        EXPECT_LT(l.preview.y + l.preview.height, l.close.y);
        EXPECT_EQ(l.close.x + l.close.width + l.list.x, c.width);  // margins alike all round
        EXPECT_EQ(l.close.y + l.close.height + l.list.y, c.height);
    }
    const PixelRect work{0, 0, 1920, 1040};
    EXPECT_EQ(center_over({100, 100, 900, 700}, {0, 0, 400, 300}, work), (PixelBox{300, 250, 400, 300}));
    EXPECT_EQ(center_over({1700, -200, 2100, 200}, {0, 0, 400, 300}, work), (PixelBox{1520, 0, 400, 300}));
    EXPECT_EQ(center_over({0, 0, 800, 600}, {0, 0, 2000, 1100}, work), (PixelBox{0, 0, 1920, 1040}));
}

// What Explorer, the Run entry and a console hand the program, split as the C runtime
// splits it.
TEST(CommandLine, ArgumentsAndTheStartRequest) {
    const struct {
        std::string_view line;
        std::vector<std::string> arguments;
        StartRequest request;
    } rows[] = {
        {"Numvora.exe", {}, {}},
        {R"("C:\Program Files\Numvora.exe" --tray)", {"--tray"}, {true, std::nullopt}},
        {R"("C:\Numvora\Numvora.exe" "C:\내 문서\가계부.qvx")",
         {"C:\\내 문서\\가계부.qvx"},
         {false, "C:\\내 문서\\가계부.qvx"}},
        {R"(Numvora.exe a.qvx --tray b.qvx --other)", {"a.qvx", "--tray", "b.qvx", "--other"}, {true, "a.qvx"}},
        {"Numvora.exe\t \"\" x.qvx", {"", "x.qvx"}, {false, "x.qvx"}},
        {R"(N.exe a\\"b c" d\"e "f""g" h\\i)", {R"(a\b c)", R"(d"e)", R"(f"g)", R"(h\\i)"}, {false, R"(a\b c)"}},
        {R"("unclosed name a.qvx)", {}, {}},
        {R"(N.exe "open quote a.qvx)", {"open quote a.qvx"}, {false, "open quote a.qvx"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(command_line_arguments(row.line), row.arguments) << row.line;
        EXPECT_EQ(read_start_request(row.line), row.request) << row.line;
    }
}

// The status line's sentence for a taken key reads as Korean for each key's name, and
// the hot-key control's word carries the key both ways.
TEST(SettingsDialog, TakenKeyTextsAndTheControlsWord) {
    const std::pair<HotKey, std::string_view> taken[] = {
        {DEFAULT_HOT_KEY, "단축키 Ctrl+Alt+Space를 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_CTRL | HOT_KEY_SHIFT, 0x77}, "단축키 Ctrl+Shift+F8을 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_ALT, 0x71}, "단축키 Alt+F2를 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_ALT, 0x24}, "단축키 Alt+Home을 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_WIN, 'N'}, "단축키 Win+N을 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_CTRL, 0x6B}, "단축키 Ctrl+Num+를 다른 프로그램이 쓰고 있습니다"},
        {{HOT_KEY_CTRL, 0xE2}, "단축키 Ctrl+0xE2을(를) 다른 프로그램이 쓰고 있습니다"},
    };
    for (const auto& [key, text] : taken) EXPECT_EQ(hot_key_taken_text(key), text);
    const std::pair<HotKey, std::uint16_t> words[] = {
        {DEFAULT_HOT_KEY, 0x0620},
        {{HOT_KEY_CTRL | HOT_KEY_SHIFT, 'K'}, 0x034B},
        {{HOT_KEY_ALT, 0x25}, 0x0C25},  // the arrow, not the keypad's 4
        {{}, 0},
    };
    for (const auto& [key, word] : words) {
        EXPECT_EQ(hot_key_control_word(key), word);
        EXPECT_EQ(hot_key_of_control_word(word), key);
    }
}

// A screen reader names each box by the caption before it, and a check box that needs
// another is greyed by that one.
TEST(SettingsDialog, BoxesTakeTheirCaptionsNamesAndChecksTheSwitchTheyNeed) {
    const auto check_of = [](bool Preferences::*option) {
        const auto row = std::ranges::find(SETTING_ROWS, option, &SettingRow::option);
        return row != SETTING_ROWS.end() ? row->id : -1;
    };
    const std::pair<bool Preferences::*, bool Preferences::*> needs[] = {
        {&Preferences::close_to_tray, &Preferences::tray_icon},
        {&Preferences::amounts_in_man, &Preferences::results_margin},
        {&Preferences::tray_icon, nullptr},
        {&Preferences::results_margin, nullptr},
    };
    for (const auto& [option, needed] : needs) {
        const auto row = std::ranges::find(SETTING_ROWS, check_of(option), &SettingRow::id);
        ASSERT_NE(row, SETTING_ROWS.end());
        EXPECT_EQ(row->needs, needed != nullptr ? check_of(needed) : 0) << row->text;
    }
    for (std::size_t i = 1; i < SETTING_ROW_COUNT; ++i) {
        const SettingRow& box = SETTING_ROWS[i];
        if (box.kind != SettingKind::HotKeyBox && box.kind != SettingKind::ZoomList) continue;
        EXPECT_EQ(SETTING_ROWS[i - 1].kind, SettingKind::Caption);
        EXPECT_EQ(box.name, SETTING_ROWS[i - 1].text);
        EXPECT_FALSE(box.name.empty());
    }
}

// Every row inside the dialog, none over another, and the two buttons on one line.
TEST(SettingsDialog, LayoutAtEachScale) {
    for (const std::uint32_t dpi : {96u, 144u, 192u}) {
        const SettingsLayout l = settings_layout(dpi);
        for (std::size_t i = 0; i < SETTING_ROW_COUNT; ++i) {
            const PixelBox& a = l.boxes[i];
            EXPECT_TRUE(a.x > 0 && a.y > 0 && a.x + a.width < l.client.width && a.y + a.height < l.client.height) << i;
            for (std::size_t j = i + 1; j < SETTING_ROW_COUNT; ++j) {
                const PixelBox& b = l.boxes[j];
                EXPECT_TRUE(a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                            b.y + b.height <= a.y)
                    << i << " over " << j << " at " << dpi;
            }
        }
        EXPECT_EQ(l.boxes[SETTING_ROW_COUNT - 2].y, l.boxes[SETTING_ROW_COUNT - 1].y);
    }
}

}  // namespace
}  // namespace numvora
