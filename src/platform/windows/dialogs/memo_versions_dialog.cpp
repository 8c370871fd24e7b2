#include "platform/windows/dialogs/memo_versions_dialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/win32/wide_text.h"
#include "platform/windows/base/subclass.h"
#include "platform/windows/dialogs/dialog_frame.h"
#include "platform/windows/painting/text_tips.h"
#include "platform/windows/state/app_state.h"
#include "platform/windows/state/control_text.h"
#include "platform/windows/state/save_all.h"
#include "platform/windows/state/status_view.h"
#include "platform/windows/state/window_mailbox.h"
#include "ui/layout/dpi_scale.h"
#include "ui/memo/memo_versions.h"

namespace numvora {
namespace {

// Posted when the history's worker has answered the dialog.
constexpr UINT WM_VERSIONS_ANSWERED = WM_APP + 2;

struct Version {
    ListedVersion listed;
    std::optional<StorageResult<VersionStart>> start;  // read when first selected; or why it cannot be
    std::optional<Result<void, StorageError>> whole;   // the rest of a cut start, checked
    bool asked = false;                                // the start or the rest is being read
};

struct Dialog {
    HWND main_window;
    HFONT font;
    std::uint32_t dpi;
    SnapshotTime now;  // what "later than now" means
    std::shared_ptr<WindowMailbox> answers;
    std::optional<StorageResult<std::vector<Version>>> versions;  // once listed
    bool restoring = false;                                       // a version is read and the memo kept
    std::optional<RestoredVersion> chosen;
    std::optional<SystemError> failure;  // a control that could not be made
    HWND tips = nullptr;                 // a list line's whole text while the list cuts it
    LRESULT tip_line = -1;               // the line the pointer was last over
};

struct DialogControl {
    const wchar_t* class_name;
    int id;
    DWORD style;
    DWORD ex_style;
    std::string_view text;
    PixelBox VersionsLayout::*box;  // where the layout puts it
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DialogControl CONTROLS[] = {
    {L"LISTBOX", VERSIONS_LIST_ID, CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, "",
     &VersionsLayout::list},
    {L"EDIT", VERSIONS_PREVIEW_ID, CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE,
     "", &VersionsLayout::preview},
    {L"BUTTON", IDOK, CHILD | BS_DEFPUSHBUTTON, 0, RESTORE_VERSION_TEXT, &VersionsLayout::restore},
    {L"BUTTON", IDCANCEL, CHILD | BS_PUSHBUTTON, 0, CLOSE_VERSIONS_TEXT, &VersionsLayout::close},
};

// The history and the memo, looked up again for each question: null once the window
// or its history is gone.
AppState* main_state(const Dialog& d) {
    AppState* state = app_state_of(d.main_window);
    return state != nullptr && state->save->snapshots ? state : nullptr;
}

// Asks on the worker; the answer runs on the dialog's thread while it is open.
template <class T>
Answer<T> to_dialog(const Dialog& d, std::function<void(T)> use) {
    return [answers = d.answers, use = std::move(use)](T value) {
        answers->deliver([use, value = std::make_shared<T>(std::move(value))] { use(std::move(*value)); });
    };
}

Wanted while_open(const Dialog& d) {
    return [answers = d.answers] { return answers->open(); };
}

bool unreadable(const Version& version) {
    return (version.start && !*version.start) || (version.whole && !*version.whole);
}

std::wstring line_of(const Version& version, const SnapshotTime& now) {
    const SnapshotEntry& entry = version.listed.entry;
    std::optional<std::string> first;
    if (version.start && *version.start) first = version.start->value().first_line;
    return to_wide(version_line({entry.time, entry.size, version.listed.same_as_memo, first, unreadable(version),
                                 version.listed.other_window, entry.time > now}));
}

// Centred over the owner, the controls laid out in the client area it got.
void place_controls(HWND dialog, const Dialog& d) {
    place_dialog(dialog, d.main_window, versions_client_size(d.dpi), d.dpi);
    RECT inside{};
    GetClientRect(dialog, &inside);
    const VersionsLayout layout = versions_layout(inside.right, inside.bottom, d.dpi);
    for (const DialogControl& row : CONTROLS) {
        const PixelBox& box = layout.*row.box;
        MoveWindow(GetDlgItem(dialog, row.id), box.x, box.y, box.width, box.height, TRUE);
    }
}

// The line under the pointer whole in the list's tooltip while the list cuts it; asked
// again when the pointer moves to another line.
void tip_line_at(HWND list, Dialog& d, LPARAM point) {
    const LRESULT found = SendMessageW(list, LB_ITEMFROMPOINT, 0, point);
    const LRESULT index = HIWORD(found) == 0 ? LOWORD(found) : -1;
    if (index == d.tip_line) return;
    d.tip_line = index;
    std::wstring text;
    if (index >= 0) {
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(SendMessageW(list, LB_GETTEXTLEN, index, 0), 0)));
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        // The list draws a line a little in from its left edge.
        text = text_if_cut(list, text, item.right - item.left - scale_for_dpi(4, d.dpi));
    }
    set_text_tip(d.tips, GetParent(list), list, text, d.dpi);
}

LRESULT CALLBACK list_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_MOUSEMOVE) {
        if (auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(GetParent(list), DWLP_USER)))
            tip_line_at(list, *d, lparam);
    }
    return pass_to_control(list, message, wparam, lparam);
}

SystemStatus create_controls(HWND dialog, const Dialog& d) {
    for (const DialogControl& row : CONTROLS) {
        const std::wstring text = to_wide(row.text);
        HWND control = CreateWindowExW(row.ex_style, row.class_name, text.c_str(), row.style, 0, 0, 0, 0, dialog,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), nullptr, nullptr);
        if (control == nullptr) return fail(last_system_error("CreateWindowExW"));
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(d.font), FALSE);
    }
    return {};
}

void show_selected(HWND dialog, Dialog& d);

// Read on the worker when first selected: its first line joins its list line. When the
// start does not hold it all, the rest is checked before a restore is offered, so that
// a version offered can be restored.
void read_more(HWND dialog, Dialog& d, std::size_t index) {
    Version& version = d.versions->value()[index];
    AppState* state = main_state(d);
    if (version.asked || state == nullptr) return;
    version.asked = true;
    Dialog* dp = &d;
    if (!version.start) {
        state->save->snapshots->keeper().version_start(
            version.listed, VERSION_PREVIEW_BYTES,
            to_dialog<StorageResult<VersionStart>>(d, [dialog, dp, index](StorageResult<VersionStart> start) {
                Version& v = dp->versions->value()[index];
                v.start = std::move(start);
                v.asked = false;
                show_selected(dialog, *dp);
            }));
    } else {
        state->save->snapshots->keeper().check_version(
            version.listed, while_open(d),
            to_dialog<Result<void, StorageError>>(d, [dialog, dp, index](Result<void, StorageError> whole) {
                Version& v = dp->versions->value()[index];
                v.whole = std::move(whole);
                v.asked = false;
                show_selected(dialog, *dp);
            }));
    }
}

// The selected version's preview, and the restore offered once it is known readable. A
// version's list line changes as more of it is known (its first line, unreadable).
void show_selected(HWND dialog, Dialog& d) {
    const HWND list = GetDlgItem(dialog, VERSIONS_LIST_ID);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    std::string preview(LISTING_VERSIONS_TEXT);
    bool restorable = false;
    if (d.versions && !*d.versions) preview = "메모 이전 버전을 열 수 없습니다: " + display_text(d.versions->error());
    if (d.versions && *d.versions) {
        std::vector<Version>& versions = d.versions->value();
        preview = versions.empty() ? std::string(NO_VERSIONS_TEXT) : std::string();
        if (index >= 0 && static_cast<std::size_t>(index) < versions.size()) {
            Version& version = versions[static_cast<std::size_t>(index)];
            if (version.start && *version.start) {
                const SnapshotStart& start = version.start->value().start;
                preview = version_preview_text(start.text, start.cut);
                restorable = !start.cut || (version.whole && *version.whole);
                if (start.cut && !version.whole) read_more(dialog, d, static_cast<std::size_t>(index));
            } else if (!version.start) {
                read_more(dialog, d, static_cast<std::size_t>(index));
            }
            if (unreadable(version)) {
                restorable = false;
                const StorageError& why = !*version.start ? version.start->error() : version.whole->error();
                preview = std::string(UNREADABLE_VERSION_TEXT) + ": " + display_text(why);
            }
            const std::wstring line = line_of(version, d.now);
            std::wstring shown(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)), L'\0');
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown.data()));
            if (line != shown) {
                d.tip_line = -1;  // the tip follows the new line at the next move
                SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
                SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.c_str()));
                SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            }
        }
    }
    SetDlgItemTextW(dialog, VERSIONS_PREVIEW_ID, to_wide(preview).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), restorable && !d.restoring ? TRUE : FALSE);
}

// Times and sizes from the listing alone: no file is opened for the list.
void fill_list(HWND dialog, Dialog& d, StorageResult<std::vector<ListedVersion>> listed) {
    if (!listed) {
        d.versions = fail(listed.error());
    } else {
        std::vector<Version> versions;
        versions.reserve(listed->size());
        for (ListedVersion& version : listed.value()) versions.push_back({std::move(version), {}, {}, false});
        d.versions = std::move(versions);
        const HWND list = GetDlgItem(dialog, VERSIONS_LIST_ID);
        // Drawn once at the end: the list is on screen already, and this Wine takes
        // seconds to draw it again for each of thousands of lines.
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list, LB_INITSTORAGE, d.versions->value().size(),
                     static_cast<LPARAM>(d.versions->value().size() * 64));
        for (const Version& version : d.versions->value())
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line_of(version, d.now).c_str()));
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }
    show_selected(dialog, d);
}

// A restore that cannot go on: the dialog says why and stays.
void stop_restoring(HWND dialog, Dialog& d, std::optional<std::string> why) {
    d.restoring = false;
    if (AppState* state = app_state_of(d.main_window)) {
        state->status.withdraw(RESTORING_TEXT);
        show_status_line(*state);
    }
    show_selected(dialog, d);
    if (why) SetDlgItemTextW(dialog, VERSIONS_PREVIEW_ID, to_wide(*why).c_str());
}

// The version is read whole first, then the memo kept; only then does the dialog end.
// A large one is restored only when the user agrees, and the status line says so
// meanwhile.
void choose(HWND dialog, Dialog& d, std::size_t index) {
    AppState* state = main_state(d);
    if (state == nullptr) return;
    const ListedVersion version = d.versions->value()[index].listed;
    if (version.entry.size > LARGE_VERSION_BYTES) {
        const std::wstring question = to_wide(large_version_question(version.entry.size));
        const std::wstring caption = to_wide(MEMO_VERSIONS_TITLE);
        if (MessageBoxW(dialog, question.c_str(), caption.c_str(), MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
        if ((state = main_state(d)) == nullptr) return;
    }
    d.restoring = true;
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    show_command_outcome(*state, std::string(RESTORING_TEXT), false);
    UpdateWindow(state->status_label());
    Dialog* dp = &d;
    const auto read = [dialog, dp, index, version](StorageResult<std::string> text) {
        AppState* now = main_state(*dp);
        if (!text) dp->versions->value()[index].whole = fail(text.error());
        if (!text || now == nullptr) return stop_restoring(dialog, *dp, std::nullopt);
        auto whole = std::make_shared<std::string>(std::move(text).value());
        now->save->snapshots->keeper().keep(
            now->save->snapshots->now(), control_text(now->memo_edit()), version.entry.size,
            to_dialog<Result<void, StorageError>>(*dp, [dialog, dp, version,
                                                        whole](const Result<void, StorageError>& kept) {
                if (!kept)
                    return stop_restoring(dialog, *dp, std::string(RESTORE_REFUSED_TEXT) + display_text(kept.error()));
                dp->chosen = RestoredVersion{version.entry, std::move(*whole)};
                EndDialog(dialog, IDOK);
            }));
    };
    state->save->snapshots->keeper().read_version(version, while_open(d),
                                                  to_dialog<StorageResult<std::string>>(d, read));
}

INT_PTR init_dialog(HWND dialog, Dialog& d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
    if (auto made = create_controls(dialog, d); !made) {
        d.failure = made.error();
        EndDialog(dialog, IDABORT);
        return TRUE;
    }
    d.answers = std::make_shared<WindowMailbox>(dialog, WM_VERSIONS_ANSWERED);
    place_controls(dialog, d);
    subclass_control(GetDlgItem(dialog, VERSIONS_LIST_ID), list_proc);
    show_selected(dialog, d);
    if (AppState* state = main_state(d)) {
        Dialog* dp = &d;
        state->save->snapshots->keeper().versions(
            control_text(state->memo_edit()), while_open(d),
            to_dialog<StorageResult<std::vector<ListedVersion>>>(
                d, [dialog, dp](StorageResult<std::vector<ListedVersion>> listed) {
                    fill_list(dialog, *dp, std::move(listed));
                }));
    }
    SetFocus(GetDlgItem(dialog, VERSIONS_LIST_ID));
    return FALSE;  // the focus is set
}

INT_PTR CALLBACK dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) return init_dialog(dialog, *reinterpret_cast<Dialog*>(lparam));
    auto* d = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (d == nullptr) return FALSE;
    if (message == WM_CLOSE) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    if (message == WM_VERSIONS_ANSWERED) {
        d->answers->run_delivered();
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    if (id == VERSIONS_LIST_ID && HIWORD(wparam) == LBN_SELCHANGE) {
        show_selected(dialog, *d);
    } else if (id == IDOK) {
        // Enter reaches here even while the button is disabled.
        const LRESULT index = SendMessageW(GetDlgItem(dialog, VERSIONS_LIST_ID), LB_GETCURSEL, 0, 0);
        if (index < 0 || !IsWindowEnabled(GetDlgItem(dialog, IDOK))) return TRUE;
        choose(dialog, *d, static_cast<std::size_t>(index));
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else {
        return FALSE;
    }
    return TRUE;
}

}  // namespace

SystemResult<std::optional<RestoredVersion>> choose_memo_version(HWND main_window) {
    const AppState* state = app_state_of(main_window);
    if (state == nullptr || !state->save->snapshots) return std::optional<RestoredVersion>();
    Dialog d{main_window,
             state->fonts.ui.get(),
             state->fonts.dpi,
             state->save->snapshots->now(),
             {},
             std::nullopt,
             false,
             std::nullopt,
             std::nullopt,
             nullptr,
             -1};
    const INT_PTR ended = run_dialog(main_window, MEMO_VERSIONS_TITLE, dialog_proc, reinterpret_cast<LPARAM>(&d));
    // Answers still on their way, and long reads, are dropped.
    if (d.answers) d.answers->close();
    if (ended == -1) return fail(last_system_error("DialogBoxIndirectParamW"));
    if (d.failure) return fail(*d.failure);
    return std::move(d.chosen);
}

}  // namespace numvora
