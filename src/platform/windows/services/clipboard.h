// Text onto and off the system clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/base/system_error.h"
#include "platform/windows/base/win32_calls.h"

namespace numvora {

// The clipboard call that tests fail.
class ClipboardCalls : public CallGroup {
public:
    virtual HANDLE set_data(UINT format, HANDLE memory);  // SetClipboardData
};

// Puts the text on the clipboard as CF_UNICODETEXT; on any failure the clipboard is
// closed, the memory freed and the error returned.
SystemStatus copy_to_clipboard(HWND owner, std::string_view text, ClipboardCalls& calls);
SystemStatus copy_to_clipboard(HWND owner, std::string_view text);

// The registered format of HTML on the clipboard ("HTML Format"); 0 when it cannot be registered.
UINT html_clipboard_format();

// The text as CF_UNICODETEXT and beside it the same as HTML (the clipboard's "HTML Format":
// UTF-8 with its header of offsets), which spreadsheets and word processors prefer;
// both or neither, as above.
SystemStatus copy_to_clipboard(HWND owner, std::string_view text, std::string_view clipboard_html,
                               ClipboardCalls& calls);

// The clipboard's CF_UNICODETEXT, up to its first NUL; nothing when it holds no text
// or cannot be opened.
std::optional<std::wstring> clipboard_text(HWND owner);

}  // namespace numvora
