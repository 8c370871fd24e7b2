#include "platform/windows/base/error_report.h"

#include <string>

#include "common/win32/wide_text.h"

namespace numvora {

std::string format_log_line(std::string_view line_template, std::string_view detail) {
    std::string line(line_template);
    if (const auto at = line.find("{}"); at != std::string::npos) line.replace(at, 2, detail);
    return line;
}

void log_error_line(std::string_view line_template, std::string_view detail) {
    // Written straight to the handle: the C runtime's text mode would turn the line
    // feed into CR LF, and a GUI process may have no C stream at all.
    const std::string line = format_log_line(line_template, detail) + "\n";
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == nullptr || err == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void show_error_box(HWND owner, std::string_view caption, std::string_view text) {
    const std::wstring wide_caption = to_wide(caption);
    const std::wstring wide_text = to_wide(text);
    MessageBoxW(owner, wide_text.c_str(), wide_caption.c_str(), MB_ICONERROR);
}

}  // namespace numvora
