#include "platform/windows/services/clipboard.h"

#include <cstring>
#include <string>

#include "common/win32/wide_text.h"
#include "platform/windows/base/win_handle.h"

namespace numvora {
namespace {

// OpenClipboard for one scope, CloseClipboard at its end.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    bool is_open() const { return open_; }

private:
    bool open_;
};

}  // namespace

HANDLE ClipboardCalls::set_data(UINT format, HANDLE memory) { return SetClipboardData(format, memory); }

SystemStatus copy_to_clipboard(HWND owner, std::string_view text) {
    ClipboardCalls system;
    return copy_to_clipboard(owner, text, system);
}

SystemStatus copy_to_clipboard(HWND owner, std::string_view text, ClipboardCalls& calls) {
    const std::wstring units = to_wide(text);
    const std::size_t bytes = (units.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) return fail(last_system_error("GlobalAlloc"));
    {
        void* locked = GlobalLock(memory.get());
        if (locked == nullptr) return fail(last_system_error("GlobalLock"));
        std::memcpy(locked, units.c_str(), bytes);
        GlobalUnlock(memory.get());
    }
    OpenedClipboard clipboard(owner);
    if (!clipboard.is_open()) return fail(last_system_error("OpenClipboard"));
    if (!EmptyClipboard()) return fail(last_system_error("EmptyClipboard"));
    // Any null handle is a failure, whatever the last error says: the text is not there.
    if (calls.set_data(CF_UNICODETEXT, memory.get()) == nullptr) return fail(last_system_error("SetClipboardData"));
    memory.release();  // the clipboard owns it now
    return {};
}

std::optional<std::wstring> clipboard_text(HWND owner) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.is_open()) return std::nullopt;
    const HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (memory == nullptr) return std::nullopt;
    const auto* units = static_cast<const wchar_t*>(GlobalLock(memory));
    if (units == nullptr) return std::nullopt;
    // The block may be larger than its text, and a hostile owner may leave out the NUL.
    const std::wstring_view block(units, GlobalSize(memory) / sizeof(wchar_t));
    std::wstring text(block.substr(0, block.find(L'\0')));
    GlobalUnlock(memory);
    return text;
}

}  // namespace numvora
