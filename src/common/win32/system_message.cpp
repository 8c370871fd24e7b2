#include "common/win32/system_message.h"

#include <iterator>

#include "common/win32/wide_text.h"

namespace numvora {

std::string system_message_text(std::uint32_t message_id, HMODULE source) {
    // System texts are a few lines; a fixed buffer spares a LocalFree path.
    wchar_t buffer[4096];
    const DWORD from = source != nullptr ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    DWORD length = FormatMessageW(from | FORMAT_MESSAGE_IGNORE_INSERTS, source, message_id, 0, buffer,
                                  static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L' ' || (buffer[length - 1] >= L'\t' && buffer[length - 1] <= L'\r')))
        --length;
    return to_utf8(std::wstring_view(buffer, length));
}

}  // namespace numvora
