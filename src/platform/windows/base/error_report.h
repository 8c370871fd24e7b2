// The two ways the program reports trouble: one line on standard error, or a modal box.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace numvora {

// The template with detail in place of "{}" (a fixed line has no placeholder).
std::string format_log_line(std::string_view line_template, std::string_view detail);

// Writes format_log_line(...) and a line feed to standard error. Never fails the
// caller: without a standard error the line is lost.
void log_error_line(std::string_view line_template, std::string_view detail = {});

// MessageBoxW with MB_ICONERROR; the answer is ignored.
void show_error_box(HWND owner, std::string_view caption, std::string_view text);

}  // namespace numvora
