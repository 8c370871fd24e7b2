// The key=value line codec under the settings and document files. Free text is stored
// as lower-case hex of its UTF-8 bytes, so no character of it can break a line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/storage_error.h"

namespace numvora {

// The one error of every decoding failure: InvalidData, "저장 파일의 문자열 형식이 잘못되었습니다.".
StorageError text_format_error();

// Lines cut after each LF; one CR right before the LF goes too. A last piece without
// LF counts only when it is not empty. The views point into text.
std::vector<std::string_view> split_lines(std::string_view text);

// Cut at the first "=": (key, value), or nothing when there is no "=". No trimming.
std::optional<std::pair<std::string_view, std::string_view>> split_key_value(std::string_view line);

std::string encode_hex_text(std::string_view text);
// The same hex form appended to out, so large values need no second copy.
void append_hex_text(std::string& out, std::string_view text);
// Accepts either case; fails on odd length, a non-hex byte, or bytes that are not UTF-8.
StorageResult<std::string> decode_hex_text(std::string_view value);

// Absent is "-", present is the hex form (an empty text is the empty value).
std::string encode_optional_text(const std::optional<std::string>& text);
StorageResult<std::optional<std::string>> decode_optional_text(std::string_view value);

// Optional sign, then ASCII digits only; nothing else, not even surrounding spaces.
std::optional<std::int32_t> parse_i32(std::string_view value);
// As parse_i32, but only "+" is allowed as a sign and the range is 0..255.
std::optional<std::uint8_t> parse_u8(std::string_view value);

}  // namespace numvora
