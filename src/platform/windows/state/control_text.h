// Text and selections in and out of the controls. Their UTF-16 meets the program's
// UTF-8 here through common/win32/wide_text.h, the one conversion pair that every
// other Win32 boundary of the window layer (paths, menus, boxes, the clipboard) uses too.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/base/system_error.h"
#include "session/expression_caret.h"
#include "session/selection_state.h"
#include "ui/memo/memo_mirror.h"

namespace numvora {

std::wstring control_text_wide(HWND control);
// Unpaired surrogates become U+FFFD.
std::string control_text(HWND control);
SystemStatus set_control_text(HWND control, std::string_view text);

// An edit control's selection, in UTF-16 units; read with two pointers, so that
// positions past 65,535 come back whole.
CaretRange edit_selection(HWND edit);
void select_in_edit(HWND edit, CaretRange range);
// Caret to the end of the text, nothing selected.
void put_caret_at_end(HWND edit);

// The memo takes this many characters (the rich edit's default of 32,767 would cut a
// longer saved memo on load, and the next auto-save would write the cut text back).
inline constexpr std::int32_t MEMO_TEXT_LIMIT = 0x7FFFFFFE;
// Undo steps the memo keeps.
inline constexpr WPARAM MEMO_UNDO_LIMIT = 256;

// The rich edit memo's selection, in its characters.
MemoSelection memo_selection(HWND memo);
void select_in_memo(HWND memo, MemoSelection range);
// The range selected and scrolled into view, the memo painted once at its new place.
void show_in_memo(HWND memo, MemoSelection range);
// One message between two undo boundaries: an undo step of its own, apart from what was
// typed before and after it.
void memo_undo_step(HWND memo, UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
// The range replaced by the text, as one undo step.
void replace_in_memo(HWND memo, MemoSelection range, const std::wstring& text);
// Text at the memo's end, as none: the control empties its undo history (a memo going
// in whole).
void append_to_memo(HWND memo, const std::wstring& text);
// The selected text; nothing when the control gives none.
std::optional<std::string> memo_selected_text(HWND memo, MemoSelection range);

// The memo's characters in range, one unit per position (a paragraph break is "\r").
std::wstring memo_text_range(HWND memo, MemoSelection range);
// The memo's length in its characters.
std::int32_t memo_length(HWND memo);
// The one edit that brings a copy of the memo in step with it, read back from the
// stretch where it changed with a margin around that grows eightfold to 16 Ki units on
// each side (under Wine a read near the end of a large memo costs milliseconds); none
// when even the widest read cannot show it.
std::optional<TextEdit<wchar_t>> read_edit_back(HWND memo, std::wstring_view copy, ChangedStretch stretch);
// The paragraph (the line between breaks, however it wraps) around a position.
MemoSelection memo_paragraph_at(HWND memo, std::int32_t position);

}  // namespace numvora
