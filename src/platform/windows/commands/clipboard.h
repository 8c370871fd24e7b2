// Text onto the system clipboard.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/windows/base/system_error.h"

namespace numvora {

using SetClipboardDataCall = HANDLE(WINAPI*)(UINT format, HANDLE memory);

// Puts the text on the clipboard as CF_UNICODETEXT; on any failure the clipboard is
// closed, the memory freed and the error returned. Tests can stand in for the
// system's SetClipboardData.
SystemStatus copy_to_clipboard(HWND owner, std::string_view text, SetClipboardDataCall set_data = SetClipboardData);

}  // namespace numvora
