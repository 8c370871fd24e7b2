// The control table's rows mapped to the record's handle fields.
#include <richedit.h>

#include "platform/windows/state/app_state.h"

namespace numvora {

// The table spells the style bits out so that it builds without the system headers.
static_assert(style::CHILD == WS_CHILD && style::VISIBLE == WS_VISIBLE && style::TABSTOP == WS_TABSTOP &&
              style::VSCROLL == WS_VSCROLL);
static_assert(style::BUTTON_AUTOCHECKBOX == BS_AUTOCHECKBOX && style::BUTTON_OWNERDRAW == BS_OWNERDRAW &&
              style::BUTTON_CENTER == BS_CENTER && style::BUTTON_VCENTER == BS_VCENTER);
static_assert(style::EDIT_CENTER == ES_CENTER && style::EDIT_MULTILINE == ES_MULTILINE &&
              style::EDIT_AUTOVSCROLL == ES_AUTOVSCROLL && style::EDIT_AUTOHSCROLL == ES_AUTOHSCROLL &&
              style::EDIT_WANTRETURN == ES_WANTRETURN);
static_assert(style::STATIC_CENTER == SS_CENTER && style::STATIC_CENTERIMAGE == SS_CENTERIMAGE &&
              style::STATIC_ENDELLIPSIS == SS_ENDELLIPSIS);
static_assert(style::LIST_NOTIFY == LBS_NOTIFY && style::LIST_HASSTRINGS == LBS_HASSTRINGS &&
              style::LIST_NOINTEGRALHEIGHT == LBS_NOINTEGRALHEIGHT);

AppState* app_state_of(HWND window) { return reinterpret_cast<AppState*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

HWND& control_handle(AppState& s, const ControlRow& row) {
    switch (row.slot) {
    case ControlSlot::SaveButton: return s.save_button;
    case ControlSlot::LoadButton: return s.load_button;
    case ControlSlot::DarkModeButton: return s.dark_mode_button;
    case ControlSlot::SideButton: return s.side_button;
    case ControlSlot::ExpressionCaption: return s.expression_caption;
    case ControlSlot::ThousandsCheckbox: return s.thousands_checkbox;
    case ControlSlot::ExpressionEdit: return s.expression_edit;
    case ControlSlot::ResultCaption: return s.result_caption;
    case ControlSlot::ResultLabel: return s.result_label;
    case ControlSlot::ResultToMemoButton: return s.result_to_memo_button;
    case ControlSlot::ExpressionResultToMemoButton: return s.expression_result_to_memo_button;
    case ControlSlot::CopyResultButton: return s.copy_result_button;
    case ControlSlot::KeypadKey: return s.keypad_buttons.at(row.index);
    case ControlSlot::HistoryCaption: return s.history_caption;
    case ControlSlot::ClearHistoryButton: return s.clear_history_button;
    case ControlSlot::HistoryList: return s.history_list;
    case ControlSlot::OperationButton: return s.operation_buttons.at(row.index);
    case ControlSlot::StatusLabel: return s.status_label;
    case ControlSlot::MemoEdit: return s.memo_edit;
    }
    return s.memo_edit;  // not reached: every slot is named above
}

HWND control_handle(const AppState& state, const ControlRow& row) {
    return control_handle(const_cast<AppState&>(state), row);
}

}  // namespace numvora
