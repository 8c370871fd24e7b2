#include "platform/windows/services/clipboard.h"

#include <cstring>
#include <span>
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

namespace {

struct Format {
    UINT format;
    UniqueGlobal memory;
};

// A block of movable global memory holding the bytes.
SystemResult<UniqueGlobal> global_copy(const void* bytes, std::size_t size) {
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return fail(last_system_error("GlobalAlloc"));
    void* locked = GlobalLock(memory.get());
    if (locked == nullptr) return fail(last_system_error("GlobalLock"));
    std::memcpy(locked, bytes, size);
    GlobalUnlock(memory.get());
    return memory;
}

SystemResult<Format> unicode_text(std::string_view text) {
    const std::wstring units = to_wide(text);
    auto memory = global_copy(units.c_str(), (units.size() + 1) * sizeof(wchar_t));
    if (!memory) return fail(memory.error());
    return Format{CF_UNICODETEXT, std::move(*memory)};
}

// Every format in one opening of the clipboard; a failure leaves none of ours on it.
SystemStatus put_formats(HWND owner, std::span<Format> formats, ClipboardCalls& calls) {
    OpenedClipboard clipboard(owner);
    if (!clipboard.is_open()) return fail(last_system_error("OpenClipboard"));
    if (!EmptyClipboard()) return fail(last_system_error("EmptyClipboard"));
    for (Format& format : formats) {
        // Any null handle is a failure, whatever the last error says: the data is not there.
        if (calls.set_data(format.format, format.memory.get()) == nullptr) {
            const SystemError error = last_system_error("SetClipboardData");
            EmptyClipboard();
            return fail(error);
        }
        format.memory.release();  // the clipboard owns it now
    }
    return {};
}

}  // namespace

SystemStatus copy_to_clipboard(HWND owner, std::string_view text, ClipboardCalls& calls) {
    auto unicode = unicode_text(text);
    if (!unicode) return fail(unicode.error());
    return put_formats(owner, std::span<Format>(&*unicode, 1), calls);
}

UINT html_clipboard_format() {
    static const UINT format = RegisterClipboardFormatW(L"HTML Format");
    return format;
}

SystemStatus copy_to_clipboard(HWND owner, std::string_view text, std::string_view clipboard_html,
                               ClipboardCalls& calls) {
    if (html_clipboard_format() == 0) return fail(last_system_error("RegisterClipboardFormatW"));
    auto unicode = unicode_text(text);
    if (!unicode) return fail(unicode.error());
    // The header's offsets count the bytes before a NUL that ends the block.
    const std::string html = std::string(clipboard_html) + '\0';
    auto memory = global_copy(html.data(), html.size());
    if (!memory) return fail(memory.error());
    Format formats[] = {std::move(*unicode), {html_clipboard_format(), std::move(*memory)}};
    return put_formats(owner, formats, calls);
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
