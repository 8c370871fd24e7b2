// The 41 child controls of the main window, in creation order.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/windows/window/app_state.h"
#include "ui/control_ids.h"
#include "ui/keypad_buttons.h"

namespace numvora {

// Owner-drawn push button: every button except the check box is painted by the window.
inline constexpr DWORD OWNER_DRAWN_BUTTON =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_CENTER | BS_VCENTER;
inline constexpr DWORD CAPTION_STYLE = WS_CHILD | WS_VISIBLE;

struct ControlRow {
    const wchar_t* class_name;
    std::int32_t id;  // 0: no id
    DWORD style;
    const wchar_t* text;
    // Where AppState keeps the handle; null for the keypad and operation buttons,
    // which go to their lists.
    HWND AppState::*field;
};

inline constexpr std::size_t CONTROL_COUNT = 41;

namespace detail {

inline constexpr std::array<ControlRow, 12> CONTROLS_ABOVE_KEYPAD{{
    {L"BUTTON", ids::SAVE, OWNER_DRAWN_BUTTON, L"\U0001F4BE  저장", &AppState::save_button},
    {L"BUTTON", ids::LOAD, OWNER_DRAWN_BUTTON, L"\U0001F4C2  불러오기", &AppState::load_button},
    {L"BUTTON", ids::DARK_MODE, OWNER_DRAWN_BUTTON, L"다크모드", &AppState::dark_mode_button},
    {L"BUTTON", ids::SIDE, OWNER_DRAWN_BUTTON, L"계산기 → 오른쪽", &AppState::side_button},
    {L"STATIC", 0, CAPTION_STYLE, L"계산식", &AppState::expression_caption},
    {L"BUTTON", ids::THOUSANDS, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, L"천 단위 콤마",
     &AppState::thousands_checkbox},
    {L"EDIT", ids::EXPRESSION_EDIT, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER, L"",
     &AppState::expression_edit},
    {L"STATIC", 0, CAPTION_STYLE, L"계산 결과", &AppState::result_caption},
    {L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_CENTER, L"계산 결과가 여기에 표시됩니다.",
     &AppState::result_label},
    {L"BUTTON", ids::RESULT_TO_MEMO, OWNER_DRAWN_BUTTON, L"결과→메모", &AppState::result_to_memo_button},
    {L"BUTTON", ids::EXPRESSION_RESULT_TO_MEMO, OWNER_DRAWN_BUTTON, L"식+결과→메모",
     &AppState::expression_result_to_memo_button},
    {L"BUTTON", ids::COPY_RESULT, OWNER_DRAWN_BUTTON, L"결과 복사", &AppState::copy_result_button},
}};

inline constexpr std::array<ControlRow, 10> CONTROLS_BELOW_KEYPAD{{
    {L"STATIC", 0, CAPTION_STYLE, L"최근 계산 — 더블클릭하면 결과값 재사용", &AppState::history_caption},
    {L"BUTTON", ids::CLEAR_HISTORY, OWNER_DRAWN_BUTTON, L"기록 지우기", &AppState::clear_history_button},
    {L"LISTBOX", ids::HISTORY_LIST,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_NOTIFY, L"",
     &AppState::history_list},
    {L"BUTTON", 1009, OWNER_DRAWN_BUTTON, L"=", nullptr},
    {L"BUTTON", 1010, OWNER_DRAWN_BUTTON, L"+>", nullptr},
    {L"BUTTON", 1011, OWNER_DRAWN_BUTTON, L"->", nullptr},
    {L"BUTTON", 1012, OWNER_DRAWN_BUTTON, L"/>", nullptr},
    {L"BUTTON", 1013, OWNER_DRAWN_BUTTON, L"\u00D7>", nullptr},
    {L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_ENDELLIPSIS | SS_CENTERIMAGE, L"", &AppState::status_label},
    {L"RICHEDIT50W", ids::MEMO_EDIT,
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE, L"",
     &AppState::memo_edit},
}};

constexpr std::array<ControlRow, CONTROL_COUNT> make_control_rows() {
    std::array<ControlRow, CONTROL_COUNT> rows{};
    std::size_t n = 0;
    for (const ControlRow& row : CONTROLS_ABOVE_KEYPAD) rows[n++] = row;
    for (const KeypadButton& key : KEYPAD_BUTTONS) {
        rows[n++] = {L"BUTTON", key.control_id, OWNER_DRAWN_BUTTON, key.label.data(), nullptr};
    }
    for (const ControlRow& row : CONTROLS_BELOW_KEYPAD) rows[n++] = row;
    return rows;
}

}  // namespace detail

inline constexpr std::array<ControlRow, CONTROL_COUNT> CONTROL_ROWS = detail::make_control_rows();

}  // namespace numvora
