// What Numvora.exe is started with: "--tray" from the user's Run entry, a document's
// path from Explorer ("Numvora.exe" "C:\…\가계부.qvx").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace numvora {

inline constexpr std::string_view TRAY_START_OPTION = "--tray";

struct StartRequest {
    bool tray = false;                    // start hidden when the tray icon is on
    std::optional<std::string> document;  // a document to open once the window is up

    bool operator==(const StartRequest&) const = default;
};

// The arguments after the program's name, split as the C runtime splits a command
// line: white space between arguments, double quotes around spaces, 2n backslashes
// before a quote as n and the quote's meaning, 2n+1 as n and a quote; "" inside quotes
// is a quote. The program's name runs to its closing quote or the first space.
std::vector<std::string> command_line_arguments(std::string_view command_line);

// TRAY_START_OPTION anywhere; the first argument that is neither empty nor an option
// ("--…") is the document; other options and arguments are ignored.
StartRequest read_start_request(std::string_view command_line);

}  // namespace numvora
