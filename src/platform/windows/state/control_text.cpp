#include "platform/windows/state/control_text.h"

#include <richedit.h>

#include <algorithm>
#include <vector>

#include "common/win32/wide_text.h"

namespace numvora {

std::wstring control_text_wide(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string control_text(HWND control) { return to_utf8(control_text_wide(control)); }

SystemStatus set_control_text(HWND control, std::string_view text) {
    const std::wstring wide = to_wide(text);
    if (!SetWindowTextW(control, wide.c_str())) return fail(last_system_error("SetWindowTextW"));
    return {};
}

CaretRange edit_selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void select_in_edit(HWND edit, CaretRange range) {
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(range.start), static_cast<LPARAM>(range.end));
}

void put_caret_at_end(HWND edit) {
    const auto length = static_cast<std::size_t>(GetWindowTextLengthW(edit));
    select_in_edit(edit, {length, length});
}

MemoSelection memo_selection(HWND memo) {
    CHARRANGE range{};
    SendMessageW(memo, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void select_in_memo(HWND memo, MemoSelection range) {
    CHARRANGE chars{range.start, range.end};
    SendMessageW(memo, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&chars));
}

void show_in_memo(HWND memo, MemoSelection range) {
    // Drawing as it goes, Wine's rich edit took two to three times as long to show a match
    // at the end of 10 MiB as with its drawing off and one paint after.
    SendMessageW(memo, WM_SETREDRAW, FALSE, 0);
    select_in_memo(memo, range);
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
    SendMessageW(memo, WM_SETREDRAW, TRUE, 0);
    // The frame too: the scroll bar's thumb moved while nothing was drawn.
    RedrawWindow(memo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
}

void memo_undo_step(HWND memo, UINT message, WPARAM wparam, LPARAM lparam) {
    SendMessageW(memo, EM_STOPGROUPTYPING, 0, 0);
    SendMessageW(memo, message, wparam, lparam);
    SendMessageW(memo, EM_STOPGROUPTYPING, 0, 0);
}

void replace_in_memo(HWND memo, MemoSelection range, const std::wstring& text) {
    select_in_memo(memo, range);
    memo_undo_step(memo, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void append_to_memo(HWND memo, const std::wstring& text) {
    select_in_memo(memo, {-1, -1});
    SendMessageW(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::optional<std::string> memo_selected_text(HWND memo, MemoSelection range) {
    if (range.empty()) return std::nullopt;
    // Twice the characters, as a line break may come back as two units.
    std::vector<wchar_t> buffer(static_cast<std::size_t>(range.end - range.start) * 2 + 1, L'\0');
    const LRESULT copied = SendMessageW(memo, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    if (copied < 1) return std::nullopt;
    const std::size_t units = std::min(static_cast<std::size_t>(copied), buffer.size());
    return to_utf8(std::wstring_view(buffer.data(), units));
}

std::wstring memo_text_range(HWND memo, MemoSelection range) {
    if (range.empty()) return {};
    std::wstring text(static_cast<std::size_t>(range.end - range.start) + 1, L'\0');
    TEXTRANGEW request{{range.start, range.end}, text.data()};
    const LRESULT copied = SendMessageW(memo, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
    text.resize(std::min(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)), text.size() - 1));
    return text;
}

std::int32_t memo_length(HWND memo) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<std::int32_t>(SendMessageW(memo, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// Read in growing pieces from the position outwards: a paragraph is short, the memo may
// be ten mebibytes.
std::optional<TextEdit<wchar_t>> read_edit_back(HWND memo, std::wstring_view copy, ChangedStretch stretch) {
    constexpr std::int32_t FIRST_MARGIN = 256;
    constexpr std::int32_t LAST_MARGIN = 1 << 14;
    const std::int32_t length = memo_length(memo);
    for (std::int32_t margin = FIRST_MARGIN; margin <= LAST_MARGIN; margin *= 8) {
        const std::int32_t from = std::clamp(static_cast<std::int32_t>(stretch.start) - margin, 0, length);
        const std::int32_t to = std::clamp(static_cast<std::int32_t>(stretch.end) + margin, from, length);
        if (auto edit = find_edit<wchar_t>(copy, static_cast<std::size_t>(length), static_cast<std::size_t>(from),
                                           memo_text_range(memo, {from, to})))
            return edit;
    }
    return std::nullopt;
}

MemoSelection memo_paragraph_at(HWND memo, std::int32_t position) {
    const std::int32_t length = memo_length(memo);
    position = std::clamp(position, 0, length);
    MemoSelection paragraph{0, length};
    for (std::int32_t end = position, piece = 256; end > 0; piece *= 2) {
        const std::int32_t start = std::max(0, end - piece);
        const std::wstring text = memo_text_range(memo, {start, end});
        if (const std::size_t cr = text.rfind(L'\r'); cr != std::wstring::npos) {
            paragraph.start = start + static_cast<std::int32_t>(cr) + 1;
            break;
        }
        end = start;
    }
    for (std::int32_t start = position, piece = 256; start < length; piece *= 2) {
        const std::int32_t end = std::min(length, start + piece);
        const std::wstring text = memo_text_range(memo, {start, end});
        if (const std::size_t cr = text.find(L'\r'); cr != std::wstring::npos) {
            paragraph.end = start + static_cast<std::int32_t>(cr);
            break;
        }
        start = end;
    }
    return paragraph;
}

}  // namespace numvora
