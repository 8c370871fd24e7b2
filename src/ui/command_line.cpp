#include "ui/command_line.h"

namespace numvora {
namespace {

constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::vector<std::string> command_line_arguments(std::string_view line) {
    std::size_t at = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t closing = line.find('"', 1);
        at = closing == std::string_view::npos ? line.size() : closing + 1;
    }
    while (at < line.size() && !is_blank(line[at])) ++at;

    std::vector<std::string> arguments;
    for (;;) {
        while (at < line.size() && is_blank(line[at])) ++at;
        if (at >= line.size()) return arguments;
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || !is_blank(line[at]))) {
            std::size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\') {
                ++backslashes;
                ++at;
            }
            if (at < line.size() && line[at] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                    argument += '"';
                    ++at;
                } else {
                    quoted = !quoted;
                }
                ++at;
            } else {
                argument.append(backslashes, '\\');
                if (at < line.size() && (quoted || !is_blank(line[at]))) argument += line[at++];
            }
        }
        arguments.push_back(std::move(argument));
    }
}

StartRequest read_start_request(std::string_view command_line) {
    StartRequest request;
    for (std::string& argument : command_line_arguments(command_line)) {
        if (argument == TRAY_START_OPTION) {
            request.tray = true;
        } else if (!argument.empty() && !argument.starts_with("--") && !request.document) {
            request.document = std::move(argument);
        }
    }
    return request;
}

}  // namespace numvora
