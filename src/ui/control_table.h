// The child controls of the main window, in creation order: the one place a control
// is described. Creation, fonts, placement, control colours, button painting, the
// system theme of the boxes, lists and check boxes, the tab order and what a screen
// reader says all walk this table; a button's command and its keys are a row of the
// command list (ui/commands.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/colors/button_colors.h"
#include "ui/commands.h"
#include "ui/control_ids.h"
#include "ui/control_place.h"
#include "ui/keypad_buttons.h"

namespace numvora {

enum class ControlClass { Button, Static, Edit, ListBox, RichEdit };

// The window class that CreateWindowExW is given.
constexpr const wchar_t* control_class_name(ControlClass kind) {
    switch (kind) {
    case ControlClass::Button: return L"BUTTON";
    case ControlClass::Static: return L"STATIC";
    case ControlClass::Edit: return L"EDIT";
    case ControlClass::ListBox: return L"LISTBOX";
    case ControlClass::RichEdit: return L"RICHEDIT50W";
    }
    return L"STATIC";
}

enum class FontRole { Ui, Display, Keypad };

// The theme colours a control gets; None leaves it to the system.
enum class ColorRole { None, Caption, Expression, Result, History, Memo, Status };

// What a row is to the code that names it. The keypad and the operation buttons are
// groups of consecutive rows.
enum class ControlSlot {
    SaveButton,
    LoadButton,
    DarkModeButton,
    SideButton,
    ExpressionCaption,
    ThousandsCheckbox,
    ExpressionEdit,
    ResultCaption,
    ResultLabel,
    ResultToMemoButton,
    ExpressionResultToMemoButton,
    CopyResultButton,
    KeypadKey,
    HistoryCaption,
    ClearHistoryButton,
    HistoryList,
    OperationButton,
    StatusLabel,
    FindBox,
    FindMessage,
    FindMatchCase,
    FindPreviousButton,
    FindNextButton,
    FindCloseButton,
    ReplaceBox,
    ReplaceButton,
    ReplaceAllButton,
    MemoEdit,
    Unnamed,  // a control that no code needs to find
};

// The part of the window a control is read in (Tab walks the areas in reading order,
// the top bar first); Unset marks a row that forgot to say.
enum class ReadingArea : std::uint8_t { Unset, TopBar, Calculator, Memo };

// What a control is like before the first message: as its row says, disabled, or
// following a saved setting.
enum class StartState : std::uint8_t { AsRow, Disabled, SideText, GroupingCheck };

struct ControlRow {
    ControlClass class_kind;
    std::int32_t id;  // 0: none
    std::uint32_t style;
    std::wstring_view text;
    FontRole font;
    ColorRole colors;
    ButtonKind button;  // how an owner-drawn button is painted
    ControlSlot slot;
    ReadingArea area;
    Place place;
    std::wstring_view accessible_name = {};  // for a caption a screen reader would misread; NUL-terminated
    char operation = 0;                      // an operation button's operator; 0 takes the operand alone
    StartState start = StartState::AsRow;
    bool announced = false;  // a live region: a screen reader says its new texts
};

constexpr FindBar find_bar_row(const ControlRow& row) { return find_bar_row(row.place.band); }

// Window style bits, with the values of the system headers (the window layer checks
// them against those), so that the table builds and is tested without them.
namespace style {
inline constexpr std::uint32_t CHILD = 0x40000000;
inline constexpr std::uint32_t VISIBLE = 0x10000000;
inline constexpr std::uint32_t TABSTOP = 0x00010000;
inline constexpr std::uint32_t VSCROLL = 0x00200000;
inline constexpr std::uint32_t BUTTON_AUTOCHECKBOX = 0x0003;
inline constexpr std::uint32_t BUTTON_OWNERDRAW = 0x000B;
inline constexpr std::uint32_t BUTTON_CENTER = 0x0300;
inline constexpr std::uint32_t BUTTON_VCENTER = 0x0C00;
inline constexpr std::uint32_t EDIT_CENTER = 0x0001;
inline constexpr std::uint32_t EDIT_MULTILINE = 0x0004;
inline constexpr std::uint32_t EDIT_AUTOVSCROLL = 0x0040;
inline constexpr std::uint32_t EDIT_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t EDIT_NOHIDESEL = 0x0100;
inline constexpr std::uint32_t EDIT_WANTRETURN = 0x1000;
inline constexpr std::uint32_t STATIC_CENTER = 0x0001;
inline constexpr std::uint32_t STATIC_CENTERIMAGE = 0x0200;
inline constexpr std::uint32_t STATIC_ENDELLIPSIS = 0x4000;
inline constexpr std::uint32_t LIST_NOTIFY = 0x0001;
inline constexpr std::uint32_t LIST_HASSTRINGS = 0x0040;
inline constexpr std::uint32_t LIST_NOINTEGRALHEIGHT = 0x0100;

// Every button except the check box is painted by the window.
inline constexpr std::uint32_t OWNER_DRAWN_BUTTON =
    CHILD | VISIBLE | TABSTOP | BUTTON_OWNERDRAW | BUTTON_CENTER | BUTTON_VCENTER;
// The find bar's buttons, shown with the bar.
inline constexpr std::uint32_t FIND_BAR_BUTTON = OWNER_DRAWN_BUTTON & ~VISIBLE;
// One line: a caption too wide for its box (a large scale, a narrow window) ends in
// "…" rather than wrapping into a clipped second line.
inline constexpr std::uint32_t CAPTION = CHILD | VISIBLE | STATIC_ENDELLIPSIS;
}  // namespace style

// The side switch names the move that its next click makes. (NUL-terminated: the
// window layer hands it to SetWindowTextW.)
constexpr std::wstring_view side_button_text(bool calculator_right) {
    return calculator_right ? L"계산기 ← 왼쪽" : L"계산기 → 오른쪽";
}

namespace detail {

using enum ControlClass;
using enum FontRole;
using enum ColorRole;
using enum ControlSlot;
using enum Band;
using B = ButtonKind;
using A = ReadingArea;
using namespace style;

inline constexpr ControlRow ABOVE_KEYPAD[] = {
    {Button, ids::SAVE, OWNER_DRAWN_BUTTON, L"\U0001F4BE  저장", Ui, None, B::Neutral, SaveButton, A::TopBar,
     fixed(TopBarLine, 106)},
    {Button, ids::LOAD, OWNER_DRAWN_BUTTON, L"\U0001F4C2  불러오기", Ui, None, B::Neutral, LoadButton, A::TopBar,
     fixed(TopBarLine, 106)},
    {Button, ids::DARK_MODE, OWNER_DRAWN_BUTTON, L"다크모드", Ui, None, B::Neutral, DarkModeButton, A::TopBar,
     at_end(TopBarLine, 142), L"다크 모드"},
    {Button, ids::SIDE, OWNER_DRAWN_BUTTON, side_button_text(false), Ui, None, B::Neutral, SideButton, A::Calculator,
     at_end(SideLine, 150), L"", 0, StartState::SideText},
    {Static, 0, CAPTION, L"계산식", Ui, Caption, B::Neutral, ExpressionCaption, A::Calculator,
     share(ExpressionCaptionLine)},
    // The check box stands a little taller than its caption, centred on it.
    {Button, ids::THOUSANDS, CHILD | VISIBLE | TABSTOP | BUTTON_AUTOCHECKBOX, L"천 단위 콤마", Ui, Caption, B::Neutral,
     ThousandsCheckbox, A::Calculator, at_end(ExpressionCaptionLine, 116).nudged(-2, 0, 4), L"", 0,
     StartState::GroupingCheck},
    {Edit, ids::EXPRESSION_EDIT, CHILD | VISIBLE | TABSTOP | EDIT_AUTOHSCROLL | EDIT_CENTER, L"", Display, Expression,
     B::Neutral, ExpressionEdit, A::Calculator, share(ExpressionLine)},
    {Static, 0, CAPTION, L"계산 결과", Ui, Caption, B::Neutral, ResultCaption, A::Calculator, share(ResultCaptionLine)},
    {Static, 0, CHILD | VISIBLE | STATIC_CENTERIMAGE | STATIC_CENTER, L"계산 결과가 여기에 표시됩니다.", Display,
     Result, B::Neutral, ResultLabel, A::Calculator, share(ResultLine), L"", 0, StartState::AsRow, true},
    {Button, ids::RESULT_TO_MEMO, OWNER_DRAWN_BUTTON, L"결과→메모", Ui, None, B::ResultAction, ResultToMemoButton,
     A::Calculator, share(ResultActionLine)},
    {Button, ids::EXPRESSION_RESULT_TO_MEMO, OWNER_DRAWN_BUTTON, L"식+결과→메모", Ui, None, B::ResultAction,
     ExpressionResultToMemoButton, A::Calculator, share(ResultActionLine)},
    {Button, ids::COPY_RESULT, OWNER_DRAWN_BUTTON, L"결과 복사", Ui, None, B::ResultAction, CopyResultButton,
     A::Calculator, share(ResultActionLine)},
};

inline constexpr ControlRow BELOW_KEYPAD[] = {
    {Static, 0, CAPTION, L"최근 계산 — 더블클릭하면 결과값 재사용", Ui, Caption, B::Neutral, HistoryCaption,
     A::Calculator, share(HistoryCaptionLine)},
    {Button, ids::CLEAR_HISTORY, OWNER_DRAWN_BUTTON, L"기록 지우기", Ui, None, B::Function, ClearHistoryButton,
     A::Calculator, at_end(HistoryCaptionLine, 82).nudged(0, 0, 4)},
    {ListBox, ids::HISTORY_LIST,
     CHILD | VISIBLE | VSCROLL | TABSTOP | LIST_NOINTEGRALHEIGHT | LIST_HASSTRINGS | LIST_NOTIFY, L"", Ui, History,
     B::Neutral, HistoryList, A::Calculator, share(HistoryLine)},
    // The operation buttons at the end of the memo panel's first line, as wide as the top
    // bar is tall.
    {Button, ids::OPERATION_ALONE, OWNER_DRAWN_BUTTON, L"=", Keypad, None, B::Operator, OperationButton, A::Memo,
     at_end(OperationLine, 46), L"선택값 계산", 0, StartState::Disabled},
    {Button, ids::OPERATION_ADD, OWNER_DRAWN_BUTTON, L"+>", Keypad, None, B::Operator, OperationButton, A::Memo,
     at_end(OperationLine, 46), L"선택값 더하기", '+', StartState::Disabled},
    {Button, ids::OPERATION_SUBTRACT, OWNER_DRAWN_BUTTON, L"->", Keypad, None, B::Operator, OperationButton, A::Memo,
     at_end(OperationLine, 46), L"선택값 빼기", '-', StartState::Disabled},
    {Button, ids::OPERATION_DIVIDE, OWNER_DRAWN_BUTTON, L"/>", Keypad, None, B::Operator, OperationButton, A::Memo,
     at_end(OperationLine, 46), L"선택값으로 나누기", '/', StartState::Disabled},
    {Button, ids::OPERATION_MULTIPLY, OWNER_DRAWN_BUTTON, L"\u00D7>", Keypad, None, B::Operator, OperationButton,
     A::Memo, at_end(OperationLine, 46), L"선택값 곱하기", '*', StartState::Disabled},
    // The find bar, hidden until Ctrl+F or Ctrl+H. A one-line edit draws its text at its
    // top: the boxes are a line's height, centred in the row. The two boxes line up, the
    // buttons at the end of their rows; the message has a line of its own under them.
    {Edit, ids::FIND_BOX, CHILD | TABSTOP | EDIT_AUTOHSCROLL, L"", Ui, Expression, B::Neutral, FindBox, A::Memo,
     share(FindLine).inset_by(3), L"찾을 내용"},
    {Button, ids::FIND_PREVIOUS, FIND_BAR_BUTTON, L"\u25B2", Ui, None, B::Neutral, FindPreviousButton, A::Memo,
     at_end(FindLine, 36), L"이전 찾기"},
    {Button, ids::FIND_NEXT, FIND_BAR_BUTTON, L"\u25BC", Ui, None, B::Neutral, FindNextButton, A::Memo,
     at_end(FindLine, 36), L"다음 찾기"},
    {Button, ids::FIND_CLOSE, FIND_BAR_BUTTON, L"닫기", Ui, None, B::Neutral, FindCloseButton, A::Memo,
     at_end(FindLine, 52), L"찾기 닫기"},
    {Edit, ids::REPLACE_BOX, CHILD | TABSTOP | EDIT_AUTOHSCROLL, L"", Ui, Expression, B::Neutral, ReplaceBox, A::Memo,
     share(ReplaceLine).inset_by(3), L"바꿀 내용"},
    {Button, ids::REPLACE_ONE, FIND_BAR_BUTTON, L"바꾸기", Ui, None, B::Neutral, ReplaceButton, A::Memo,
     fixed(ReplaceLine, 76)},
    {Button, ids::REPLACE_ALL, FIND_BAR_BUTTON, L"모두 바꾸기", Ui, None, B::Neutral, ReplaceAllButton, A::Memo,
     up_to(ReplaceLine, 104)},
    {Static, ids::FIND_MESSAGE, CHILD | STATIC_ENDELLIPSIS | STATIC_CENTERIMAGE, L"", Ui, Caption, B::Neutral,
     FindMessage, A::Memo, share(FindMessageLine), L"", 0, StartState::AsRow, true},
    {Button, ids::FIND_MATCH_CASE, CHILD | TABSTOP | BUTTON_AUTOCHECKBOX, L"대소문자 구분", Ui, Caption, B::Neutral,
     FindMatchCase, A::Memo, at_end(FindMessageLine, 112)},
    // The selection stays shown while the find bar has the focus: it is the match.
    {RichEdit, ids::MEMO_EDIT,
     CHILD | VISIBLE | VSCROLL | TABSTOP | EDIT_WANTRETURN | EDIT_AUTOVSCROLL | EDIT_MULTILINE | EDIT_NOHIDESEL, L"",
     Ui, Memo, B::Neutral, MemoEdit, A::Memo, share(MemoLine)},
    // The status line under the memo, as wide as it: a message that still does not fit
    // shows whole in its tooltip.
    {Static, 0, CHILD | VISIBLE | STATIC_ENDELLIPSIS | STATIC_CENTERIMAGE, L"", Ui, Status, B::Neutral, StatusLabel,
     A::Memo, share(StatusLine), L"", 0, StartState::AsRow, true},
};

// '=' calculates, digits and the point are digits, the four operators are operators,
// and C, ⌫ and % are functions.
constexpr ButtonKind keypad_button_kind(const KeypadButton& key) {
    if (key.control_id == ids::CALCULATE) return ButtonKind::Equals;
    if (!key.insert_text || *key.insert_text == "%") return ButtonKind::Function;
    const char c = key.insert_text->front();
    return (c >= '0' && c <= '9') || c == '.' ? ButtonKind::Digit : ButtonKind::Operator;
}

inline constexpr std::size_t ROW_COUNT = std::size(ABOVE_KEYPAD) + KEYPAD_BUTTON_COUNT + std::size(BELOW_KEYPAD);

constexpr std::array<ControlRow, ROW_COUNT> make_control_rows() {
    std::array<ControlRow, ROW_COUNT> rows{};
    std::size_t n = 0;
    for (const ControlRow& row : ABOVE_KEYPAD) rows[n++] = row;
    for (const KeypadButton& key : KEYPAD_BUTTONS) {
        rows[n++] = {Button,        key.control_id, OWNER_DRAWN_BUTTON,      key.label,
                     Keypad,        None,           keypad_button_kind(key), KeypadKey,
                     A::Calculator, {KeypadGrid},   key.accessible_name};
    }
    for (const ControlRow& row : BELOW_KEYPAD) rows[n++] = row;
    return rows;
}

}  // namespace detail

inline constexpr std::size_t CONTROL_COUNT = detail::ROW_COUNT;
inline constexpr std::array<ControlRow, CONTROL_COUNT> CONTROL_ROWS = detail::make_control_rows();

// The row of a slot's control; member counts within a group (the keypad in
// KEYPAD_BUTTONS order, the operation buttons in id order).
constexpr std::size_t control_row_index(ControlSlot slot, std::size_t member = 0) {
    for (std::size_t i = 0; i < CONTROL_ROWS.size(); ++i) {
        if (CONTROL_ROWS[i].slot == slot) return i + member;
    }
    return CONTROL_ROWS.size();
}

constexpr std::size_t count_rows(ControlSlot slot) {
    std::size_t n = 0;
    for (const ControlRow& row : CONTROL_ROWS) n += row.slot == slot ? 1 : 0;
    return n;
}

inline constexpr std::size_t OPERATION_BUTTON_COUNT = count_rows(ControlSlot::OperationButton);

// A group's members are consecutive rows, so a member's row is the group's first plus
// its place.
constexpr bool groups_are_consecutive() {
    for (std::size_t i = 0; i < KEYPAD_BUTTON_COUNT; ++i) {
        if (CONTROL_ROWS[control_row_index(ControlSlot::KeypadKey, i)].slot != ControlSlot::KeypadKey) return false;
    }
    for (std::size_t i = 0; i < OPERATION_BUTTON_COUNT; ++i) {
        if (CONTROL_ROWS[control_row_index(ControlSlot::OperationButton, i)].slot != ControlSlot::OperationButton)
            return false;
    }
    return true;
}
static_assert(groups_are_consecutive());

// Every row says where it is read; ids are unique; a name is NUL-terminated (the
// window layer hands it on as is); only an operation button carries an operator, and
// only the find bar, the operation buttons and the two toggles start otherwise than
// their row says; the keypad's keys, and only they, sit in its grid.
constexpr bool row_is_complete(const ControlRow& row) {
    if (row.area == ReadingArea::Unset) return false;
    if (!row.accessible_name.empty() && row.accessible_name.data()[row.accessible_name.size()] != L'\0') return false;
    if (row.operation != 0 && row.slot != ControlSlot::OperationButton) return false;
    if ((row.place.band == Band::KeypadGrid) != (row.slot == ControlSlot::KeypadKey)) return false;
    if (row.place.gives_way && row.place.from_end) return false;
    if (row.announced && row.class_kind != ControlClass::Static) return false;
    switch (row.start) {
    case StartState::AsRow: return row.slot != ControlSlot::OperationButton;
    case StartState::Disabled: return row.slot == ControlSlot::OperationButton;
    case StartState::SideText: return row.slot == ControlSlot::SideButton;
    case StartState::GroupingCheck: return row.slot == ControlSlot::ThousandsCheckbox;
    }
    return false;
}

constexpr bool rows_are_complete() {
    for (std::size_t i = 0; i < CONTROL_ROWS.size(); ++i) {
        const ControlRow& a = CONTROL_ROWS[i];
        if (!row_is_complete(a)) return false;
        for (std::size_t j = i + 1; j < CONTROL_ROWS.size(); ++j) {
            const ControlRow& b = CONTROL_ROWS[j];
            if (a.id != 0 && a.id == b.id) return false;
        }
    }
    return true;
}
static_assert(rows_are_complete());

// The index of the row of the control with this id; CONTROL_COUNT for none (ids of
// commands without a control). The build's checks ask for the index: under GCC's
// sanitizers a pointer into a table compared with null is no constant expression.
constexpr std::size_t control_row_with_id(std::int32_t id) {
    for (std::size_t i = 0; id != 0 && i < CONTROL_ROWS.size(); ++i) {
        if (CONTROL_ROWS[i].id == id) return i;
    }
    return CONTROL_ROWS.size();
}

// The row of the control with this id, if any.
constexpr const ControlRow* find_control_row(std::int32_t id) {
    const std::size_t i = control_row_with_id(id);
    return i < CONTROL_ROWS.size() ? &CONTROL_ROWS[i] : nullptr;
}

// A check box, which the system draws, unlike the owner-drawn buttons.
constexpr bool is_check_box(const ControlRow& row) {
    constexpr std::uint32_t BUTTON_TYPE = 0x000F;
    return row.class_kind == ControlClass::Button && (row.style & BUTTON_TYPE) == style::BUTTON_AUTOCHECKBOX;
}

// How the owner-drawn button with this id is painted; Neutral for anything else.
constexpr ButtonKind button_kind(std::int32_t id) {
    const ControlRow* row = find_control_row(id);
    return row != nullptr ? row->button : ButtonKind::Neutral;
}

}  // namespace numvora
