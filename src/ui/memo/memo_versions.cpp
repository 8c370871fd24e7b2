#include "ui/memo/memo_versions.h"

#include <algorithm>
#include <array>

#include "common/unicode.h"
#include "ui/layout/dpi_scale.h"

namespace numvora {
namespace {

constexpr std::string_view SEPARATOR = " · ";
constexpr std::string_view ELLIPSIS = "…";

// Cut to VERSION_LINE_CHARACTERS; a tab or line end would show as a box in a list.
std::string shortened(std::string_view line) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t count = 0; pos < line.size(); ++count) {
        if (count == VERSION_LINE_CHARACTERS) return out += ELLIPSIS;
        const std::size_t start = pos;
        const char32_t c = decode_utf8(line, pos);
        if (c < 0x20 || c == 0x7F)
            out += ' ';
        else
            append_decoded(out, line.substr(start, pos - start), c);
    }
    return out;
}

}  // namespace

std::string version_time_text(const SnapshotTime& time) {
    std::string out;
    append_padded(out, time.year, 4);
    out += '-';
    append_padded(out, time.month, 2);
    out += '-';
    append_padded(out, time.day, 2);
    out += ' ';
    append_padded(out, time.hour, 2);
    out += ':';
    append_padded(out, time.minute, 2);
    out += ':';
    append_padded(out, time.second, 2);
    return out;
}

std::string version_size_text(std::uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " B";
    constexpr std::array<std::string_view, 4> UNITS = {" KB", " MB", " GB", " TB"};
    std::uint64_t unit = 1024;
    for (std::size_t i = 0;; ++i, unit *= 1024) {
        // Rounded to the nearest tenth, then to the nearest whole, without overflow.
        const std::uint64_t tenths = bytes / unit * 10 + ((bytes % unit) * 10 + unit / 2) / unit;
        if (tenths < 1000)
            return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + std::string(UNITS[i]);
        const std::uint64_t whole = bytes / unit + (bytes % unit >= unit / 2 ? 1 : 0);
        if (whole < 1024 || i + 1 == UNITS.size()) return std::to_string(whole) + std::string(UNITS[i]);
    }
}

std::string version_line(const VersionLine& version) {
    std::string line = version_time_text(version.time);
    for (const auto& [applies, mark] : {std::pair{version.same_as_memo, SAME_AS_MEMO_TEXT},
                                        {version.other_window, OTHER_WINDOW_TEXT},
                                        {version.later_than_now, ODD_DATE_TEXT}})
        if (applies) (line += ' ') += mark;
    line += SEPARATOR;
    line += version_size_text(version.size);
    if (version.unreadable) return (line += SEPARATOR) += UNREADABLE_VERSION_TEXT;
    if (version.first_line && !version.first_line->empty()) (line += SEPARATOR) += shortened(*version.first_line);
    return line;
}

std::string large_version_question(std::uint64_t bytes) {
    return version_size_text(bytes) + " 버전을 복원합니다. 시간이 걸릴 수 있습니다.";
}

std::string version_preview_text(std::string_view text, bool cut) {
    std::string out;
    out.reserve(text.size() + text.size() / 32 + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    if (cut) (out += "\r\n") += ELLIPSIS;
    return out;
}

PixelBox versions_client_size(std::uint32_t dpi) { return {0, 0, scale_for_dpi(900, dpi), scale_for_dpi(460, dpi)}; }

VersionsLayout versions_layout(std::int32_t client_width, std::int32_t client_height, std::uint32_t dpi) {
    const auto s = [dpi](std::int32_t n) { return scale_for_dpi(n, dpi); };
    const std::int32_t margin = s(12);
    const std::int32_t gap = s(8);
    const std::int32_t button_height = s(28);
    const std::int32_t restore_width = s(140);
    const std::int32_t close_width = s(90);

    const std::int32_t usable_width = at_least_zero(client_width - 2 * margin - gap);
    const std::int32_t list_width = std::min(s(470), usable_width / 2);
    const std::int32_t top_height = at_least_zero(client_height - 2 * margin - gap - button_height);
    const std::int32_t button_y = margin + top_height + gap;
    const std::int32_t close_x = std::max(margin, client_width - margin - close_width);
    VersionsLayout layout;
    layout.list = {margin, margin, list_width, top_height};
    layout.preview = {margin + list_width + gap, margin, usable_width - list_width, top_height};
    layout.close = {close_x, button_y, close_width, button_height};
    layout.restore = {std::max(margin, close_x - gap - restore_width), button_y, restore_width, button_height};
    return layout;
}

}  // namespace numvora
