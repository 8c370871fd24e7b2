#include "storage/document.h"

#include <algorithm>

#include "storage/text_codec.h"

namespace numvora {

namespace {

StorageError history_format_error() {
    return make_storage_error(StorageErrorKind::InvalidData, "계산 기록 형식이 잘못되었습니다.");
}

StorageError unsupported_document_error() {
    return make_storage_error(StorageErrorKind::InvalidData, "지원하지 않는 전체 내용 저장 파일입니다.");
}

void append_line(std::string& out, std::string_view key, std::string_view value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

// A text line written straight into out: a large memo is encoded only once.
void append_hex_line(std::string& out, std::string_view key, std::string_view text) {
    out += key;
    out += '=';
    append_hex_text(out, text);
    out += '\n';
}

}  // namespace

std::string format_document(const PadDocument& d) {
    std::string out;
    out.reserve(128 + 2 * (d.memo.size() + d.expression.size()));
    append_line(out, "format", "Quorvex");
    append_line(out, "version", "1");
    append_hex_line(out, "memo", d.memo);
    append_hex_line(out, "expression", d.expression);
    append_line(out, "last_expression", encode_optional_text(d.last_expression));
    append_line(out, "last_result", encode_optional_text(d.last_result));
    const std::size_t count = std::min(d.history.size(), HISTORY_LIMIT);
    for (std::size_t i = 0; i < count; ++i) {
        append_line(out, "history_record",
                    encode_hex_text(d.history[i].expression) + "|" + encode_hex_text(d.history[i].result));
    }
    return out;
}

StorageResult<PadDocument> parse_document(std::string_view text) {
    PadDocument d;
    bool format_ok = false;
    bool version_ok = false;
    // Decodes into field, or gives the error that stops the whole load.
    const auto decode_into = [](std::string_view value, std::string& field) -> std::optional<StorageError> {
        auto decoded = decode_hex_text(value);
        if (!decoded) return decoded.error();
        field = std::move(decoded).value();
        return std::nullopt;
    };
    const auto decode_optional_into = [](std::string_view value,
                                         std::optional<std::string>& field) -> std::optional<StorageError> {
        auto decoded = decode_optional_text(value);
        if (!decoded) return decoded.error();
        field = std::move(decoded).value();
        return std::nullopt;
    };

    for (const std::string_view line : split_lines(text)) {
        const auto pair = split_key_value(line);
        if (!pair) continue;
        const auto [key, value] = *pair;
        std::optional<StorageError> error;
        if (key == "format") {
            format_ok = format_ok || value == "Quorvex";
        } else if (key == "version") {
            version_ok = version_ok || value == "1";
        } else if (key == "memo") {
            error = decode_into(value, d.memo);
        } else if (key == "expression") {
            error = decode_into(value, d.expression);
        } else if (key == "last_expression") {
            error = decode_optional_into(value, d.last_expression);
        } else if (key == "last_result") {
            error = decode_optional_into(value, d.last_result);
        } else if (key == "history_record") {
            // Records past the limit are dropped unread, even malformed ones.
            if (d.history.size() >= HISTORY_LIMIT) continue;
            const std::size_t bar = value.find('|');
            if (bar == std::string_view::npos) return fail(history_format_error());
            HistoryRecord record;
            error = decode_into(value.substr(0, bar), record.expression);
            if (!error) error = decode_into(value.substr(bar + 1), record.result);
            if (!error) d.history.push_back(std::move(record));
        }
        if (error) return fail(std::move(*error));
    }
    if (!format_ok || !version_ok) return fail(unsupported_document_error());
    return d;
}

std::optional<std::string> last_path_component(std::string_view path) {
    const auto is_separator = [](char c) { return c == '\\' || c == '/'; };
    while (true) {
        while (!path.empty() && is_separator(path.back())) path.remove_suffix(1);
        std::size_t start = path.size();
        while (start > 0 && !is_separator(path[start - 1])) --start;
        const std::string_view name = path.substr(start);
        if (name != ".") {
            if (name.empty() || name == ".." || name.back() == ':') return std::nullopt;
            return std::string(name);
        }
        path = path.substr(0, start);
    }
}

Result<void, StorageError> check_document_extension(std::string_view path) {
    const std::optional<std::string> name = last_path_component(path);
    const std::size_t dot = name ? name->rfind('.') : std::string::npos;
    if (dot != std::string::npos && dot > 0) {
        const std::string_view extension = std::string_view(*name).substr(dot + 1);
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (extension.size() == 3 && lower(extension[0]) == 'q' && lower(extension[1]) == 'v' &&
            lower(extension[2]) == 'x') {
            return {};
        }
    }
    return fail(make_storage_error(StorageErrorKind::InvalidInput, "파일 확장자는 .qvx를 사용해 주세요."));
}

}  // namespace numvora
