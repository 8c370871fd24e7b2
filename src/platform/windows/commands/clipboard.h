// Text onto and off the system clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "platform/windows/base/system_error.h"

namespace numvora {

using SetClipboardDataCall = HANDLE(WINAPI*)(UINT format, HANDLE memory);

// Puts the text on the clipboard as CF_UNICODETEXT; on any failure the clipboard is
// closed, the memory freed and the error returned. Tests can stand in for the
// system's SetClipboardData.
SystemStatus copy_to_clipboard(HWND owner, std::string_view text, SetClipboardDataCall set_data = SetClipboardData);

// The clipboard's CF_UNICODETEXT, up to its first NUL; nothing when it holds no text
// or cannot be opened.
std::optional<std::wstring> clipboard_text(HWND owner);

}  // namespace numvora
