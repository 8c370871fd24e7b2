// A key=value file as a table: one row a key, with how its value is written and read.
// The format writes the rows in order; the parse takes each line's last word for a key
// and ignores lines and keys it does not know, so a broken file never fails.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/unicode.h"
#include "storage/files/file_io.h"
#include "storage/text_codec.h"

namespace numvora {

template <typename Record>
struct KeyRow {
    std::string_view key;
    std::string (*write)(const Record&);
    void (*read)(std::string_view value, Record&);  // a value it cannot take keeps the field
};

template <typename Record>
std::string format_key_rows(std::span<const KeyRow<Record>> rows, const Record& record) {
    std::string text;
    for (const KeyRow<Record>& row : rows) text.append(row.key).append("=").append(row.write(record)).append("\n");
    return text;
}

template <typename Record>
Record parse_key_rows(std::span<const KeyRow<Record>> rows, std::string_view text) {
    Record record;
    for (const std::string_view line : split_lines(text)) {
        const auto pair = split_key_value(line);
        if (!pair) continue;
        const std::string_view key = trim_white_space(pair->first);
        for (const KeyRow<Record>& row : rows) {
            if (row.key == key) row.read(trim_white_space(pair->second), record);
        }
    }
    return record;
}

// A missing file gives the defaults; any other read failure is returned.
template <typename Record>
StorageResult<Record> load_key_rows(std::span<const KeyRow<Record>> rows, const std::string& path) {
    auto text = read_text_or_empty(path);
    if (!text) return fail(text.error());
    return parse_key_rows(rows, text.value());
}

// The exact texts "true" and "false"; anything else keeps the field.
inline std::string bool_text(bool value) { return value ? "true" : "false"; }
inline void read_bool(std::string_view value, bool& field) {
    if (value == "true") field = true;
    if (value == "false") field = false;
}

}  // namespace numvora
