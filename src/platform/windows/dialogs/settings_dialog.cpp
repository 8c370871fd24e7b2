#include "platform/windows/dialogs/settings_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_handle.h"
#include "platform/windows/dialogs/dialog_frame.h"
#include "platform/windows/painting/painting.h"
#include "ui/settings_dialog.h"

namespace numvora {
namespace {

// DWMWA_USE_IMMERSIVE_DARK_MODE.
constexpr DWORD DARK_MODE_ATTRIBUTE = 20;
// The zoom list's drop-down, in lines of the box's height.
constexpr std::int32_t ZOOM_LIST_LINES = 10;

struct Dialog {
    const SettingsDialogInput& in;
    Preferences chosen;
    std::optional<SystemError> failure;
    UniqueBrush panel;  // the dialog and its captions
    UniqueBrush box;    // the key and the zoom
};

static_assert(SETTING_ROWS[SETTING_ROW_COUNT - 2].id == IDOK && SETTING_ROWS[SETTING_ROW_COUNT - 1].id == IDCANCEL,
              "the dialog manager's Enter and Esc need the buttons' ids");

struct ControlKind {
    const wchar_t* class_name;
    DWORD style;
    DWORD ex_style;
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;

ControlKind control_kind(SettingKind kind) {
    switch (kind) {
    case SettingKind::Caption: return {L"STATIC", CHILD | SS_CENTERIMAGE, 0};
    case SettingKind::HotKeyBox: return {HOTKEY_CLASSW, CHILD | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case SettingKind::TakenNote: return {L"STATIC", WS_CHILD | SS_CENTERIMAGE, 0};
    case SettingKind::Check: return {L"BUTTON", CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case SettingKind::ZoomList: return {L"COMBOBOX", CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case SettingKind::OkButton:
    case SettingKind::CancelButton: return {L"BUTTON", CHILD | WS_TABSTOP | BS_OWNERDRAW, 0};
    }
    return {L"STATIC", CHILD, 0};
}

// A check box that needs another acts only while that one is on.
void enable_dependents(HWND dialog) {
    for (const SettingRow& row : SETTING_ROWS) {
        if (row.needs != 0)
            EnableWindow(GetDlgItem(dialog, row.id), IsDlgButtonChecked(dialog, row.needs) == BST_CHECKED);
    }
}

void show_values(HWND dialog, const Dialog& d) {
    const Preferences& p = d.in.preferences;
    for (const SettingRow& row : SETTING_ROWS) {
        const HWND control = GetDlgItem(dialog, row.id);
        switch (row.kind) {
        case SettingKind::HotKeyBox:
            // A key wants Ctrl or Alt: a plain or shifted one becomes Ctrl+Alt with it.
            SendMessageW(control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
            SendMessageW(control, HKM_SETHOTKEY, hot_key_control_word(p.*row.key), 0);
            break;
        case SettingKind::TakenNote:
            if (d.in.hot_key_taken) {
                SetWindowTextW(control, to_wide(hot_key_taken_text(p.*row.key)).c_str());
                ShowWindow(control, SW_SHOWNA);
            }
            break;
        case SettingKind::Check: CheckDlgButton(dialog, row.id, p.*row.option ? BST_CHECKED : BST_UNCHECKED); break;
        case SettingKind::ZoomList:
            for (std::int32_t zoom = MEMO_ZOOM_MIN; zoom <= MEMO_ZOOM_MAX; zoom += MEMO_ZOOM_STEP) {
                SendMessageW(control, CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(std::to_wstring(zoom).append(L"%").c_str()));
            }
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>((p.*row.zoom - MEMO_ZOOM_MIN) / MEMO_ZOOM_STEP), 0);
            break;
        default: break;
        }
    }
    enable_dependents(dialog);
}

// The key the box shows: the one the dialog opened with while the box shows it still
// (the box knows no Win key), otherwise the box's.
Preferences chosen_values(HWND dialog, const Dialog& d) {
    Preferences p = d.in.preferences;
    for (const SettingRow& row : SETTING_ROWS) {
        const HWND control = GetDlgItem(dialog, row.id);
        if (row.kind == SettingKind::HotKeyBox) {
            const auto word = static_cast<std::uint16_t>(SendMessageW(control, HKM_GETHOTKEY, 0, 0));
            if (word != hot_key_control_word(p.*row.key)) p.*row.key = hot_key_of_control_word(word);
        } else if (row.kind == SettingKind::Check) {
            p.*row.option = IsDlgButtonChecked(dialog, row.id) == BST_CHECKED;
        } else if (row.kind == SettingKind::ZoomList) {
            const LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
            if (index >= 0) p.*row.zoom = MEMO_ZOOM_MIN + static_cast<std::int32_t>(index) * MEMO_ZOOM_STEP;
        }
    }
    return p;
}

// The dark title bar and dark boxes; in the dark the check boxes go unthemed, or a theme
// would draw their captions black on the dark panel.
void apply_theme(HWND dialog, const Dialog& d) {
    if (!d.in.scheme.dark_frame()) return;
    const BOOL dark = TRUE;
    d.in.look->set_window_attribute(dialog, DARK_MODE_ATTRIBUTE, &dark, sizeof dark);
    for (const SettingRow& row : SETTING_ROWS) {
        const HWND control = GetDlgItem(dialog, row.id);
        if (row.kind == SettingKind::HotKeyBox || row.kind == SettingKind::ZoomList)
            d.in.look->set_window_theme(control, L"DarkMode_Explorer", nullptr);
        if (row.kind == SettingKind::Check) d.in.look->set_window_theme(control, L"", L"");
    }
}

SystemStatus create_controls(HWND dialog, Dialog& d) {
    const SettingsLayout layout = settings_layout(d.in.dpi);
    for (std::size_t i = 0; i < SETTING_ROW_COUNT; ++i) {
        const SettingRow& row = SETTING_ROWS[i];
        const ControlKind kind = control_kind(row.kind);
        PixelBox box = layout.boxes[i];
        if (row.kind == SettingKind::ZoomList) box.height *= ZOOM_LIST_LINES;  // with its drop-down
        const HWND control = CreateWindowExW(kind.ex_style, kind.class_name, to_wide(row.text).c_str(), kind.style,
                                             box.x, box.y, box.width, box.height, dialog,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), nullptr, nullptr);
        if (control == nullptr) return fail(last_system_error("CreateWindowExW"));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(d.in.font), FALSE);
        if (!row.name.empty())
            d.in.accessibility->annotate_text(control, ACCESSIBLE_NAME_PROPERTY, to_wide(row.name).c_str());
    }
    place_dialog(dialog, d.in.owner, layout.client, d.in.dpi);
    return {};
}

INT_PTR init_dialog(HWND dialog, Dialog& d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
    const ThemePalette palette = scheme_palette(d.in.scheme);
    d.panel = UniqueBrush(d.in.look->create_brush(palette[PANEL_BACKGROUND]));
    d.box = UniqueBrush(d.in.look->create_brush(palette[EXPRESSION_BACKGROUND]));
    if (auto made = create_controls(dialog, d); !made) {
        d.failure = made.error();
        EndDialog(dialog, IDABORT);
        return TRUE;
    }
    show_values(dialog, d);
    apply_theme(dialog, d);
    SetFocus(GetDlgItem(dialog, SETTING_HOT_KEY_ID));
    return FALSE;  // the focus is set
}

// Captions and check boxes on the panel (muted while one cannot act), the note in the
// warning colour, the key and the zoom as the expression box; the system's colours when
// a brush could not be made.
std::optional<INT_PTR> colors(const Dialog& d, UINT message, HDC dc, HWND control) {
    const ThemePalette palette = scheme_palette(d.in.scheme);
    const bool box = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const HBRUSH brush = box ? d.box.get() : d.panel.get();
    if (brush == nullptr) return std::nullopt;
    const PaletteColor text = GetDlgCtrlID(control) == SETTING_TAKEN_NOTE_ID ? STATUS_ERROR_TEXT
                              : IsWindowEnabled(control)                     ? EXPRESSION_TEXT
                                                                             : CAPTION_TEXT;
    SetTextColor(dc, palette[text]);
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
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return colors(*d, message, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam)).value_or(FALSE);
    case WM_DRAWITEM:
        paint_push_button(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam), ButtonKind::Neutral, d->in.scheme);
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, IDCANCEL); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) {
            d->chosen = chosen_values(dialog, *d);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wparam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
        } else if (LOWORD(wparam) == SETTING_HOT_KEY_ID && HIWORD(wparam) == EN_CHANGE) {
            ShowWindow(GetDlgItem(dialog, SETTING_TAKEN_NOTE_ID), SW_HIDE);  // it named the key before
        } else if (HIWORD(wparam) == BN_CLICKED) {
            enable_dependents(dialog);
        }
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

SystemResult<std::optional<Preferences>> choose_settings(const SettingsDialogInput& input) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    Dialog d{input, input.preferences, std::nullopt, {}, {}};
    const INT_PTR ended = run_dialog(input.owner, SETTINGS_TITLE, dialog_proc, reinterpret_cast<LPARAM>(&d));
    if (ended == -1) return fail(last_system_error("DialogBoxIndirectParamW"));
    if (d.failure) return fail(*d.failure);
    if (ended != IDOK) return std::optional<Preferences>();
    return std::optional<Preferences>(d.chosen);
}

}  // namespace numvora
