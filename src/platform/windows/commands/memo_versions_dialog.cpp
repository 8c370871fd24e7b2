#include "platform/windows/commands/memo_versions_dialog.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "common/win32/wide_text.h"
#include "platform/windows/commands/dialog_frame.h"
#include "ui/memo_versions.h"

namespace numvora {
namespace {

// Posted by a check of a whole version when it ends; wparam: the version's index.
constexpr UINT WM_VERSION_CHECKED = WM_APP + 2;

// The checks of whole versions, each on a thread of its own so that a huge version
// never holds the dialog: the thread hands its answer over here, under the lock.
struct Checks {
    std::mutex mutex;
    std::map<std::size_t, Result<void, StorageError>> answers;
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;  // touched by the dialog's thread only

    void start(HWND dialog, std::string folder, std::string name, std::size_t index) {
        threads.emplace_back([this, dialog, folder = std::move(folder), name = std::move(name), index] {
            auto answer = check_snapshot_text(folder, name, &stop);
            {
                const std::lock_guard lock(mutex);
                answers.emplace(index, std::move(answer));
            }
            PostMessageW(dialog, WM_VERSION_CHECKED, index, 0);
        });
    }
    std::optional<Result<void, StorageError>> answer(std::size_t index) {
        const std::lock_guard lock(mutex);
        const auto found = answers.find(index);
        if (found == answers.end()) return std::nullopt;
        return found->second;
    }
    ~Checks() {
        stop = true;
        for (std::thread& thread : threads) thread.join();
    }
};

struct Version {
    ListedVersion listed;
    std::optional<StorageResult<std::string>> first_line;  // read when first selected; or why it cannot be
    bool checking = false;                                 // the rest of a cut start is being checked
};

struct Dialog {
    HWND owner;
    const std::string& folder;
    const KeepCurrentMemo& keep;
    std::vector<Version> versions;
    HFONT font;
    std::uint32_t dpi;
    std::optional<SnapshotEntry> chosen;
    std::optional<SystemError> failure;  // a control that could not be made
    Checks checks;                       // last: its threads end before the rest goes
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

std::wstring line_of(const Version& version) {
    const auto& first = version.first_line;
    const SnapshotEntry& entry = version.listed.entry;
    return to_wide(
        version_line({entry.time, entry.size, version.listed.same_as_memo,
                      first && *first ? std::optional<std::string>(first->value()) : std::nullopt, first && !*first}));
}

// Centred over the owner, the controls laid out in the client area it got.
void place_controls(HWND dialog, const Dialog& d) {
    place_dialog(dialog, d.owner, versions_client_size(d.dpi), d.dpi);
    RECT inside{};
    GetClientRect(dialog, &inside);
    const VersionsLayout layout = versions_layout(inside.right, inside.bottom, d.dpi);
    for (const DialogControl& row : CONTROLS) {
        const PixelBox& box = layout.*row.box;
        MoveWindow(GetDlgItem(dialog, row.id), box.x, box.y, box.width, box.height, TRUE);
    }
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

// Times and sizes from the listing alone: no file is opened for the list.
void fill_list(HWND dialog, const Dialog& d) {
    const HWND list = GetDlgItem(dialog, VERSIONS_LIST_ID);
    SendMessageW(list, LB_INITSTORAGE, d.versions.size(), static_cast<LPARAM>(d.versions.size() * 64));
    for (const Version& version : d.versions)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line_of(version).c_str()));
}

// The start shown. When it does not hold it all, the rest is checked on another thread
// before a restore is offered, so that a version offered can be restored.
StorageResult<SnapshotStart> readable_start(HWND dialog, Dialog& d, std::size_t index, bool& restorable) {
    Version& version = d.versions[index];
    auto start = snapshot_start(d.folder, version.listed.entry.name, VERSION_PREVIEW_BYTES);
    restorable = start && !start->cut;
    if (!start || !start->cut) return start;
    const auto answer = d.checks.answer(index);
    if (!answer) {
        if (!std::exchange(version.checking, true)) d.checks.start(dialog, d.folder, version.listed.entry.name, index);
        return start;
    }
    if (!*answer) return fail(answer->error());
    restorable = true;
    return start;
}

// Read when first selected: its first line joins its list line. A version whose file
// could not be read stays unreadable; one that fails now (gone since the listing,
// changed) becomes so, its line with it.
void show_selected(HWND dialog, Dialog& d) {
    const HWND list = GetDlgItem(dialog, VERSIONS_LIST_ID);
    const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
    std::string preview = d.versions.empty() ? std::string(NO_VERSIONS_TEXT) : std::string();
    bool restorable = false;
    if (index >= 0 && static_cast<std::size_t>(index) < d.versions.size()) {
        Version& version = d.versions[static_cast<std::size_t>(index)];
        const std::wstring line_before = line_of(version);
        const std::string& name = version.listed.entry.name;
        if (!version.first_line) version.first_line = snapshot_preview(d.folder, name);
        if (*version.first_line) {
            auto start = readable_start(dialog, d, static_cast<std::size_t>(index), restorable);
            if (start) {
                preview = version_preview_text(start->text, start->cut);
            } else {
                version.first_line = fail(start.error());
            }
        }
        if (const std::wstring line = line_of(version); line != line_before) {
            SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
            SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(line.c_str()));
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
        if (!*version.first_line)
            preview = std::string(UNREADABLE_VERSION_TEXT) + ": " + display_text(version.first_line->error());
    }
    SetDlgItemTextW(dialog, VERSIONS_PREVIEW_ID, to_wide(preview).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), restorable ? TRUE : FALSE);
}

// The memo is kept before the dialog ends; when it cannot be, the preview says why and
// nothing is restored.
void choose(HWND dialog, Dialog& d, std::size_t index) {
    const SnapshotEntry& entry = d.versions[index].listed.entry;
    if (auto kept = d.keep(entry); !kept) {
        const std::string why = std::string(RESTORE_REFUSED_TEXT) + display_text(kept.error());
        SetDlgItemTextW(dialog, VERSIONS_PREVIEW_ID, to_wide(why).c_str());
        return;
    }
    d.chosen = entry;
    EndDialog(dialog, IDOK);
}

INT_PTR init_dialog(HWND dialog, Dialog& d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&d));
    if (auto made = create_controls(dialog, d); !made) {
        d.failure = made.error();
        EndDialog(dialog, IDABORT);
        return TRUE;
    }
    place_controls(dialog, d);
    fill_list(dialog, d);
    SendMessageW(GetDlgItem(dialog, VERSIONS_LIST_ID), LB_SETCURSEL, 0, 0);
    show_selected(dialog, d);
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
    if (message == WM_VERSION_CHECKED) {
        if (static_cast<LRESULT>(wparam) == SendMessageW(GetDlgItem(dialog, VERSIONS_LIST_ID), LB_GETCURSEL, 0, 0))
            show_selected(dialog, *d);
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

SystemResult<std::optional<SnapshotEntry>> choose_memo_version(HWND owner, const std::string& folder,
                                                               const std::vector<ListedVersion>& versions,
                                                               const KeepCurrentMemo& keep, HFONT font,
                                                               std::uint32_t dpi) {
    Dialog d{owner, folder, keep, {}, font, dpi, std::nullopt, std::nullopt, {}};
    d.versions.reserve(versions.size());
    for (const ListedVersion& listed : versions) d.versions.push_back({listed, std::nullopt});
    const INT_PTR ended = run_dialog(owner, MEMO_VERSIONS_TITLE, dialog_proc, reinterpret_cast<LPARAM>(&d));
    if (ended == -1) return fail(last_system_error("DialogBoxIndirectParamW"));
    if (d.failure) return fail(*d.failure);
    return std::move(d.chosen);
}

}  // namespace numvora
