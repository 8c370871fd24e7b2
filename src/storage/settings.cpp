#include "storage/settings.h"

#include "common/unicode.h"
#include "storage/files/file_io.h"
#include "storage/text_codec.h"

namespace numvora {

namespace {

std::string_view bool_text(bool value) { return value ? "true" : "false"; }

// Exact, case-sensitive: anything but "true"/"false" keeps the previous value.
void read_bool(std::string_view value, bool& field) {
    if (value == "true") field = true;
    if (value == "false") field = false;
}

void read_size(std::string_view value, std::int32_t& field) {
    const auto parsed = parse_i32(value);
    if (parsed && *parsed > 0) field = *parsed;
}

}  // namespace

std::string format_settings(const AppSettings& s) {
    const auto optional_number = [](const std::optional<std::int32_t>& value) {
        return value ? std::to_string(*value) : std::string();
    };
    std::string text;
    text += "version=1\n";
    text += "window_x=" + optional_number(s.window_x) + "\n";
    text += "window_y=" + optional_number(s.window_y) + "\n";
    text += "window_width=" + std::to_string(s.window_width) + "\n";
    text += "window_height=" + std::to_string(s.window_height) + "\n";
    text += std::string("calculator_side=") + (s.calculator_side ? "right" : "left") + "\n";
    text += "calculator_percent=" + std::to_string(s.calculator_percent) + "\n";
    text += "always_on_top=" + std::string(bool_text(s.always_on_top)) + "\n";
    text += "group_thousands=" + std::string(bool_text(s.group_thousands)) + "\n";
    text += "dark_mode=" + std::string(bool_text(s.dark_mode)) + "\n";
    return text;
}

AppSettings parse_settings(std::string_view text) {
    AppSettings s;
    for (const std::string_view line : split_lines(text)) {
        const auto pair = split_key_value(line);
        if (!pair) continue;
        const std::string_view key = trim_white_space(pair->first);
        const std::string_view value = trim_white_space(pair->second);
        if (key == "window_x") {
            s.window_x = parse_i32(value);  // a bad value clears an earlier good one
        } else if (key == "window_y") {
            s.window_y = parse_i32(value);
        } else if (key == "window_width") {
            read_size(value, s.window_width);
        } else if (key == "window_height") {
            read_size(value, s.window_height);
        } else if (key == "calculator_side") {
            if (value == "right") s.calculator_side = true;
            if (value == "left") s.calculator_side = false;
        } else if (key == "calculator_percent") {
            const auto percent = parse_u8(value);
            if (percent && *percent >= 30 && *percent <= 70) s.calculator_percent = *percent;
        } else if (key == "always_on_top") {
            read_bool(value, s.always_on_top);
        } else if (key == "group_thousands") {
            read_bool(value, s.group_thousands);
        } else if (key == "dark_mode") {
            read_bool(value, s.dark_mode);
        }
    }
    return s;
}

StorageResult<AppSettings> load_settings(const std::string& settings_file) {
    auto text = read_text_or_empty(settings_file);
    if (!text) return fail(text.error());
    return parse_settings(text.value());
}

Result<void, StorageError> save_settings(const DataPaths& paths, const AppSettings& settings, const WriteCalls& calls) {
    return write_data_file(paths.folder, paths.settings_file, format_settings(settings), calls);
}

}  // namespace numvora
